#pragma once

#include "sections/CSectionForm.h"
#include "sections/NumberFields.h"

#include <vector>

class CTextEdit;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

// The option-features form (section 5): indicator LEDs, whisper, battery
// saving, squelch level, the transmit time-out timers, remote monitoring,
// the power-on password, the hang-up setting and voice-operated transmit.
// Which of them show depends on the configured model.
class COptionView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 134;
    enum Control {
        TxLed = 1077,
        RxLed = 1078,
        Whisper = 1079,
        BatterySaveLabel = 1080,
        BatterySaveList = 1081,
        TimeOutTimerLabel = 1082,
        TimeOutTimer = 1083,
        TotPreAlert = 1086,
        TotRekey = 1089,
        TotReset = 1092,
        SquelchLabel = 1094,
        SquelchList = 1095,
        HangUpLabel = 1257,
        HangUpList = 1258,
        VoxGroup = 1271,
        VoxEnable = 1272,
        PttCancelsVox = 1273,
        RxPttInhibit = 1274,
        VoxSensitivity = 1276,
        VoxHoldTime = 1279,
        RemoteMonitor = 1377,
        PasswordLabel = 1379,
        Password = 1380,
    };

    explicit COptionView(const FormContext &context, QWidget *parent = nullptr);

    void Reload() override;

private:
    QCheckBox *addCheck(class QGridLayout *grid, int row, int column, int id, const char *label);
    QComboBox *addList(class QGridLayout *grid, int row, int id, int labelId, const char *label);
    void storeCheck(int id, bool on);
    void storeList(int id, int index);
    void storePassword();
    void applyVoxEnabling(bool voxOn);
    void applyModelVisibility();

    QCheckBox *m_txLed = nullptr;
    QCheckBox *m_rxLed = nullptr;
    QCheckBox *m_whisper = nullptr;
    QComboBox *m_batterySave = nullptr;
    QComboBox *m_squelch = nullptr;
    QComboBox *m_hangUp = nullptr;
    CTextEdit *m_password = nullptr;
    QGroupBox *m_voxGroup = nullptr;
    QCheckBox *m_voxEnable = nullptr;
    QCheckBox *m_pttCancelsVox = nullptr;
    QCheckBox *m_rxPttInhibit = nullptr;
    std::vector<NumberField> m_timers;     // time-outs and remote monitor
    std::vector<NumberField> m_voxFields;  // sensitivity and hold time
};
