#pragma once

#include "sections/CSectionForm.h"
#include "sections/AnalogEmergencyData.h"

#include <memory>

class FieldBinder;
class Language;
class QCheckBox;
class QComboBox;

// The analog emergency form (section 14): cycle mode, the four switches,
// the designated reply channel, the telegram's encode sequence and the
// cycle and alarm-tone times.
class CAnalogEmergencyView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 143;
    enum Control {
        DesignatedReply = 1318,
        CycleMode = 1319,
        SilentAlarm = 1321,
        TxAlarmTone = 1322,
        EncodedTelegram = 1323,
        ReplyChannel = 1325,
        EncodeSequence = 1327,
        CycleCount = 1329,
        TxCycleTime = 1332,
        RxCycleTime = 1335,
        AlarmToneTime = 1338,
    };

    explicit CAnalogEmergencyView(const FormContext &context, QWidget *parent = nullptr);
    ~CAnalogEmergencyView() override;

    void OnInitialUpdate(int recordIndex) override;
    void Reload() override;
    // A channel that stops being acceptable as reply channel while the form
    // is open is reset within the change that made it so.
    void MendAfterEdit() override;

    // The cycle-mode entries: keys 0, 1, ... of "EmergencyCycle" up to the
    // first missing one, each cut to 31 characters.
    static QStringList cycleModeItems(const Language &language);

private:
    QCheckBox *addSwitch(int control, const QString &text, const QString &key);

    std::unique_ptr<FieldBinder> m_fields;  // all but the reply channel and the encode sequence
    QComboBox *m_cycleMode = nullptr;
    QCheckBox *m_designatedReply = nullptr;
    QComboBox *m_reply = nullptr;
    QComboBox *m_encodeSequence = nullptr;
};
