#pragma once

#include "sections/CSectionForm.h"

#include <QTableView>
#include <QVariant>

class ChannelTableModel;

// The table of every channel. Beside a spreadsheet's keys it takes
// Ctrl+Enter (the value being entered, or the current cell's value, goes to
// every selected row as one step), Ctrl+C (the selected cells as
// tab-separated text) and Ctrl+V (such text, or a spreadsheet's, into the
// cells from the selection's corner on, as one step).
class ChannelTable : public QTableView
{
    Q_OBJECT
public:
    using QTableView::QTableView;

signals:
    void applyToSelectionRequested(const QVariant &value);
    void copyRequested();
    void pasteRequested();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class ChannelCellDelegate;
    // Called by the cell editor on Ctrl+Enter.
    void applyEditorValue(QWidget *editor, const QVariant &value);
};

// The channel table as a window of its own: every channel of every zone in
// one sheet, cells stored through the field catalogue as the channel form
// stores them.
class ChannelTableView : public CSectionForm
{
    Q_OBJECT
public:
    explicit ChannelTableView(const FormContext &context, QWidget *parent = nullptr);

    void OnUpdate() override;
    void Reload() override;
    // Wide enough for the first dozen columns and a screenful of rows.
    QSize sizeHint() const override { return QSize(1100, 520); }

    ChannelTable *table() const { return m_table; }
    ChannelTableModel *model() const { return m_model; }

    // The rows that hold a selected cell, in order.
    QList<int> selectedRows() const;
    // Ctrl+Enter: value goes to the current column of every selected row.
    void applyToSelectedRows(const QVariant &value);
    // Ctrl+C: the selected cells as tab-separated text, also put on the clipboard.
    QString copySelection();
    // Ctrl+V: tab-separated text from the selection's top-left cell on. A
    // block taller than a selection of several rows asks before it fills
    // the rows below the selection.
    void paste(const QString &text);

private:
    ChannelTable *m_table = nullptr;
    ChannelTableModel *m_model = nullptr;
};
