#include "sections/CContactView.h"

#include "app/CodeplugEditor.h"
#include "app/Language.h"
#include "app/Prompter.h"
#include "codeplug/Encodings.h"
#include "fields/ContactSheet.h"
#include "fields/RecordMends.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/TableClipboard.h"
#include "text/ContactsCsv.h"

#include <QApplication>
#include <QClipboard>

namespace {

// The keys of the data columns in a copied block's header: the contact's
// fields as the YAML codeplug names them, then the call type, which follows
// from the call ID and is only copied.
const QStringList kColumnKeys{QStringLiteral("name"), QStringLiteral("call_id"), QStringLiteral("call_type")};

}

CContactView::CContactView(const FormContext &context, QWidget *parent)
    : CGridListForm(context, 11, kDialogId, Grid, QStringLiteral("GridContacts"), {40, 200, 150, 100}, parent)
{
    grid()->setColumnEditor(NameColumn, {NameField::kNameUnits, {}});
    grid()->setColumnEditor(CallIdColumn, {CContactData::kCallIdLength, &CEditGrid::digitOrStar});
    grid()->setSpreadsheetKeys(true);
    connect(grid(), &CEditGrid::applyRequested, this, &CContactView::applyToSelectedRows);
    connect(grid(), &CEditGrid::copyRequested, this, &CContactView::copySelection);
    connect(grid(), &CEditGrid::pasteRequested, this, [this] { paste(QApplication::clipboard()->text()); });
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
    grid()->setAccessibleDescription(language().GetLangString(QStringLiteral("IDS_CONTACT_GRID_KEYS")));
}

// "3 Base": a row as a message names it.
QString CContactView::rowName(int row) const
{
    return QStringLiteral("%1 %2").arg(row).arg(CContactData(doc()).GetName(row));
}

void CContactView::applyToSelectedRows(int column, const QString &text)
{
    const Fields::Field *field = ContactSheet::field(kColumnKeys.value(column));
    if (!field)
        return;
    QList<int> rows;
    for (int row : grid()->selectedRows())
        rows << row + 1;
    const QString key = column == NameColumn ? QStringLiteral("IDS_ACTION_SET_NAME_ON_CONTACTS")
                                             : QStringLiteral("IDS_ACTION_SET_CALLID_ON_CONTACTS");
    ContactSheet::Result result;
    // Named for the rows that took the value, known once the change ran.
    if (recordEdit(EditName::onRecords(key, 0, int(rows.size())),
                   [&] { result = ContactSheet::setOnRows(doc(), *field, rows, text); }, Redraw::OtherForms))
        editor().renameTop(EditName::onRecords(key, 0, result.stored));
    Reload();
    TableClipboard::Refusals refusals;
    for (const ContactSheet::Refusal &refused : std::as_const(result.refused))
        refusals.add(rowName(refused.row), refused.store);
    refusals.tell(prompter(), language(), QStringLiteral("IDS_CONTACT_ROWS_REFUSED"));
}

QString CContactView::copySelection()
{
    QModelIndexList cells = grid()->selectionModel()->selectedIndexes();
    if (cells.isEmpty() && grid()->currentIndex().isValid())
        cells << grid()->currentIndex();
    // Rows are the contacts in use, which an undone compaction may leave with gaps.
    const QList<int> used = CContactRules(doc()).usedContacts();
    const QString text = TableClipboard::copyText(
        cells, [](int column) { return kColumnKeys.value(column); },
        [&](int row, int column) -> QString {
            const int contact = used.value(row);
            if (contact == 0)
                return QString();
            if (column == TypeColumn)
                return ContactsCsv::callTypeText(CContactRules(doc()).contactType(contact));
            const Fields::Field *field = ContactSheet::field(kColumnKeys.value(column));
            return field ? Fields::valueText(*field, doc(), Fields::At{contact, 0}).value_or(QString()) : QString();
        });
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
    return text;
}

void CContactView::paste(const QString &text)
{
    QList<QStringList> block = TableClipboard::splitBlock(text);
    QModelIndex corner = grid()->currentIndex();
    const QModelIndexList cells = grid()->selectionModel()->selectedIndexes();
    for (const QModelIndex &cell : cells) {
        if (!corner.isValid() || cell.row() < corner.row() || (cell.row() == corner.row() && cell.column() < corner.column()))
            corner = cell;
    }
    if (block.isEmpty() || !corner.isValid())
        return;
    // A header of keys sends each column to the field it names; without
    // one the block's columns go to the grid's from the corner on.
    QList<const Fields::Field *> columns;
    const bool header = TableClipboard::isHeader(block.first(), [](const QString &key) { return kColumnKeys.contains(key.trimmed()); });
    for (qsizetype i = 0; i < block.first().size(); ++i)
        columns << ContactSheet::field(header ? block.first()[i].trimmed() : kColumnKeys.value(corner.column() + int(i)));
    if (header)
        block.removeFirst();

    const int selected = int(grid()->selectedRows().size());
    if (selected > 1 && block.size() > selected) {
        const QString question = language().GetLangString(QStringLiteral("IDS_TABLE_PASTE_BEYOND")).arg(block.size()).arg(selected);
        if (prompter().ask(Prompt{QString(), QStringLiteral("IDS_PROMPT"), Prompt::Icon::Question, Prompt::Buttons::YesNo, question})
            != PromptAnswer::Yes)
            block = block.mid(0, selected);
    }
    const QString key = QStringLiteral("IDS_ACTION_PASTE_CELLS");
    ContactSheet::Result result;
    if (recordEdit(EditName::onRecords(key, 0, 0), [&] { result = ContactSheet::paste(doc(), corner.row() + 1, columns, block); },
                   Redraw::OtherForms))
        editor().renameTop(EditName::onRecords(key, 0, result.stored));
    Reload();

    TableClipboard::Refusals refusals;
    for (const ContactSheet::Refusal &refused : std::as_const(result.refused)) {
        const int column = int(kColumnKeys.indexOf(refused.field->key));
        refusals.add(QStringLiteral("%1, %2").arg(rowName(refused.row), grid()->horizontalHeaderItem(column)->text()), refused.store);
    }
    QStringList message;
    if (result.leftOut > 0)
        message << language().GetLangString(QStringLiteral("IDS_CONTACT_PASTE_LEFT_OUT")).arg(result.leftOut);
    if (!refusals.isEmpty())
        message << refusals.text(language(), QStringLiteral("IDS_TABLE_CELLS_REFUSED"));
    if (!message.isEmpty())
        prompter().ask(Prompt{QString(), QStringLiteral("IDS_ERROR"), Prompt::Icon::Error, Prompt::Buttons::Ok,
                              message.join(QStringLiteral("\n\n"))});
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
