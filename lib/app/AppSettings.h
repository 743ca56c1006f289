#pragma once

#include "app/ConfigLocations.h"
#include "app/Language.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The process-wide values: where setting.ini and the language files are,
// the model name and what follows from it, and the version texts that the
// last radio transfer reported. One object is made at start-up and passed to
// whoever needs it; tests make their own.
class AppSettings
{
public:
    // configDir is the folder named by --config DIR; empty: the user's
    // folder, the program's folder and the installed defaults.
    explicit AppSettings(const QString &configDir = QString());
    explicit AppSettings(const ConfigLocations &locations);

    const ConfigLocations &locations() const { return m_locations; }
    // The setting.ini the program writes to.
    QString settingsPath() const { return m_locations.writableSettingsFile(); }
    // Whether any setting.ini is found.
    bool settingsFileExists() const { return m_locations.anySettingsFile(); }

    // Reads [setup] model and [setup] language (falling back to the system
    // locale) from setting.ini. Call again after the file changes.
    void load();

    // Raw access to setting.ini: each key from the first file that has it.
    QString setting(const QString &section, const QString &key, int bufferSize = 261) const;
    int settingInt(const QString &section, const QString &key, int defaultValue) const;
    // Nothing when no file has the key (an empty value is a value).
    std::optional<QString> findSetting(const QString &section, const QString &key, int bufferSize = 261) const;
    // Writes to the user's setting.ini, making its folder when needed. The
    // first failure is passed to the write-failure handler; later ones are
    // not, so the user hears of it once. Returns false on failure.
    bool writeSetting(const QString &section, const QString &key, const QString &value) const;
    // Passes a failed write of another file of the user's (the desktop
    // program's own state) to the same once-only report.
    void reportWriteFailure(const QString &file, const QString &reason) const;
    // Called once, with the file and the reason, when a write first fails.
    void setWriteFailureHandler(std::function<void(const QString &file, const QString &reason)> handler)
    {
        m_writeFailureHandler = std::move(handler);
    }

    QString modelName() const { return m_modelName; }
    void setModelName(const QString &model);
    // The model named for this run (the command line's --model): a codeplug
    // that names another model does not change it.
    void setModelOverride(const QString &model)
    {
        setModelName(model);
        m_modelOverridden = true;
    }
    bool modelOverridden() const { return m_modelOverridden; }
    // The models this program has rules for: RQ381, RQ381S, VK214, TL809.
    static const QStringList &knownModels();
    static bool isKnownModel(const QString &model) { return knownModels().contains(model); }
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
    // Whether the language file of languageName() is found.
    bool languageFileExists() const;
    // Where the language file of that name is (or would be, for messages).
    QString languageFilePath(const QString &name) const;
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
    ConfigLocations m_locations;
    std::function<void(const QString &, const QString &)> m_writeFailureHandler;
    mutable bool m_toldWriteFailure = false;
    QString m_modelName;
    bool m_modelOverridden = false;
    int m_zoneSlotCount = 2;
    QString m_languageName;
    Language m_language;
};
