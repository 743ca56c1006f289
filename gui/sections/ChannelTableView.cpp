#include "sections/ChannelTableView.h"

#include "app/AppSettings.h"
#include "app/Language.h"
#include "app/Prompter.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "sections/ChannelTableModel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <limits>
#include <set>

namespace {

bool isApplyKey(const QKeyEvent *key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::ControlModifier);
}

}

// The editor of a cell: a list for fields with entries (a tone list can also
// be typed into), a line for texts and frequencies.
class ChannelCellDelegate : public QStyledItemDelegate
{
public:
    ChannelCellDelegate(ChannelTable *table) : QStyledItemDelegate(table), m_table(table) {}

    static bool isTone(const QModelIndex &index)
    {
        const auto *model = qobject_cast<const ChannelTableModel *>(index.model());
        const Fields::Field *field = model ? model->fieldAt(index.column()) : nullptr;
        return field && field->kind == Fields::Kind::Tone;
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QStringList entries = index.data(ChannelTableModel::EntriesRole).toStringList();
        QWidget *editor = nullptr;
        if (entries.isEmpty()) {
            editor = QStyledItemDelegate::createEditor(parent, option, index);
        } else {
            auto *box = new QComboBox(parent);
            box->addItems(entries);
            box->setEditable(isTone(index));
            editor = box;
        }
        editor->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *box = qobject_cast<QComboBox *>(editor)) {
            if (isTone(index))
                box->setCurrentText(index.data(Qt::DisplayRole).toString());
            else
                box->setCurrentIndex(index.data(Qt::EditRole).toInt());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    static QVariant valueOf(QWidget *editor, const QModelIndex &index)
    {
        if (auto *box = qobject_cast<QComboBox *>(editor))
            return isTone(index) ? QVariant(box->currentText()) : QVariant(box->currentIndex());
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            return line->text();
        return {};
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        // Only a changed value is stored: leaving a cell stores nothing.
        const QVariant value = valueOf(editor, index);
        const QVariant shown = qobject_cast<QComboBox *>(editor) && !isTone(index) ? index.data(Qt::EditRole)
                                                                                   : index.data(Qt::DisplayRole);
        if (value.toString() != shown.toString())
            model->setData(index, value, Qt::EditRole);
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *editor = qobject_cast<QWidget *>(object);
        if (editor && event->type() == QEvent::KeyPress && isApplyKey(static_cast<QKeyEvent *>(event))) {
            m_table->applyEditorValue(editor, valueOf(editor, m_table->currentIndex()));
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    ChannelTable *m_table;
};

bool ChannelTable::event(QEvent *event)
{
    // Ctrl+C and Ctrl+Enter belong to the table while it has the focus,
    // before the main window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) || isApplyKey(key)) {
            event->accept();
            return true;
        }
    }
    return QTableView::event(event);
}

void ChannelTable::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested();
        return;
    }
    if (isApplyKey(event)) {
        // Not editing: the current cell's value goes to the selected rows.
        const QModelIndex current = currentIndex();
        if (current.isValid()) {
            const bool listed = !current.data(ChannelTableModel::EntriesRole).toStringList().isEmpty()
                                && !ChannelCellDelegate::isTone(current);
            const bool ticked = current.data(Qt::CheckStateRole).isValid();
            emit applyToSelectionRequested(ticked ? QVariant(current.data(Qt::CheckStateRole).toInt() == Qt::Checked)
                                           : listed ? current.data(Qt::EditRole)
                                                    : current.data(Qt::DisplayRole));
        }
        return;
    }
    QTableView::keyPressEvent(event);
}

void ChannelTable::applyEditorValue(QWidget *editor, const QVariant &value)
{
    // The editor goes without storing its value on the one cell: the value
    // goes to every selected row at once.
    QTableView::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    emit applyToSelectionRequested(value);
}

ChannelTableView::ChannelTableView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 6, 0, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_model = new ChannelTableModel(doc(), editor(), prompter(), this);
    m_table = new ChannelTable(this);
    m_table->setObjectName(QStringLiteral("ChannelTable"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(new ChannelCellDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed);
    m_table->setTabKeyNavigation(true);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Column widths from the header and the first rows: measuring every
    // cell of 256 channels would cost more than the rest of opening.
    m_table->horizontalHeader()->setResizeContentsPrecision(32);
    layout->addWidget(m_table);
    setFocusProxy(m_table);

    connect(m_model, &ChannelTableModel::edited, this, [this](bool names) {
        if (names)
            emit namesChanged();
        emit dataChanged();
    });
    connect(m_table, &ChannelTable::applyToSelectionRequested, this, &ChannelTableView::applyToSelectedRows);
    connect(m_table, &ChannelTable::copyRequested, this, &ChannelTableView::copySelection);
    connect(m_table, &ChannelTable::pasteRequested, this, [this] { paste(QApplication::clipboard()->text()); });
    resize(900, 480);
}

void ChannelTableView::OnUpdate()
{
    const QString title = language().GetLangString(QStringLiteral("IDS_TABLE_TITLE"));
    if (parentWidget())
        parentWidget()->setWindowTitle(title);
    m_table->setAccessibleName(title);
    Reload();
    m_table->resizeColumnsToContents();
}

void ChannelTableView::Reload()
{
    m_model->reload();
}

QList<int> ChannelTableView::selectedRows() const
{
    std::set<int> rows;
    const auto cells = m_table->selectionModel()->selectedIndexes();
    for (const QModelIndex &cell : cells)
        rows.insert(cell.row());
    if (rows.empty() && m_table->currentIndex().isValid())
        rows.insert(m_table->currentIndex().row());
    return QList<int>(rows.begin(), rows.end());
}

void ChannelTableView::applyToSelectedRows(const QVariant &value)
{
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid() || !m_model->fieldAt(current.column()))
        return;
    m_model->setOnRows(selectedRows(), current.column(), value);
}

void ChannelTableView::paste(const QString &text)
{
    QList<QStringList> block = ChannelTableModel::splitBlock(text);
    const QModelIndexList cells = m_table->selectionModel()->selectedIndexes();
    QModelIndex corner = m_table->currentIndex();
    for (const QModelIndex &cell : cells) {
        if (!corner.isValid() || cell.row() < corner.row() || (cell.row() == corner.row() && cell.column() < corner.column()))
            corner = cell;
    }
    if (block.isEmpty() || !corner.isValid())
        return;
    const int selected = int(selectedRows().size());
    const int blockRows = int(block.size()) - (m_model->isHeader(block.first()) ? 1 : 0);
    int rowLimit = std::numeric_limits<int>::max();
    if (selected > 1 && blockRows > selected) {
        const QString question = language().GetLangString(QStringLiteral("IDS_TABLE_PASTE_BEYOND")).arg(blockRows).arg(selected);
        const Prompt prompt{QString(), QStringLiteral("IDS_PROMPT"), Prompt::Icon::Question, Prompt::Buttons::YesNo, question};
        if (prompter().ask(prompt) != PromptAnswer::Yes)
            rowLimit = selected;
    }
    m_model->paste(corner.row(), corner.column(), block, rowLimit);
}

QString ChannelTableView::copySelection()
{
    const QString text = m_model->copyText(m_table->selectionModel()->selectedIndexes());
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
    return text;
}
