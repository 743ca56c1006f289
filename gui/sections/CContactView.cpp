#include "sections/CContactView.h"

#include "app/Language.h"
#include "app/Prompter.h"
#include "codeplug/Encodings.h"
#include "fields/RecordMends.h"
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
    // A step of its own only when bytes change.
    runEdit(QStringLiteral("IDS_ACTION_COMPACT_CONTACTS"), [this] { Mends::contacts(doc()); }, Redraw::OtherForms);
    CGridListForm::OnInitialUpdate(recordIndex);
}

void CContactView::Reload()
{
    CGridListForm::Reload();
    QStringList numbers;
    for (int contact : CContactRules(doc()).usedContacts())
        numbers << QString::number(contact);
    grid()->setRowTitles(numbers);
}

// Rows are the contacts in use in their order; once the gaps are closed,
// row r is contact r.
int CContactView::recordCount() const
{
    return int(CContactRules(doc()).usedContacts().size());
}

int CContactView::capacity() const
{
    return CContactData::kContactCount;
}

QStringList CContactView::recordTexts(int row) const
{
    const int record = CContactRules(doc()).usedContacts().value(row - 1, row);
    const CContactData contacts(doc());
    const int type = CContactRules(doc()).contactType(record);
    return {contacts.GetName(record), contacts.GetCallId(record),
            language().GetLangItem(QStringLiteral("ContactsType"), type)};
}

void CContactView::commitCell(int record, int column, const QString &text)
{
    DeferredPrompter messages;
    if (column == NameColumn) {
        storeField(NameEditor, [&] {
            Mends::contacts(doc());
            CContactRules(doc()).enterName(record, text, messages);
        });
    } else if (column == CallIdColumn) {
        storeField(CallIdEditor, [&] {
            Mends::contacts(doc());
            CContactRules(doc()).enterCallId(record, text, messages);
        });
    }
    messages.showOn(prompter());
}

EditResult CContactView::runOperation(ListOperation operation, int record, Prompter &messages)
{
    Mends::contacts(doc());
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
