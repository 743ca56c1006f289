#pragma once

#include <QString>
#include <QStringList>

// Looks texts up in the active language file (an INI file in UTF-8).
// A missing file or key yields the empty text, never an error.
class Language
{
public:
    Language() = default;
    explicit Language(const QString &path) : m_path(path) {}

    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }

    // Section "String"; "\n" and "\t" sequences become line break and tab.
    QString GetLangString(const QString &key) const;
    // Any section, with the same escape handling (menu texts carry a tab).
    QString GetLangText(const QString &section, const QString &key) const;
    // Key written as the decimal number n, no escape handling.
    QString GetLangItem(const QString &section, int n) const;
    // The entries 0, 1, 2, ... of a drop-down list section, up to the first
    // missing or empty one.
    QStringList GetLangList(const QString &section) const;

    static constexpr int kValueBufferSize = 1000;

private:
    QString m_path;
};
