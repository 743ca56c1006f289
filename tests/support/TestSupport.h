#pragma once

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "codeplug/CPcSoftwareDoc.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A private configuration folder for one test: setting.ini and the language
// files copied from lang/, which the test may then change.
class TestConfig
{
public:
    // model empty keeps the shipped [setup] model; "-" removes the key.
    explicit TestConfig(const QString &model = QString());
    QString dir() const { return m_dir.path(); }
    QString settingsPath() const;
    void writeSettings(const QByteArray &content) const;  // replaces setting.ini
    void writeFile(const QString &name, const QByteArray &content) const;
    AppSettings &settings() { return *m_settings; }
    void reload() { m_settings->load(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<AppSettings> m_settings;
};

// Records every prompt and answers from a script (default: Ok / Yes).
class RecordingPrompter : public Prompter
{
public:
    PromptAnswer ask(const Prompt &prompt) override;
    QList<Prompt> prompts;
    QList<PromptAnswer> answers;  // consumed in order
    QStringList keys() const;
};

// A document over a TestConfig with a default codeplug of range 6, as the
// first File New makes it.
struct TestDocument
{
    explicit TestDocument(const QString &model = QString());
    TestConfig config;
    std::unique_ptr<CPcSoftwareDoc> doc;
    uint8_t *image() { return doc->image(); }
};

// Port numbers 1..16 of the settings name devices in TestConfig::dir() that
// do not exist, except radioPort (0: none), which names device.
void mapPorts(TestConfig &config, int radioPort, const QString &device);

// Every byte of a document's image, for whole-image comparisons.
QByteArray imageOf(const CPcSoftwareDoc &doc);
// A file's bytes; empty when it cannot be read.
QByteArray fileBytes(const QString &path);

// Hex dump helpers for readable byte assertions: bytesAt(img, 0x4580, 3) == "77 5F 57".
QString bytesAt(const uint8_t *image, int offset, int count);
bool allBytesAre(const uint8_t *image, int from, int to, uint8_t value);  // [from, to)
