#pragma once

#include "sections/CSectionForm.h"

#include <QVector>

class CEditGrid;
namespace Fields {
struct Field;
}
class QComboBox;

// The encode-sequence form (section 17): the 16 digit strings the radio
// sends as DTMF or 5-tone signalling, one grid row each.
class CEncodeSequenceView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 152;
    enum Column { TypeColumn = 0, SequenceColumn = 1 };

    explicit CEncodeSequenceView(const FormContext &context, QWidget *parent = nullptr);

    void Reload() override;

    CEditGrid *grid() const { return m_grid; }
    // The type choice of row 0..15.
    QComboBox *typeList(int row) const { return m_types.value(row); }

private:
    void onTypeChosen(int row, int type);
    void onSequenceCommitted(int row, int column, const QString &text);
    static const Fields::Field &sequenceField();
    void limitSequenceEditor(int row);

    CEditGrid *m_grid = nullptr;
    QVector<QComboBox *> m_types;
};
