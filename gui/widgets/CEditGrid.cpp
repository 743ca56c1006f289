#include "widgets/CEditGrid.h"

#include "widgets/SpreadsheetKeys.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QValidator>

#include <algorithm>

namespace {

// The column's character filter and limit, for typing and pasting alike.
// Deleting is always allowed, so a stored text the rules would not accept
// can still be shortened.
class CellValidator : public QValidator
{
public:
    CellValidator(QLineEdit *edit, const CEditGrid::ColumnEditor &rules)
        : QValidator(edit), m_rules(rules)
    {
        // Validation runs before the editor takes the new text.
        connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { m_shown = text; });
    }
    State validate(QString &input, int &) const override
    {
        if (m_programText || isDeletion(input))
            return Acceptable;
        if (m_rules.limit > 0 && input.size() > m_rules.limit)
            return Invalid;
        if (m_rules.accepts) {
            for (const QChar c : std::as_const(input)) {
                if (!m_rules.accepts(c))
                    return Invalid;
            }
        }
        return Acceptable;
    }
    void setProgramText(bool on) { m_programText = on; }

private:
    // Whether input is the shown text with characters taken out.
    bool isDeletion(const QString &input) const
    {
        if (input.size() >= m_shown.size())
            return false;
        qsizetype at = 0;
        for (const QChar c : input) {
            at = m_shown.indexOf(c, at);
            if (at < 0)
                return false;
            ++at;
        }
        return true;
    }

    CEditGrid::ColumnEditor m_rules;
    QString m_shown;
    bool m_programText = false;
};

// The cell under a drop-down list: a screen reader reads the entry the list
// shows, whichever way it was set.
class ChoiceCell : public QTableWidgetItem
{
public:
    ChoiceCell() { setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable); }
    QVariant data(int role) const override
    {
        if (role == Qt::AccessibleTextRole) {
            const auto *grid = qobject_cast<const CEditGrid *>(tableWidget());
            const QComboBox *list = grid ? grid->cellChoice(row(), column()) : nullptr;
            return list ? list->currentText() : QString();
        }
        return QTableWidgetItem::data(role);
    }
};

const char *const kRow = "gridRow";
const char *const kColumn = "gridColumn";
const char *const kCommitted = "gridCommitted";

}

// Makes the line editors and closes them on every loss of the focus; what a
// commit means is the grid's business (commitData), never a model write.
class EditGridDelegate : public QStyledItemDelegate
{
public:
    explicit EditGridDelegate(CEditGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        const CEditGrid::ColumnEditor *rules = m_grid->editorRules(index.column());
        if (!rules)
            return nullptr;
        auto *edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignCenter);
        edit->setValidator(new CellValidator(edit, *rules));
        if (const QTableWidgetItem *title = m_grid->horizontalHeaderItem(index.column()))
            edit->setAccessibleName(title->text());
        edit->setProperty(kRow, index.row());
        edit->setProperty(kColumn, index.column());
        m_grid->m_editor = edit;
        return edit;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        // Only once: a later redraw of the cell must not replace what is typed.
        if (editor->property("gridFilled").toBool())
            return;
        editor->setProperty("gridFilled", true);
        auto *edit = static_cast<QLineEdit *>(editor);
        auto *validator = static_cast<CellValidator *>(const_cast<QValidator *>(edit->validator()));
        validator->setProgramText(true);
        edit->setText(index.data(Qt::DisplayRole).toString());
        validator->setProgramText(false);
        edit->selectAll();
    }

    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}

    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut) {
            // The base class ignores a FocusOut while the editor still has
            // the focus; the main window sends exactly that before a command.
            auto *editor = qobject_cast<QWidget *>(object);
            if (editor && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason
                && !editor->property(kCommitted).toBool()) {
                emit commitData(editor);
                emit closeEditor(editor, NoHint);
            }
            return false;
        }
        if (event->type() == QEvent::KeyPress) {
            auto *edit = qobject_cast<QLineEdit *>(object);
            if (edit && m_grid->m_spreadsheetKeys && SpreadsheetKeys::isApply(static_cast<QKeyEvent *>(event))) {
                m_grid->applyEditor(edit);
                return true;
            }
            // Enter commits at once (the base class would queue it).
            const int key = static_cast<QKeyEvent *>(event)->key();
            auto *editor = qobject_cast<QWidget *>(object);
            if (editor && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                emit commitData(editor);
                emit closeEditor(editor, SubmitModelCache);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    CEditGrid *m_grid;
};

CEditGrid::CEditGrid(QWidget *parent) : QTableWidget(parent)
{
    setItemDelegate(new EditGridDelegate(this));
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setEditTriggers(EditKeyPressed | AnyKeyPressed);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    QHeaderView *rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(kRowHeight);
    rows->setDefaultAlignment(Qt::AlignCenter);
    // A click on a row number focuses that row, keeping the column; with
    // spreadsheet keys it also selects the row (the view already did).
    connect(rows, &QHeaderView::sectionPressed, this, [this](int row) {
        if (m_spreadsheetKeys)
            selectionModel()->setCurrentIndex(model()->index(row, qMax(currentColumn(), 0)), QItemSelectionModel::NoUpdate);
        else
            setCurrentCell(row, qMax(currentColumn(), 0));
    });
    QHeaderView *columns = horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setStretchLastSection(false);
    columns->setSectionsClickable(false);
    columns->setDefaultAlignment(Qt::AlignCenter);
    columns->setFixedHeight(kRowHeight);

    // The corner above the number column carries that column's title.
    m_corner = findChild<QAbstractButton *>();
    if (m_corner)
        m_corner->installEventFilter(this);
}

void CEditGrid::setColumns(const QVector<int> &widths)
{
    if (widths.isEmpty())
        return;
    setColumnCount(int(widths.size()) - 1);
    m_editors.resize(columnCount());
    verticalHeader()->setFixedWidth(widths[0]);
    for (int column = 0; column < columnCount(); ++column)
        setColumnWidth(column, widths[column + 1]);
    updateGeometry();
}

void CEditGrid::setTitles(const QStringList &titles)
{
    m_cornerTitle = titles.value(0);
    if (m_corner) {
        m_corner->setAccessibleName(m_cornerTitle);
        m_corner->update();
    }
    for (int column = 0; column < columnCount(); ++column) {
        QTableWidgetItem *item = horizontalHeaderItem(column);
        if (!item) {
            item = new QTableWidgetItem;
            setHorizontalHeaderItem(column, item);
        }
        item->setText(titles.value(column + 1));
    }
}

void CEditGrid::setColumnEditor(int column, const ColumnEditor &editor)
{
    if (column < 0 || column >= m_editors.size())
        return;
    m_editors[column] = editor;
    for (int row = 0; row < rowCount(); ++row) {
        if (QTableWidgetItem *cell = item(row, column))
            applyItemFlags(cell, column);
    }
}

bool CEditGrid::isEditableColumn(int column) const
{
    return editorRules(column) != nullptr;
}

const CEditGrid::ColumnEditor *CEditGrid::editorRules(int column) const
{
    if (column < 0 || column >= m_editors.size() || !m_editors[column])
        return nullptr;
    return &*m_editors[column];
}

void CEditGrid::setRecordCount(int rows)
{
    setRowCount(qMax(rows, 0));
}

void CEditGrid::setRowTitles(const QStringList &titles)
{
    setVerticalHeaderLabels(titles);
}

void CEditGrid::applyItemFlags(QTableWidgetItem *item, int column) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isEditableColumn(column))
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
}

void CEditGrid::setCellText(int row, int column, const QString &text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    QTableWidgetItem *cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem(text);
        cell->setTextAlignment(Qt::AlignCenter);
        applyItemFlags(cell, column);
        setItem(row, column, cell);
    } else if (cell->text() != text) {
        cell->setText(text);
    }
}

void CEditGrid::setCellChoice(int row, int column, QComboBox *list)
{
    if (!list || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    // The grid keeps the focus and opens the list on a key, so the arrow keys
    // go on moving between cells.
    list->setFocusPolicy(Qt::NoFocus);
    setItem(row, column, new ChoiceCell);
    setCellWidget(row, column, list);
}

QComboBox *CEditGrid::cellChoice(int row, int column) const
{
    return qobject_cast<QComboBox *>(cellWidget(row, column));
}

bool CEditGrid::openChoice(const QKeyEvent *event)
{
    QComboBox *list = cellChoice(currentRow(), currentColumn());
    if (!list || state() == EditingState || !list->isEnabled())
        return false;
    const int key = event->key();
    const bool opens = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_F2
                       || ((key == Qt::Key_Down || key == Qt::Key_Up) && (event->modifiers() & Qt::AltModifier));
    if (!opens)
        return false;
    list->showPopup();
    return true;
}

QString CEditGrid::cellText(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void CEditGrid::setSpreadsheetKeys(bool on)
{
    m_spreadsheetKeys = on;
    setSelectionMode(on ? ExtendedSelection : SingleSelection);
}

QList<int> CEditGrid::selectedRows() const
{
    QList<int> rows;
    const QModelIndexList cells = selectionModel()->selectedIndexes();
    for (const QModelIndex &cell : cells)
        rows << cell.row();
    if (rows.isEmpty() && currentIndex().isValid())
        rows << currentIndex().row();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void CEditGrid::applyEditor(QLineEdit *editor)
{
    // The text goes to the selected rows, not to this one cell alone: the
    // editor's focus loss must not commit it as well.
    editor->setProperty(kCommitted, true);
    const int column = editor->property(kColumn).toInt();
    const QString text = editor->text();
    closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    emit applyRequested(column, text);
}

bool CEditGrid::event(QEvent *event)
{
    // Ctrl+C, Ctrl+V and Ctrl+Enter belong to the grid while it has the
    // focus, before the main window's shortcuts (Ctrl+C switches the language).
    if (m_spreadsheetKeys && event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (SpreadsheetKeys::isClaimed(key)) {
            event->accept();
            return true;
        }
    }
    return QTableWidget::event(event);
}

bool CEditGrid::spreadsheetKey(const QKeyEvent *event)
{
    if (!m_spreadsheetKeys || state() == EditingState)
        return false;
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return true;
    }
    if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested();
        return true;
    }
    if (!SpreadsheetKeys::isApply(event))
        return false;
    const int column = currentColumn();
    if (currentIndex().isValid() && isEditableColumn(column))
        emit applyRequested(column, cellText(currentRow(), column));
    return true;
}

QLineEdit *CEditGrid::activeEditor() const
{
    return state() == EditingState ? m_editor : nullptr;
}

bool CEditGrid::editCell(int row, int column)
{
    const QModelIndex index = model()->index(row, column);
    if (!index.isValid() || !isEditableColumn(column))
        return false;
    setCurrentIndex(index);
    return edit(index, AllEditTriggers, nullptr);
}

void CEditGrid::commitEditor()
{
    if (QLineEdit *editor = activeEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

QSize CEditGrid::sizeHint() const
{
    int width = 2 * frameWidth() + verticalHeader()->width() + verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < columnCount(); ++column)
        width += columnWidth(column);
    const int height = 2 * frameWidth() + horizontalHeader()->height() + 10 * kRowHeight;
    return {width, height};
}

void CEditGrid::commitData(QWidget *editor)
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    // A commit may show a message box, whose focus change must not commit
    // the same edit a second time.
    if (!edit || edit->property(kCommitted).toBool())
        return;
    edit->setProperty(kCommitted, true);
    emit cellCommitted(edit->property(kRow).toInt(), edit->property(kColumn).toInt(), edit->text());
}

void CEditGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == m_editor)
        m_editor = nullptr;
    QTableWidget::closeEditor(editor, hint);
}

QModelIndex CEditGrid::nextEditable(const QModelIndex &from, int direction) const
{
    const int columns = columnCount();
    const int cells = rowCount() * columns;
    int position = from.isValid() ? from.row() * columns + from.column() : (direction > 0 ? -1 : cells);
    for (position += direction; position >= 0 && position < cells; position += direction) {
        const int column = position % columns;
        if (isReachable(position / columns, column))
            return model()->index(position / columns, column);
    }
    return {};
}

bool CEditGrid::isReachable(int row, int column) const
{
    return !isColumnHidden(column) && (isEditableColumn(column) || cellChoice(row, column));
}

QModelIndex CEditGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // Tab goes from editable or choice cell to the next one and leaves the
    // grid after the last one.
    if (cursorAction == MoveNext)
        return nextEditable(currentIndex(), 1);
    if (cursorAction == MovePrevious)
        return nextEditable(currentIndex(), -1);
    return QTableWidget::moveCursor(cursorAction, modifiers);
}

void CEditGrid::keyPressEvent(QKeyEvent *event)
{
    if (spreadsheetKey(event) || openChoice(event)) {
        event->accept();
        return;
    }
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && state() != EditingState) {
        if (isEditableColumn(currentColumn()))
            edit(currentIndex(), AllEditTriggers, nullptr);
        event->accept();
        return;
    }
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && state() != EditingState) {
        const bool back = key == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        const QModelIndex next = nextEditable(currentIndex(), back ? -1 : 1);
        if (!next.isValid()) {
            event->ignore();  // the focus moves on to the next control
            return;
        }
        setCurrentIndex(next);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void CEditGrid::mousePressEvent(QMouseEvent *event)
{
    m_pressed = indexAt(event->position().toPoint());
    QTableWidget::mousePressEvent(event);
}

void CEditGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableWidget::mouseReleaseEvent(event);
    // With spreadsheet keys, a click that selects (with Shift or Ctrl, or by
    // dragging over cells) opens no editor.
    const bool selecting = m_spreadsheetKeys
                           && ((event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) || index != m_pressed);
    if (event->button() == Qt::LeftButton && index.isValid() && index == currentIndex() && !selecting
        && state() != EditingState && isEditableColumn(index.column()))
        edit(index, AllEditTriggers, nullptr);
}

bool CEditGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_corner && event->type() == QEvent::Paint) {
        QPainter painter(m_corner);
        QStyleOptionHeader option;
        option.initFrom(m_corner);
        // The corner takes no clicks but is drawn like the other headers.
        option.state |= QStyle::State_Enabled;
        option.palette = palette();
        option.rect = m_corner->rect();
        option.text = m_cornerTitle;
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.orientation = Qt::Horizontal;
        style()->drawControl(QStyle::CE_Header, &option, &painter, m_corner);
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}
