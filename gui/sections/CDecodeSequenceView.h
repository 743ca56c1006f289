#pragma once

#include "sections/CSectionForm.h"

#include <QVector>

class CEditGrid;
namespace Fields {
struct Field;
}
class QComboBox;

// The decode-sequence form (section 20, TL809 only): the six digit strings
// the radio reacts to, each with its receive signalling and decode type.
class CDecodeSequenceView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 154;
    enum Column { SignalingColumn = 0, SequenceColumn = 1, DecodeTypeColumn = 2 };

    explicit CDecodeSequenceView(const FormContext &context, QWidget *parent = nullptr);

    void Reload() override;

    CEditGrid *grid() const { return m_grid; }
    QComboBox *signalingList(int row) const { return m_signaling.value(row); }
    QComboBox *decodeTypeList(int row) const { return m_decodeTypes.value(row); }

private:
    static const Fields::Field &field(const QString &key);
    QComboBox *addCellList(int row, int column);
    void onSignalingChosen(int row, int index);
    void onDecodeTypeChosen(int row, int index);
    void onSequenceCommitted(int row, int column, const QString &text);

    CEditGrid *m_grid = nullptr;
    QVector<QComboBox *> m_signaling;
    QVector<QComboBox *> m_decodeTypes;
};
