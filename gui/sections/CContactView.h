#pragma once

#include "sections/CGridListForm.h"

// The contact grid (section 11): number, name, call ID and the call type
// that follows from the ID and the group-call start ID. Opening the form
// closes any gap in the list. An undo may bring gaps back: the grid then
// shows the contacts in use under their record numbers, and the next edit
// closes the gaps again within its own step.
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

protected:
    int recordCount() const override;
    int capacity() const override;
    QStringList recordTexts(int record) const override;
    void commitCell(int record, int column, const QString &text) override;
    EditResult runOperation(ListOperation operation, int record, Prompter &messages) override;
    QString actionKey(ListOperation operation) const override;
};
