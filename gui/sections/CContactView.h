#pragma once

#include "sections/CGridListForm.h"

// The contact grid (section 11): number, name, call ID and the call type
// that follows from the ID and the group-call start ID. Opening the form
// closes any gap in the list. An undo may bring gaps back: the grid then
// shows the contacts in use under their record numbers, and the next edit
// closes the gaps again within its own step.
//
// Several rows can be selected: Ctrl+Enter gives the value being entered
// (or the current cell's) to each of them, Ctrl+C copies the selected cells
// as tab-separated text under a header of the contacts' keys, and Ctrl+V
// pastes such text, or a spreadsheet's, from the selection's corner on.
// Each is one undo step; values the contact rules refuse are listed in one
// message and the others are kept.
class CContactView : public CGridListForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 138;
    enum Control { Grid = 1133, NameEditor = 1134, CallIdEditor = 1135 };
    enum Column { NameColumn = 0, CallIdColumn = 1, TypeColumn = 2 };

    explicit CContactView(const FormContext &context, QWidget *parent = nullptr);

    void OnInitialUpdate(int recordIndex) override;
    void Reload() override;

    // Ctrl+Enter: text goes to `column` of every selected row.
    void applyToSelectedRows(int column, const QString &text);
    // Ctrl+C: the selected cells as tab-separated text, also put on the clipboard.
    QString copySelection();
    // Ctrl+V: tab-separated text from the selection's top-left cell on. A
    // block taller than a selection of several rows asks before it fills
    // the rows below the selection; rows past the last contact add contacts.
    void paste(const QString &text);

protected:
    int recordCount() const override;
    int capacity() const override;
    QStringList recordTexts(int record) const override;
    void commitCell(int record, int column, const QString &text) override;
    EditResult runOperation(ListOperation operation, int record, Prompter &messages) override;
    QString actionKey(ListOperation operation) const override;

private:
    QString rowName(int row) const;
};
