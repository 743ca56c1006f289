#include "sections/CEncryptView.h"

#include "app/Prompter.h"
#include "codeplug/Encodings.h"
#include "sections/EncryptData.h"
#include "sections/EncryptRules.h"

CEncryptView::CEncryptView(const FormContext &context, QWidget *parent)
    : CGridListForm(context, 13, kDialogId, Grid, QStringLiteral("GridEncrypt"), {40, 250, 200}, parent)
{
    grid()->setColumnEditor(NameColumn, {NameField::kNameUnits, {}});
    grid()->setColumnEditor(KeyColumn, {CEncryptData::kKeyLength, &CEditGrid::digit});
}

int CEncryptView::recordCount() const
{
    return CEncryptRules(doc()).count();
}

int CEncryptView::capacity() const
{
    return CEncryptData::kEntryCount;
}

QStringList CEncryptView::recordTexts(int record) const
{
    const CEncryptData keys(doc());
    return {keys.GetName(record), keys.GetKey(record)};
}

void CEncryptView::commitCell(int record, int column, const QString &text)
{
    DeferredPrompter messages;
    if (column == NameColumn)
        storeField(NameEditor, [&] { CEncryptRules(doc()).enterName(record, text, messages); });
    else if (column == KeyColumn)
        storeField(KeyEditor, [&] { CEncryptRules(doc()).enterKey(record, text); });
    messages.showOn(prompter());
}

EditResult CEncryptView::runOperation(ListOperation operation, int record, Prompter &)
{
    CEncryptRules rules(doc());
    switch (operation) {
    case ListOperation::Add: return rules.add();
    case ListOperation::Insert: return rules.insert(record);
    case ListOperation::Delete: return rules.remove(record);
    }
    return EditResult::refused(Refusal::NoSuchRecord);
}

QString CEncryptView::actionKey(ListOperation operation) const
{
    switch (operation) {
    case ListOperation::Add: return QStringLiteral("IDS_ACTION_ADD_ENCRYPT");
    case ListOperation::Insert: return QStringLiteral("IDS_ACTION_INSERT_ENCRYPT");
    case ListOperation::Delete: break;
    }
    return QStringLiteral("IDS_ACTION_DELETE_ENCRYPT");
}
