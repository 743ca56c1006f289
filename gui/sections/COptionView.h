#pragma once

#include "sections/CSectionForm.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class FieldBinder;
class QCheckBox;
class QGridLayout;
class QGroupBox;

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
    ~COptionView() override;

    void Reload() override;

private:
    // Each adds a control bound to the catalogue field `key`.
    QCheckBox *addCheck(QGridLayout *grid, int row, int id, const char *label, const QString &key, QWidget *owner = nullptr);
    void addList(QGridLayout *grid, int row, int id, int labelId, const char *label, const QString &key, std::function<QStringList(const Language &)> entries);
    void addNumber(QGridLayout *grid, int row, int id, const char *label, const QString &key, QWidget *owner = nullptr);

    std::unique_ptr<FieldBinder> m_fields;
    QGroupBox *m_voxGroup = nullptr;
    std::vector<QWidget *> m_voxControls;  // enabled while voice-operated transmit is on
};
