#include "sections/CQuickTextView.h"

#include "codeplug/Encodings.h"
#include "sections/QuickTextData.h"
#include "sections/QuickTextRules.h"

CQuickTextView::CQuickTextView(const FormContext &context, QWidget *parent)
    : CGridListForm(context, 18, kDialogId, Grid, QStringLiteral("GridQuickText"), {40, 450}, parent)
{
    // Typing stops where the stored text ends, so nothing typed is cut off
    // unseen.
    grid()->setColumnEditor(0, {NameField::kQuickTextUnits, {}});
}

int CQuickTextView::recordCount() const
{
    return CQuickTextRules(doc()).count();
}

int CQuickTextView::capacity() const
{
    return CQuickTextData::kTextCount;
}

QStringList CQuickTextView::recordTexts(int record) const
{
    return {CQuickTextData(doc()).GetText(record)};
}

void CQuickTextView::commitCell(int record, int, const QString &text)
{
    storeField(TextEditor, [&] { CQuickTextRules(doc()).enterText(record, text); });
}

EditResult CQuickTextView::runOperation(ListOperation operation, int record, Prompter &)
{
    CQuickTextRules rules(doc());
    switch (operation) {
    case ListOperation::Add: return rules.add();
    case ListOperation::Insert: return rules.insert(record);
    case ListOperation::Delete: return rules.remove(record);
    }
    return EditResult::refused(Refusal::NoSuchRecord);
}

QString CQuickTextView::actionKey(ListOperation operation) const
{
    switch (operation) {
    case ListOperation::Add: return QStringLiteral("IDS_ACTION_ADD_QUICKTEXT");
    case ListOperation::Insert: return QStringLiteral("IDS_ACTION_INSERT_QUICKTEXT");
    case ListOperation::Delete: break;
    }
    return QStringLiteral("IDS_ACTION_DELETE_QUICKTEXT");
}
