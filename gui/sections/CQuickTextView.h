#pragma once

#include "sections/CGridListForm.h"

// The quick-text grid (section 18): number and text; at least one row and
// at most 25.
class CQuickTextView : public CGridListForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 110;
    enum Control { TextEditor = 1187, Grid = 1188 };

    explicit CQuickTextView(const FormContext &context, QWidget *parent = nullptr);

protected:
    int recordCount() const override;
    int capacity() const override;
    QStringList recordTexts(int record) const override;
    void commitCell(int record, int column, const QString &text) override;
    EditResult runOperation(ListOperation operation, int record, Prompter &messages) override;
    QString actionKey(ListOperation operation) const override;
};
