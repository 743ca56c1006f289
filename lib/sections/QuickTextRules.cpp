#include "sections/QuickTextRules.h"

#include "sections/QuickTextData.h"

#include <QStringList>
#include <algorithm>

namespace {
constexpr int kTexts = CQuickTextData::kTextCount;
}

int CQuickTextRules::count() const
{
    const int stored = CQuickTextData(m_doc).GetCount();
    return std::clamp(stored, 1, kTexts);
}

EditResult CQuickTextRules::add()
{
    const int used = count();
    if (used >= kTexts)
        return EditResult::refused(Refusal::ListFull);
    CQuickTextData texts(m_doc);
    texts.SetCount(used + 1);
    texts.SetText(used + 1, QString());
    return EditResult::showRecord(used + 1);
}

EditResult CQuickTextRules::insert(int row)
{
    const int used = count();
    if (row < 1 || row > used)
        return EditResult::refused(Refusal::NoSuchRecord);
    if (used >= kTexts)
        return EditResult::refused(Refusal::ListFull);
    CQuickTextData texts(m_doc);
    QStringList moved{QString()};
    for (int text = row; text <= used; ++text)
        moved << texts.GetText(text);
    for (int i = 0; i < moved.size(); ++i)
        texts.SetText(row + i, moved.at(i));
    texts.SetCount(used + 1);
    return EditResult::showRecord(row);
}

EditResult CQuickTextRules::remove(int row)
{
    const int used = count();
    if (row < 1 || row > used)
        return EditResult::refused(Refusal::NoSuchRecord);
    if (used < 2)
        return EditResult::refused(Refusal::OnlyRecord);
    CQuickTextData texts(m_doc);
    for (int text = row; text < used; ++text)
        texts.SetText(text, texts.GetText(text + 1));
    texts.SetText(used, QString());
    texts.SetCount(used - 1);
    return EditResult::showRecord(std::min(row, used - 1));
}

bool CQuickTextRules::enterText(int row, const QString &text)
{
    if (row < 1 || row > count())
        return false;
    CQuickTextData texts(m_doc);
    if (texts.GetCount() == 0)
        texts.SetCount(1);
    texts.SetText(row, text);
    return true;
}
