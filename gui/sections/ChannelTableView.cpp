#include "sections/ChannelTableView.h"

#include "app/AppSettings.h"
#include "app/Language.h"
#include "app/Prompter.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "sections/ChannelEditSelectedDialog.h"
#include "sections/ChannelTableModel.h"
#include "widgets/SpreadsheetKeys.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QToolBar>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <set>

// The editor of a cell: a list for fields with entries (a tone list can also
// be typed into), a line for texts and frequencies.
class ChannelCellDelegate : public QStyledItemDelegate
{
public:
    ChannelCellDelegate(ChannelTable *table) : QStyledItemDelegate(table), m_table(table) {}

    static bool isTone(const QModelIndex &index)
    {
        // The view's proxy keeps the model's columns.
        const QAbstractItemModel *shown = index.model();
        if (const auto *proxy = qobject_cast<const QAbstractProxyModel *>(shown))
            shown = proxy->sourceModel();
        const auto *model = qobject_cast<const ChannelTableModel *>(shown);
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
        if (editor && event->type() == QEvent::KeyPress && SpreadsheetKeys::isApply(static_cast<QKeyEvent *>(event))) {
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
        if (SpreadsheetKeys::isClaimed(key) || actionFor(key)) {
            event->accept();
            return true;
        }
    }
    return QTableView::event(event);
}

bool ChannelTable::wholeRowsSelected() const
{
    return selectionModel() && !selectionModel()->selectedRows().isEmpty();
}

QAction *ChannelTable::actionFor(const QKeyEvent *key) const
{
    const QKeySequence pressed(key->keyCombination());
    const auto own = actions();
    for (QAction *action : own) {
        if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed)
            return action;
    }
    return nullptr;
}

void ChannelTable::keyPressEvent(QKeyEvent *event)
{
    // Shift+Space selects the current row, as in a spreadsheet, so that the
    // keyboard can pick whole rows for Delete.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::ShiftModifier && currentIndex().isValid()) {
        selectionModel()->select(currentIndex(), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        return;
    }
    if (QAction *action = actionFor(event)) {
        // Delete takes whole rows only: a cell's Delete stays the cell's.
        if (!action->property("wholeRows").toBool() || wholeRowsSelected()) {
            action->trigger();
            return;
        }
    }
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested();
        return;
    }
    if (SpreadsheetKeys::isApply(event)) {
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
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier
        && state() != EditingState) {
        goDown();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ChannelTable::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache)
        goDown();
}

void ChannelTable::goDown()
{
    const QModelIndex current = currentIndex();
    const QModelIndex below = current.isValid() ? current.sibling(current.row() + 1, current.column()) : QModelIndex();
    if (below.isValid())
        selectionModel()->setCurrentIndex(below, QItemSelectionModel::ClearAndSelect);
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
    layout->setSpacing(0);
    m_model = new ChannelTableModel(doc(), editor(), prompter(), this);
    m_proxy = new QSortFilterProxyModel(this);
    m_proxy->setSourceModel(m_model);
    m_proxy->setSortRole(ChannelTableModel::SortRole);
    // Ticks filter by their Yes and No.
    m_proxy->setFilterRole(Qt::AccessibleTextRole);
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    // A row being edited stays where it is until the user sorts again.
    m_proxy->setDynamicSortFilter(false);

    m_table = new ChannelTable(this);
    m_table->setObjectName(QStringLiteral("ChannelTable"));
    m_table->setModel(m_proxy);
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
    // A click on a header sorts: ascending, descending, then the codeplug's order.
    m_table->horizontalHeader()->setSortIndicatorClearable(true);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    // Whole rows are dragged between rows; the model moves them. Cells are
    // never overwritten by a drop, and the view removes nothing after it.
    m_table->setDragDropOverwriteMode(false);
    m_table->setDropIndicatorShown(true);
    m_table->setDefaultDropAction(Qt::MoveAction);
    m_table->setContextMenuPolicy(Qt::ActionsContextMenu);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ChannelTableToolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addCommand(Command::Insert, QKeySequence(Qt::Key_Insert));
    addCommand(Command::Delete, QKeySequence(Qt::Key_Delete))->setProperty("wholeRows", true);
    addCommand(Command::MoveUp, QKeySequence(Qt::CTRL | Qt::Key_Up));
    addCommand(Command::MoveDown, QKeySequence(Qt::CTRL | Qt::Key_Down));
    m_toolBar->addSeparator();
    addCommand(Command::EditSelected, QKeySequence(Qt::CTRL | Qt::Key_E));
    addCommand(Command::CodeplugOrder, QKeySequence());
    m_toolBar->addSeparator();
    m_filterLabel = new QLabel(m_toolBar);
    m_filter = new QLineEdit(m_toolBar);
    m_filter->setObjectName(QStringLiteral("ChannelTableFilter"));
    m_filter->setClearButtonEnabled(true);
    // A search field's width, not the rest of the tool bar.
    m_filter->setFixedWidth(m_filter->fontMetrics().averageCharWidth() * 28);
    m_filterLabel->setBuddy(m_filter);
    m_filterColumn = new QComboBox(m_toolBar);
    m_filterColumn->setObjectName(QStringLiteral("ChannelTableFilterColumn"));
    m_filterColumn->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_filterColumn->setMinimumContentsLength(16);
    m_filterColumn->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_toolBar->addWidget(m_filterLabel);
    m_toolBar->addWidget(m_filter);
    m_toolBar->addWidget(m_filterColumn);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_table);
    setFocusProxy(m_table);
    // The table first, the filter after it.
    setTabOrder(m_table, m_filter);
    setTabOrder(m_filter, m_filterColumn);

    connect(m_model, &ChannelTableModel::edited, this, [this](bool names) {
        if (names)
            emit namesChanged();
        emit dataChanged();
    });
    connect(m_model, &ChannelTableModel::rowsChanged, this, [this](const QList<int> &rows) {
        selectSourceRows(rows);
        emit recordsChanged();
    });
    connect(m_table, &ChannelTable::applyToSelectionRequested, this, &ChannelTableView::applyToSelectedRows);
    connect(m_table, &ChannelTable::copyRequested, this, &ChannelTableView::copySelection);
    connect(m_table, &ChannelTable::pasteRequested, this, [this] { paste(QApplication::clipboard()->text()); });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ChannelTableView::updateCommands);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid())
            m_column = current.column();
        updateCommands();
    });
    connect(m_table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, &ChannelTableView::updateCommands);
    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString &text) {
        setFilter(text, m_filterColumn->currentData().toInt());
    });
    connect(m_filterColumn, &QComboBox::activated, this, [this] { setFilter(m_filter->text(), m_filterColumn->currentData().toInt()); });
    updateCommands();
    resize(900, 480);
}

QAction *ChannelTableView::addCommand(Command which, const QKeySequence &key)
{
    auto *action = new QAction(this);
    action->setShortcut(key);
    // The table dispatches the key itself, before the main window's shortcuts.
    action->setShortcutContext(Qt::WidgetShortcut);
    m_table->addAction(action);
    m_toolBar->addAction(action);
    m_commands.insert(int(which), action);
    switch (which) {
    case Command::Insert: connect(action, &QAction::triggered, this, &ChannelTableView::insertRow); break;
    case Command::Delete: connect(action, &QAction::triggered, this, &ChannelTableView::deleteSelectedRows); break;
    case Command::MoveUp: connect(action, &QAction::triggered, this, [this] { moveSelectedRows(-1); }); break;
    case Command::MoveDown: connect(action, &QAction::triggered, this, [this] { moveSelectedRows(1); }); break;
    case Command::EditSelected: connect(action, &QAction::triggered, this, &ChannelTableView::editSelected); break;
    case Command::CodeplugOrder: connect(action, &QAction::triggered, this, &ChannelTableView::showCodeplugOrder); break;
    }
    return action;
}

QAction *ChannelTableView::command(Command which) const
{
    return m_commands.value(int(which), nullptr);
}

void ChannelTableView::applyTexts()
{
    const Language &lang = language();
    const std::pair<Command, const char *> texts[] = {
        {Command::Insert, "IDS_TABLE_INSERT"},         {Command::Delete, "IDS_TABLE_DELETE"},
        {Command::MoveUp, "IDS_TABLE_MOVE_UP"},        {Command::MoveDown, "IDS_TABLE_MOVE_DOWN"},
        {Command::EditSelected, "IDS_TABLE_EDIT_SELECTED"}, {Command::CodeplugOrder, "IDS_TABLE_CODEPLUG_ORDER"},
    };
    for (const auto &[which, key] : texts)
        command(which)->setText(lang.GetLangString(QLatin1String(key)));
    const QString filter = lang.GetLangString(QStringLiteral("IDS_TABLE_FILTER"));
    m_filterLabel->setText(filter + QStringLiteral(": "));
    m_filter->setAccessibleName(filter);
    m_filterColumn->setAccessibleName(lang.GetLangString(QStringLiteral("IDS_TABLE_FILTER_COLUMN")));
    // The parts Qt adds: the table's select-all corner and the tool bar's
    // button for the commands that do not fit.
    if (auto *corner = m_table->findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly))
        corner->setAccessibleName(lang.GetLangString(QStringLiteral("IDS_TABLE_SELECT_ALL")));
    if (auto *more = m_toolBar->findChild<QWidget *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(lang.GetLangString(QStringLiteral("IDS_TABLE_MORE")));
    fillFilterColumns();
}

void ChannelTableView::fillFilterColumns()
{
    const int chosen = m_filterColumn->currentData().isValid() ? m_filterColumn->currentData().toInt() : -1;
    const QSignalBlocker blocker(m_filterColumn);
    m_filterColumn->clear();
    m_filterColumn->addItem(language().GetLangString(QStringLiteral("IDS_TABLE_FILTER_ALL")), -1);
    for (int column = 0; column < m_model->columnCount(); ++column)
        m_filterColumn->addItem(m_model->headerData(column, Qt::Horizontal).toString(), column);
    m_filterColumn->setCurrentIndex(std::max(0, m_filterColumn->findData(chosen)));
}

void ChannelTableView::OnUpdate()
{
    const QString title = language().GetLangString(QStringLiteral("IDS_TABLE_TITLE"));
    if (parentWidget())
        parentWidget()->setWindowTitle(title);
    m_table->setAccessibleName(title);
    applyTexts();
    Reload();
    m_table->resizeColumnsToContents();
    // The keyboard starts on the first channel's name, so the row commands
    // have a row from the start.
    if (!m_table->currentIndex().isValid() && m_proxy->rowCount() > 0)
        m_table->selectionModel()->setCurrentIndex(m_proxy->index(0, ChannelTableModel::kFixedColumns),
                                                   QItemSelectionModel::NoUpdate);
}

void ChannelTableView::Reload()
{
    m_model->reload();
    // Rows that changed under a filter or a sort are placed anew.
    if (isReordered())
        m_proxy->invalidate();
    updateCommands();
}

bool ChannelTableView::isReordered() const
{
    return m_proxy->sortColumn() >= 0 || !m_proxy->filterRegularExpression().pattern().isEmpty();
}

int ChannelTableView::sourceRow(int viewRow) const
{
    return m_proxy->mapToSource(m_proxy->index(viewRow, 0)).row();
}

int ChannelTableView::currentSourceRow() const
{
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? m_proxy->mapToSource(current).row() : -1;
}

QList<int> ChannelTableView::selectedRows() const
{
    std::set<int> rows;
    const auto cells = m_table->selectionModel()->selectedIndexes();
    for (const QModelIndex &cell : cells)
        rows.insert(m_proxy->mapToSource(cell).row());
    if (rows.empty() && currentSourceRow() >= 0)
        rows.insert(currentSourceRow());
    rows.erase(-1);
    return QList<int>(rows.begin(), rows.end());
}

void ChannelTableView::updateCommands()
{
    const bool any = !selectedRows().isEmpty();
    const bool inOrder = !isReordered();
    command(Command::Insert)->setEnabled(currentSourceRow() >= 0 || any);
    command(Command::Delete)->setEnabled(any);
    // Moves stay offered while sorted so that their refusal says why.
    command(Command::MoveUp)->setEnabled(any);
    command(Command::MoveDown)->setEnabled(any);
    command(Command::EditSelected)->setEnabled(any);
    command(Command::CodeplugOrder)->setEnabled(m_proxy->sortColumn() >= 0);
    m_table->setDragEnabled(inOrder);
    m_table->setDragDropMode(inOrder ? QAbstractItemView::InternalMove : QAbstractItemView::NoDragDrop);
}

void ChannelTableView::selectSourceRows(const QList<int> &rows)
{
    QItemSelection selection;
    QModelIndex first;
    const int lastColumn = m_proxy->columnCount() - 1;
    for (int row : rows) {
        const QModelIndex cell = m_proxy->mapFromSource(m_model->index(row, std::clamp(m_column, 0, lastColumn)));
        if (!cell.isValid())
            continue;
        selection.select(m_proxy->index(cell.row(), 0), m_proxy->index(cell.row(), lastColumn));
        if (!first.isValid() || cell.row() < first.row())
            first = cell;
    }
    if (!first.isValid())
        return;
    m_table->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    m_table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_table->scrollTo(first);
    updateCommands();
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
    int rowLimit = blockRows;
    if (selected > 1 && blockRows > selected) {
        const QString question = language().GetLangString(QStringLiteral("IDS_TABLE_PASTE_BEYOND")).arg(blockRows).arg(selected);
        const Prompt prompt{QString(), QStringLiteral("IDS_PROMPT"), Prompt::Icon::Question, Prompt::Buttons::YesNo, question};
        if (prompter().ask(prompt) != PromptAnswer::Yes)
            rowLimit = selected;
    }
    // The block goes down the rows as the table shows them.
    QList<int> rows;
    for (int viewRow = corner.row(); viewRow < m_proxy->rowCount() && rows.size() < rowLimit; ++viewRow)
        rows << sourceRow(viewRow);
    m_model->pasteIntoRows(rows, corner.column(), block);
}

QString ChannelTableView::copySelection()
{
    const QItemSelection shown = m_table->selectionModel()->selection();
    QList<int> order;
    for (int viewRow = 0; viewRow < m_proxy->rowCount(); ++viewRow)
        order << sourceRow(viewRow);
    const QString text = m_model->copyText(m_proxy->mapSelectionToSource(shown).indexes(), order);
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
    return text;
}

void ChannelTableView::insertRow()
{
    const int row = currentSourceRow() >= 0 ? currentSourceRow() : selectedRows().value(0, -1);
    if (row >= 0)
        m_model->insertRow(row);
}

void ChannelTableView::deleteSelectedRows()
{
    const QList<int> rows = selectedRows();
    if (!rows.isEmpty())
        m_model->deleteRows(rows);
}

bool ChannelTableView::refuseWhileReordered()
{
    if (!isReordered())
        return false;
    prompter().tell(QStringLiteral("IDS_TABLE_MOVE_SORTED"), QStringLiteral("IDS_PROMPT"), Prompt::Icon::Information);
    return true;
}

void ChannelTableView::moveSelectedRows(int step)
{
    if (refuseWhileReordered())
        return;
    const QList<int> rows = selectedRows();
    if (!rows.isEmpty())
        m_model->moveRowsBy(rows, step);
}

ChannelEditSelectedDialog *ChannelTableView::makeEditDialog()
{
    const QList<int> rows = selectedRows();
    const int templateRow = currentSourceRow() >= 0 ? currentSourceRow() : rows.value(0, 0);
    return new ChannelEditSelectedDialog(*m_model, templateRow, int(rows.size()), language(), this);
}

void ChannelTableView::applyEdits(const ChannelEditSelectedDialog &dialog)
{
    m_model->setFieldsOnRows(selectedRows(), dialog.values());
}

void ChannelTableView::editSelected()
{
    if (selectedRows().isEmpty())
        return;
    std::unique_ptr<ChannelEditSelectedDialog> dialog(makeEditDialog());
    if (dialog->exec() == QDialog::Accepted)
        applyEdits(*dialog);
}

void ChannelTableView::setFilter(const QString &text, int column)
{
    if (m_filter->text() != text) {
        const QSignalBlocker blocker(m_filter);
        m_filter->setText(text);
    }
    const int index = m_filterColumn->findData(column);
    if (index >= 0 && index != m_filterColumn->currentIndex()) {
        const QSignalBlocker blocker(m_filterColumn);
        m_filterColumn->setCurrentIndex(index);
    }
    m_proxy->setFilterKeyColumn(column);
    m_proxy->setFilterFixedString(text);
    updateCommands();
}

void ChannelTableView::showCodeplugOrder()
{
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_proxy->sort(-1);
    updateCommands();
}
