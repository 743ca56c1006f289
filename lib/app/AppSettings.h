#pragma once

#include "app/Language.h"

#include <QString>

// The process-wide values: where setting.ini and the language files are,
// the model name and what follows from it, and the version texts that the
// last radio transfer reported. One object is made at start-up and passed to
// whoever needs it; tests make their own.
class AppSettings
{
public:
    // dir is the folder that holds setting.ini and the .lang files.
    explicit AppSettings(const QString &configDir = QString());

    QString programDir() const { return m_programDir; }
    QString settingsPath() const;
    bool settingsFileExists() const;

    // Reads [setup] model and [setup] language (falling back to the system
    // locale) from setting.ini. Call again after the file changes.
    void load();

    // Raw access to setting.ini.
    QString setting(const QString &section, const QString &key, int bufferSize = 261) const;
    int settingInt(const QString &section, const QString &key, int defaultValue) const;
    bool writeSetting(const QString &section, const QString &key, const QString &value) const;

    QString modelName() const { return m_modelName; }
    void setModelName(const QString &model);
    // 16 for VK214 and TL809, 2 for every other model.
    int zoneSlotCount() const { return m_zoneSlotCount; }
    static int zoneSlotCountFor(const QString &model);

    // "chinese" or "english" (or whatever [setup] language names).
    QString languageName() const { return m_languageName; }
    void setLanguageName(const QString &name);
    // Chooses the language when setting.ini names none: a Chinese (PRC)
    // locale gives "chinese", every other locale "english".
    static QString languageForLocale(const QString &localeName);
    const Language &language() const { return m_language; }
    // Whether the language file of languageName() is beside the program.
    bool languageFileExists() const;
    // Reads the texts from another file (the built-in copy of a missing one).
    void setLanguagePath(const QString &path) { m_language.setPath(path); }

    // [setup] basic (default 1): 1 lets the radio-information fields be edited.
    bool basicEditingEnabled() const { return settingInt("setup", "basic", 1) == 1; }
    // The service-mode dialogs choose Chinese messages when [setup] language
    // says "chinese" and English otherwise.
    bool calibrationInChinese() const;

    QString mcuVersion = QStringLiteral("V01.00");
    QString dataVersion = QStringLiteral("D01.00");
    QString cid;

private:
    QString m_programDir;
    QString m_modelName;
    int m_zoneSlotCount = 2;
    QString m_languageName;
    Language m_language;
};
