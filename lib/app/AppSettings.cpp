#include "app/AppSettings.h"

#include "app/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

AppSettings::AppSettings(const QString &configDir)
    : m_programDir(configDir.isEmpty() ? QCoreApplication::applicationDirPath() : configDir)
{
}

QString AppSettings::settingsPath() const
{
    return QDir(m_programDir).filePath(QStringLiteral("setting.ini"));
}

bool AppSettings::settingsFileExists() const
{
    return QFileInfo(settingsPath()).isFile();
}

void AppSettings::load()
{
    setModelName(setting(QStringLiteral("setup"), QStringLiteral("model")));
    QString language = setting(QStringLiteral("setup"), QStringLiteral("language"));
    if (language.isEmpty())
        language = languageForLocale(QLocale::system().name());
    setLanguageName(language);
}

QString AppSettings::setting(const QString &section, const QString &key, int bufferSize) const
{
    return IniFile::readString(settingsPath(), section, key, QString(), bufferSize);
}

int AppSettings::settingInt(const QString &section, const QString &key, int defaultValue) const
{
    return IniFile::readInt(settingsPath(), section, key, defaultValue);
}

bool AppSettings::writeSetting(const QString &section, const QString &key, const QString &value) const
{
    return IniFile::writeString(settingsPath(), section, key, value);
}

void AppSettings::setModelName(const QString &model)
{
    m_modelName = model;
    m_zoneSlotCount = zoneSlotCountFor(model);
}

int AppSettings::zoneSlotCountFor(const QString &model)
{
    return (model == QLatin1String("VK214") || model == QLatin1String("TL809")) ? 16 : 2;
}

void AppSettings::setLanguageName(const QString &name)
{
    m_languageName = name;
    m_language.setPath(QDir(m_programDir).filePath(name + QStringLiteral(".lang")));
}

bool AppSettings::languageFileExists() const
{
    return QFileInfo(QDir(m_programDir).filePath(m_languageName + QStringLiteral(".lang"))).isFile();
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
