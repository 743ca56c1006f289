#include "sections/CContactView.h"

#include "app/Language.h"
#include "app/Prompter.h"
#include "codeplug/Encodings.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"

CContactView::CContactView(const FormContext &context, QWidget *parent)
    : CGridListForm(context, 11, kDialogId, Grid, QStringLiteral("GridContacts"), {40, 200, 150, 100}, parent)
{
    grid()->setColumnEditor(NameColumn, {NameField::kNameUnits, {}});
    grid()->setColumnEditor(CallIdColumn, {CContactData::kCallIdLength, &CEditGrid::digitOrStar});
}

void CContactView::OnInitialUpdate(int recordIndex)
{
    // A step of its own only when a gap was closed.
    runEdit(QStringLiteral("IDS_ACTION_COMPACT_CONTACTS"), [this] { CContactRules(doc()).compact(); },
            Redraw::OtherForms);
    CGridListForm::OnInitialUpdate(recordIndex);
}

int CContactView::recordCount() const
{
    return CContactRules(doc()).count();
}

int CContactView::capacity() const
{
    return CContactData::kContactCount;
}

QStringList CContactView::recordTexts(int record) const
{
    const CContactData contacts(doc());
    const int type = CContactRules(doc()).contactType(record);
    return {contacts.GetName(record), contacts.GetCallId(record),
            language().GetLangItem(QStringLiteral("ContactsType"), type)};
}

void CContactView::commitCell(int record, int column, const QString &text)
{
    DeferredPrompter messages;
    if (column == NameColumn) {
        storeField(NameEditor, [&] { CContactRules(doc()).enterName(record, text, messages); });
    } else if (column == CallIdColumn) {
        storeField(CallIdEditor, [&] { CContactRules(doc()).enterCallId(record, text, messages); });
    }
    messages.showOn(prompter());
}

EditResult CContactView::runOperation(ListOperation operation, int record, Prompter &messages)
{
    CContactRules rules(doc());
    switch (operation) {
    case ListOperation::Add: return rules.add(messages);
    case ListOperation::Insert: return rules.insert(record, messages);
    case ListOperation::Delete: return rules.remove(record);
    }
    return EditResult::refused(Refusal::NoSuchRecord);
}

QString CContactView::actionKey(ListOperation operation) const
{
    switch (operation) {
    case ListOperation::Add: return QStringLiteral("IDS_ACTION_ADD_CONTACT");
    case ListOperation::Insert: return QStringLiteral("IDS_ACTION_INSERT_CONTACT");
    case ListOperation::Delete: break;
    }
    return QStringLiteral("IDS_ACTION_DELETE_CONTACT");
}
