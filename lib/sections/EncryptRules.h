#pragma once

#include "sections/EditResult.h"

#include <QString>

class CPcSoftwareDoc;
class Prompter;

// The rules of the encryption-key grid: add, insert and delete with the
// channels' key numbers following, and the name entry.
class CEncryptRules
{
public:
    explicit CEncryptRules(CPcSoftwareDoc &doc) : m_doc(doc) {}

    int count() const;
    // The key a new entry n gets: n written with eight digits.
    static QString keyForNewEntry(int n);

    EditResult add();
    EditResult insert(int row);
    EditResult remove(int row);

    bool enterName(int row, const QString &text, Prompter &prompter);
    // Key entry: up to eight digits, padded on the left with "0". A key that
    // is all zeros however it was typed ("0", "000", "00000000") stores the
    // default key. Any other text is refused and the key stays.
    bool enterKey(int row, const QString &text);

private:
    QString newEntryName(int used) const;
    void moveEntry(int from, int to);
    void followKeyRefs(int (*map)(int ref, int row), int row);

    CPcSoftwareDoc &m_doc;
};
