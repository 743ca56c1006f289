#include "TestSupport.h"
#include "TestPaths.h"

#include <QDir>
#include <QFile>

TestConfig::TestConfig(const QString &model)
{
    const QDir source(sourcePath(QStringLiteral("lang")));
    for (const QString &name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), QDir(dir()).filePath(name));
    for (const QString &name : QDir(dir()).entryList(QDir::Files))
        QFile(QDir(dir()).filePath(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (!model.isEmpty()) {
        QFile file(settingsPath());
        file.open(QIODevice::ReadOnly);
        QByteArray content = file.readAll();
        file.close();
        QByteArrayList lines = content.split('\n');
        QByteArrayList kept;
        for (const QByteArray &line : lines) {
            if (line.trimmed().toLower().startsWith("model="))
                continue;
            kept << line;
            if (line.trimmed().toLower() == "[setup]" && model != QLatin1String("-"))
                kept << "model=" + model.toUtf8();
        }
        writeSettings(kept.join('\n'));
    }
    m_settings = std::make_unique<AppSettings>(dir());
    m_settings->load();
}

QString TestConfig::settingsPath() const
{
    return QDir(dir()).filePath(QStringLiteral("setting.ini"));
}

void TestConfig::writeSettings(const QByteArray &content) const
{
    writeFile(QStringLiteral("setting.ini"), content);
}

void TestConfig::writeFile(const QString &name, const QByteArray &content) const
{
    QFile file(QDir(dir()).filePath(name));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
}

PromptAnswer RecordingPrompter::ask(const Prompt &prompt)
{
    prompts << prompt;
    if (!answers.isEmpty())
        return answers.takeFirst();
    switch (prompt.buttons) {
    case Prompt::Buttons::YesNo:
    case Prompt::Buttons::YesNoCancel:
        return PromptAnswer::Yes;
    default:
        return PromptAnswer::Ok;
    }
}

QStringList RecordingPrompter::keys() const
{
    QStringList result;
    for (const Prompt &p : prompts)
        result << (p.textKey.isEmpty() ? p.literalText : p.textKey);
    return result;
}

TestDocument::TestDocument(const QString &model) : config(model)
{
    doc = std::make_unique<CPcSoftwareDoc>(config.settings());
    bool firstNew = true;
    RecordingPrompter prompter;
    doc->DeleteContents();
    doc->OnNewDocument(firstNew, prompter);
}

QString bytesAt(const uint8_t *image, int offset, int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << QStringLiteral("%1").arg(image[offset + i], 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(' '));
}

bool allBytesAre(const uint8_t *image, int from, int to, uint8_t value)
{
    for (int i = from; i < to; ++i)
        if (image[i] != value)
            return false;
    return true;
}

void mapPorts(TestConfig &config, int radioPort, const QString &device)
{
    for (int n = 1; n <= 16; ++n)
        config.settings().writeSetting(QStringLiteral("ports"), QString::number(n),
                                       n == radioPort ? device : QDir(config.dir()).filePath(QStringLiteral("absent%1").arg(n)));
}

QByteArray imageOf(const CPcSoftwareDoc &doc)
{
    return QByteArray(reinterpret_cast<const char *>(doc.image()), kImageSize);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
