#pragma once

#include "sections/CSectionForm.h"
#include "sections/EditResult.h"
#include "widgets/CEditGrid.h"

class QPushButton;

// Base of the grid forms of the dense lists (contacts, encryption keys,
// quick texts): one grid row per record in use, and add, insert and delete
// buttons under it. Insert and delete work on the focused row. A subclass
// names the columns, fills a row, evaluates a committed cell and runs the
// library's list operations.
class CGridListForm : public CSectionForm
{
    Q_OBJECT
public:
    enum Control { Add = 1129, Delete = 1130, Insert = 1131 };

    void Reload() override;
    // Also ends an open cell edit that does not hold the focus.
    void CommitPendingEdit() override;

    CEditGrid *grid() const { return m_grid; }
    // The record of the focused row, 1..count, or 0.
    int focusedRecord() const;

protected:
    enum class ListOperation { Add, Insert, Delete };

    // gridId: the grid's control id; titleList: the language list with the
    // column titles (number column first); widths likewise.
    CGridListForm(const FormContext &context, int sectionCode, int dialogId, int gridId, const QString &titleList,
                  const QVector<int> &widths, QWidget *parent);

    virtual int recordCount() const = 0;
    virtual int capacity() const = 0;
    // The texts of the data columns of a record.
    virtual QStringList recordTexts(int record) const = 0;
    // An in-place edit was committed: evaluate and store it (the grid is
    // reloaded afterwards).
    virtual void commitCell(int record, int column, const QString &text) = 0;
    // Runs inside the edit step; messages go to `messages`.
    virtual EditResult runOperation(ListOperation operation, int record, Prompter &messages) = 0;
    virtual QString actionKey(ListOperation operation) const = 0;

private:
    void runListOperation(ListOperation operation);
    void focusRecord(int record);

    CEditGrid *m_grid;
    QString m_titleList;
    QPushButton *m_add;
    QPushButton *m_insert;
    QPushButton *m_delete;
};
