#pragma once

#include "sections/CGridListForm.h"

// The encryption-key grid (section 13): number, name and the eight-digit key.
class CEncryptView : public CGridListForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 140;
    enum Control { KeyEditor = 1127, Grid = 1128, NameEditor = 1132 };
    enum Column { NameColumn = 0, KeyColumn = 1 };

    explicit CEncryptView(const FormContext &context, QWidget *parent = nullptr);

protected:
    int recordCount() const override;
    int capacity() const override;
    QStringList recordTexts(int record) const override;
    void commitCell(int record, int column, const QString &text) override;
    EditResult runOperation(ListOperation operation, int record, Prompter &messages) override;
    QString actionKey(ListOperation operation) const override;
};
