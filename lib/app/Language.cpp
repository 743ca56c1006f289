#include "app/Language.h"

#include "app/IniFile.h"

namespace {

QString unescape(QString text)
{
    text.replace(QLatin1String("\\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\\t"), QLatin1String("\t"));
    return text;
}

}

QString Language::GetLangString(const QString &key) const
{
    return GetLangText(QStringLiteral("String"), key);
}

QString Language::GetLangText(const QString &section, const QString &key) const
{
    return unescape(IniFile::readString(m_path, section, key, QString(), kValueBufferSize));
}

QString Language::GetLangItem(const QString &section, int n) const
{
    return IniFile::readString(m_path, section, QString::number(n), QString(), kValueBufferSize);
}

QStringList Language::GetLangList(const QString &section) const
{
    QStringList items;
    for (int n = 0;; ++n) {
        const QString item = GetLangItem(section, n);
        if (item.isEmpty())
            break;
        items << item;
    }
    return items;
}
