#pragma once

#include "sections/CSectionForm.h"

#include <QHash>
#include <QTableView>
#include <QVariant>

class ChannelEditSelectedDialog;
class ChannelTableModel;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QToolBar;

// The table of every channel. Beside a spreadsheet's keys it takes
// Ctrl+Enter (the value being entered, or the current cell's value, goes to
// every selected row as one step), Ctrl+C (the selected cells as
// tab-separated text) and Ctrl+V (such text, or a spreadsheet's, into the
// cells from the selection's corner on, as one step). The keys of its own
// commands (its actions) reach it before the main window's shortcuts.
class ChannelTable : public QTableView
{
    Q_OBJECT
public:
    using QTableView::QTableView;

    // Whether every cell of at least one row is selected (the Delete key
    // deletes channels only then).
    bool wholeRowsSelected() const;

signals:
    void applyToSelectionRequested(const QVariant &value);
    void copyRequested();
    void pasteRequested();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Enter in a cell's editor stores the value and goes down a row, as
    // in a spreadsheet; Tab goes on to the next cell.
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class ChannelCellDelegate;
    // The cell below the current one becomes current (Enter outside an editor, too).
    void goDown();
    // Called by the cell editor on Ctrl+Enter.
    void applyEditorValue(QWidget *editor, const QVariant &value);
    // The enabled action of this table whose key the event is.
    QAction *actionFor(const QKeyEvent *key) const;
};

// The channel table as a window of its own: every channel of every zone in
// one sheet, cells stored through the field catalogue as the channel form
// stores them. Rows are inserted, deleted and moved through the library's
// list maintenance, one undo step each. Sorting and filtering are the
// view's alone: they never reorder the codeplug, and rows cannot be moved
// while either is in effect.
class ChannelTableView : public CSectionForm
{
    Q_OBJECT
public:
    enum class Command { Insert, Delete, MoveUp, MoveDown, EditSelected, CodeplugOrder };

    explicit ChannelTableView(const FormContext &context, QWidget *parent = nullptr);

    void OnUpdate() override;
    void Reload() override;
    // Wide enough for the first dozen columns and a screenful of rows.
    QSize sizeHint() const override { return QSize(1100, 520); }

    ChannelTable *table() const { return m_table; }
    ChannelTableModel *model() const { return m_model; }
    QSortFilterProxyModel *proxy() const { return m_proxy; }
    QAction *command(Command which) const;
    QLineEdit *filterEdit() const { return m_filter; }
    QComboBox *filterColumnBox() const { return m_filterColumn; }

    // Whether the rows are shown in another order than the codeplug's, or
    // some are hidden.
    bool isReordered() const;
    // The model's row shown at a row of the table.
    int sourceRow(int viewRow) const;
    // The model's rows that hold a selected cell (or the current cell), in order.
    QList<int> selectedRows() const;
    // Ctrl+Enter: value goes to the current column of every selected row.
    void applyToSelectedRows(const QVariant &value);
    // Ctrl+C: the selected cells as tab-separated text in the table's
    // order, also put on the clipboard.
    QString copySelection();
    // Ctrl+V: tab-separated text from the selection's top-left cell down
    // the table's rows. A block taller than a selection of several rows
    // asks before it fills the rows below the selection.
    void paste(const QString &text);

    // The row commands; each selects the rows of its channels afterwards.
    void insertRow();
    void deleteSelectedRows();
    void moveSelectedRows(int step);
    // Edit Selected: the dialog started with the current row's values, and
    // what its OK does.
    ChannelEditSelectedDialog *makeEditDialog();
    void applyEdits(const ChannelEditSelectedDialog &dialog);
    void editSelected();

    // Shows the rows whose text in `column` (-1: any column) contains text.
    void setFilter(const QString &text, int column = -1);
    // Back to the codeplug's order, unsorted.
    void showCodeplugOrder();

private:
    int currentSourceRow() const;
    void selectSourceRows(const QList<int> &rows);
    void updateCommands();
    void applyTexts();
    void fillFilterColumns();
    QAction *addCommand(Command which, const QKeySequence &key);
    bool refuseWhileReordered();

    ChannelTable *m_table = nullptr;
    ChannelTableModel *m_model = nullptr;
    QSortFilterProxyModel *m_proxy = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_filterLabel = nullptr;
    QLineEdit *m_filter = nullptr;
    QComboBox *m_filterColumn = nullptr;
    QHash<int, QAction *> m_commands;  // by Command
    int m_column = 0;  // the column of the last current cell, kept across a reset
};
