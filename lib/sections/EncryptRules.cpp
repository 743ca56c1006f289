#include "sections/EncryptRules.h"

#include "sections/ChannelData.h"
#include "sections/EncryptData.h"
#include "sections/ListRules.h"

#include <QStringList>

namespace {

constexpr int kEntries = CEncryptData::kEntryCount;

int insertedAt(int ref, int row)
{
    return ListRules::afterInsertion(ref, row, kEntries);
}

}

int CEncryptRules::count() const
{
    return CEncryptData(m_doc).CountEntries();
}

QString CEncryptRules::keyForNewEntry(int n)
{
    return QStringLiteral("%1").arg(n, CEncryptData::kKeyLength, 10, QLatin1Char('0'));
}

QString CEncryptRules::newEntryName(int used) const
{
    const CEncryptData keys(m_doc);
    QStringList names;
    for (int entry = 1; entry <= used; ++entry)
        names << keys.GetName(entry);
    return ListRules::firstFreeName(QStringLiteral("Encrypt %1"), kEntries, names);
}

EditResult CEncryptRules::add()
{
    const int used = count();
    if (used >= kEntries)
        return EditResult::refused(Refusal::ListFull);
    CEncryptData keys(m_doc);
    const int entry = used + 1;
    keys.SetNumber(entry, entry);
    keys.SetKey(entry, keyForNewEntry(entry));
    keys.SetName(entry, newEntryName(used));
    return EditResult::showRecord(entry);
}

EditResult CEncryptRules::insert(int row)
{
    const int used = count();
    if (row < 1 || row > used)
        return EditResult::refused(Refusal::NoSuchRecord);
    if (used >= kEntries)
        return EditResult::refused(Refusal::ListFull);
    CEncryptData keys(m_doc);
    const int total = used + 1;
    const QString name = newEntryName(used);
    for (int entry = used; entry >= row; --entry)
        moveEntry(entry, entry + 1);
    keys.SetName(row, name);
    keys.SetKey(row, keyForNewEntry(total));
    for (int entry = 1; entry <= total; ++entry)
        keys.SetNumber(entry, entry);
    followKeyRefs(insertedAt, row);
    return EditResult::showRecord(row);
}

EditResult CEncryptRules::remove(int row)
{
    const int used = count();
    if (row < 1 || row > used)
        return EditResult::refused(Refusal::NoSuchRecord);
    if (used < 2)
        return EditResult::refused(Refusal::OnlyRecord);
    CEncryptData keys(m_doc);
    for (int entry = row; entry < used; ++entry) {
        moveEntry(entry + 1, entry);
        keys.SetNumber(entry, entry);
    }
    keys.ClearEntry(used);
    followKeyRefs(ListRules::afterRemoval, row);
    return EditResult::showRecord(used - 1);
}

bool CEncryptRules::enterName(int row, const QString &text, Prompter &prompter)
{
    CEncryptData keys(m_doc);
    const int used = count();
    if (row < 1 || row > used)
        return false;
    if (text == keys.GetName(row))
        return true;
    QStringList others;
    for (int entry = 1; entry <= used; ++entry) {
        if (entry != row)
            others << keys.GetName(entry);
    }
    if (!ListRules::acceptName(text, others, prompter))
        return false;
    keys.SetName(row, text);
    return true;
}

bool CEncryptRules::enterKey(int row, const QString &text)
{
    if (row < 1 || row > count() || text.size() > CEncryptData::kKeyLength)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    // Padded first, so a short all-zero key gets the default key as well.
    CEncryptData(m_doc).SetKey(row, text.rightJustified(CEncryptData::kKeyLength, QLatin1Char('0')));
    return true;
}

void CEncryptRules::moveEntry(int from, int to)
{
    const CEncryptData keys(m_doc);
    ListRules::moveNumberedRecord(m_doc, keys.recordOffset(from), keys.recordOffset(to));
}

void CEncryptRules::followKeyRefs(int (*map)(int ref, int row), int row)
{
    ListRules::forEachUsedChannel(m_doc, [map, row](CChannelData &channels, int zone, int channel) {
        const int ref = channels.GetEncrypt(zone, channel);
        const int after = map(ref, row);
        if (after != ref)
            channels.SetEncrypt(zone, channel, after);
    });
}
