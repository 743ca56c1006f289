#pragma once

#include "sections/CSectionForm.h"

#include <memory>

class CNumberEdit;
class FieldBinder;
class QCheckBox;
class QComboBox;

// The digital emergency form (section 8): emergency type and mode, the
// reply channel, the cycle count and times and the emergency call ID.
class CEmergencyView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 136;
    enum Control {
        Type = 1097,
        Mode = 1099,
        ReplyChannel = 1101,
        ReplyChannelSet = 1102,
        CycleCount = 1104,
        TxCycleTime = 1107,
        RxCycleTime = 1110,
        EmergencyId = 1358,
    };

    explicit CEmergencyView(const FormContext &context, QWidget *parent = nullptr);
    ~CEmergencyView() override;

    void OnInitialUpdate(int recordIndex) override;
    void Reload() override;
    // A channel that stops being acceptable as reply channel while the form
    // is open is reset within the change that made it so.
    void MendAfterEdit() override;

private:
    void fillEmergencyIds();
    void updateEnabling();

    std::unique_ptr<FieldBinder> m_fields;  // all but the reply channel and the emergency ID
    QComboBox *m_type = nullptr;
    QComboBox *m_mode = nullptr;
    QCheckBox *m_replySet = nullptr;
    QComboBox *m_reply = nullptr;
    CNumberEdit *m_cycleCount = nullptr;
    CNumberEdit *m_txCycleTime = nullptr;
    CNumberEdit *m_rxCycleTime = nullptr;
    QComboBox *m_emergencyId = nullptr;
};
