#pragma once

#include <QTableWidget>
#include <QVector>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;

// The editable grid of the list forms (contacts, encryption keys, quick
// texts, code sequences) and of the calibration table.
//
// The fixed header row and the fixed first column are the table's own
// headers, so data cells keep QTableWidget's indices: row 0 is the first
// record, column 0 the first column after the number column. Rows are 25
// pixels high and every cell shows one centred line.
//
// Editing works as in a spreadsheet: a click on an editable cell, Enter or
// F2 place a line editor over the cell with its whole text selected (typing
// on a focused cell starts an edit with that character). The edit is
// committed by Enter, Tab (which goes on to the next editable cell) and by
// any loss of the keyboard focus, including the FocusOut the main window
// sends before a command runs; Escape drops it. Arrow keys move between
// cells. A commit only reports the text (cellCommitted): the form decides
// what is stored and shows the cell again.
class CEditGrid : public QTableWidget
{
    Q_OBJECT
public:
    // Which characters an editor of a column accepts, and how many.
    struct ColumnEditor
    {
        int limit = 0;  // UTF-16 units; 0: no limit
        std::function<bool(QChar)> accepts;  // empty: every character
    };
    static bool digit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
    static bool digitOrStar(QChar c) { return digit(c) || c == QLatin1Char('*'); }

    static constexpr int kRowHeight = 25;

    explicit CEditGrid(QWidget *parent = nullptr);

    // titles[0] heads the number column, titles[k] data column k-1; widths
    // likewise (pixels). The number of data columns is widths.size() - 1.
    void setColumns(const QVector<int> &widths);
    void setTitles(const QStringList &titles);
    QString cornerTitle() const { return m_cornerTitle; }
    // A data column becomes editable with its editor's rules.
    void setColumnEditor(int column, const ColumnEditor &editor);
    bool isEditableColumn(int column) const;

    // Sets the number of data rows; the number column shows 1, 2, ...
    void setRecordCount(int rows);
    // Other texts for the number column (the calibration table's items).
    void setRowTitles(const QStringList &titles);
    void setCellText(int row, int column, const QString &text);
    QString cellText(int row, int column) const;

    // Puts a drop-down list into a cell. Such a cell is reached by the
    // keyboard like an editable one (Tab, arrows); Enter, Space, F2 or
    // Alt+Down opens its list. The cell's accessible name is the entry shown.
    void setCellChoice(int row, int column, QComboBox *list);
    QComboBox *cellChoice(int row, int column) const;

    // Spreadsheet keys, off unless a form asks for them: several cells and
    // rows can be selected (Shift or Ctrl with a click or an arrow key, a
    // click on a row number, Ctrl+A), and Ctrl+Enter, Ctrl+C and Ctrl+V are
    // reported to the form before the main window's shortcuts see them.
    void setSpreadsheetKeys(bool on);
    bool hasSpreadsheetKeys() const { return m_spreadsheetKeys; }
    // The rows that hold a selected cell, in order; the current row when
    // none does.
    QList<int> selectedRows() const;

    // The open in-place editor, or null.
    QLineEdit *activeEditor() const;
    // Places the editor over a cell, as a click does.
    bool editCell(int row, int column);
    // Commits an open in-place editor, as Enter does; nothing when none is open.
    void commitEditor();

    QSize sizeHint() const override;

signals:
    // The text of an in-place editor when its edit is committed.
    void cellCommitted(int row, int column, const QString &text);
    // Ctrl+Enter with spreadsheet keys: the text being entered into a cell
    // of `column` (the editor closes without committing it), or the current
    // cell's text, is meant for every selected row.
    void applyRequested(int column, const QString &text);
    // Ctrl+C and Ctrl+V with spreadsheet keys.
    void copyRequested();
    void pasteRequested();

protected:
    bool event(QEvent *event) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class EditGridDelegate;
    const ColumnEditor *editorRules(int column) const;
    QModelIndex nextEditable(const QModelIndex &from, int direction) const;
    bool isReachable(int row, int column) const;
    bool openChoice(const QKeyEvent *event);
    void applyItemFlags(QTableWidgetItem *item, int column) const;
    bool spreadsheetKey(const QKeyEvent *event);
    void applyEditor(QLineEdit *editor);

    QVector<std::optional<ColumnEditor>> m_editors;  // per data column; none: read-only
    QWidget *m_corner = nullptr;
    QString m_cornerTitle;
    QLineEdit *m_editor = nullptr;
    bool m_spreadsheetKeys = false;
    QPersistentModelIndex m_pressed;  // where the mouse went down
};
