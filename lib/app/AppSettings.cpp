#include "app/AppSettings.h"

#include "app/FilePaths.h"
#include "app/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

AppSettings::AppSettings(const QString &configDir) : AppSettings(ConfigLocations::forRun(configDir)) {}

AppSettings::AppSettings(const ConfigLocations &locations) : m_locations(locations) {}

void AppSettings::load()
{
    setModelName(setting(QStringLiteral("setup"), QStringLiteral("model")));
    QString language = setting(QStringLiteral("setup"), QStringLiteral("language"));
    if (language.isEmpty())
        language = languageForLocale(QLocale::system().name());
    setLanguageName(language);
}

std::optional<QString> AppSettings::findSetting(const QString &section, const QString &key, int bufferSize) const
{
    for (const QString &file : m_locations.settingsFiles()) {
        if (std::optional<QString> value = IniFile::find(file, section, key, bufferSize))
            return value;
    }
    return std::nullopt;
}

QString AppSettings::setting(const QString &section, const QString &key, int bufferSize) const
{
    return findSetting(section, key, bufferSize).value_or(QString());
}

int AppSettings::settingInt(const QString &section, const QString &key, int defaultValue) const
{
    for (const QString &file : m_locations.settingsFiles()) {
        if (const std::optional<int> value = IniFile::findInt(file, section, key))
            return *value;
    }
    return defaultValue;
}

bool AppSettings::writeSetting(const QString &section, const QString &key, const QString &value) const
{
    const QString file = m_locations.writableSettingsFile();
    const QString folder = QFileInfo(file).absolutePath();
    if (QDir().mkpath(folder) && IniFile::writeString(file, section, key, value))
        return true;
    QString reason = QFileInfo(folder).isDir() ? FilePaths::whyNotWritable(file)
                                               : QStringLiteral("the folder %1 cannot be made").arg(folder);
    if (reason.isEmpty())
        reason = QStringLiteral("the file cannot be replaced");
    reportWriteFailure(QDir::toNativeSeparators(file), reason);
    return false;
}

void AppSettings::reportWriteFailure(const QString &file, const QString &reason) const
{
    if (m_toldWriteFailure || !m_writeFailureHandler)
        return;
    m_toldWriteFailure = true;
    m_writeFailureHandler(file, reason);
}

void AppSettings::setModelName(const QString &model)
{
    m_modelName = model;
    m_zoneSlotCount = zoneSlotCountFor(model);
}

const QStringList &AppSettings::knownModels()
{
    static const QStringList models{QStringLiteral("RQ381"), QStringLiteral("RQ381S"), QStringLiteral("VK214"),
                                    QStringLiteral("TL809")};
    return models;
}

int AppSettings::zoneSlotCountFor(const QString &model)
{
    return (model == QLatin1String("VK214") || model == QLatin1String("TL809")) ? 16 : 2;
}

void AppSettings::setLanguageName(const QString &name)
{
    m_languageName = name;
    m_language.setPath(languageFilePath(name));
}

QString AppSettings::languageFilePath(const QString &name) const
{
    return m_locations.find(name + QStringLiteral(".lang"));
}

bool AppSettings::languageFileExists() const
{
    return QFileInfo(languageFilePath(m_languageName)).isFile();
}

QString AppSettings::languageForLocale(const QString &localeName)
{
    // Only Chinese (PRC) selects the Chinese texts.
    const QString n = localeName.toLower().replace(QLatin1Char('-'), QLatin1Char('_'));
    return (n == QLatin1String("zh_cn") || n == QLatin1String("zh_hans_cn"))
               ? QStringLiteral("chinese")
               : QStringLiteral("english");
}

bool AppSettings::calibrationInChinese() const
{
    return setting(QStringLiteral("setup"), QStringLiteral("language")) == QLatin1String("chinese");
}
