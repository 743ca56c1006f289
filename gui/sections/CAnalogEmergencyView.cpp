#include "sections/CAnalogEmergencyView.h"

#include "app/Language.h"
#include "app/TranslateDialog.h"
#include "fields/RecordMends.h"
#include "sections/EmergencyRules.h"
#include "sections/FormFields.h"
#include "sections/ReplyChannelRow.h"
#include "widgets/CNumberEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
constexpr int kCycleItemLength = 31;
}

CAnalogEmergencyView::CAnalogEmergencyView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 14, kDialogId, parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    m_cycleMode = addComboRow(grid, 0, CycleMode, QStringLiteral("紧急报警循环模式"), 20);
    auto *switches = new QVBoxLayout;
    switches->addWidget(addSwitch(SilentAlarm, QStringLiteral("秘密报警"), &CAnalogEmergencyData::GetSilentAlarm,
                                  &CAnalogEmergencyData::SetSilentAlarm));
    switches->addWidget(addSwitch(TxAlarmTone, QStringLiteral("发射时报警音"), &CAnalogEmergencyData::GetTxAlarmTone,
                                  &CAnalogEmergencyData::SetTxAlarmTone));
    switches->addWidget(addSwitch(EncodedTelegram, QStringLiteral("紧急编码电报"),
                                  &CAnalogEmergencyData::GetEncodedTelegram, &CAnalogEmergencyData::SetEncodedTelegram));
    grid->addLayout(switches, 1, 0, 1, 2);
    m_designatedReply = addSwitch(DesignatedReply, QStringLiteral("指定紧急报警回复信道"),
                                  &CAnalogEmergencyData::GetDesignatedReplyChannel,
                                  &CAnalogEmergencyData::SetDesignatedReplyChannel);
    m_reply = ReplyChannelRow::add(grid, 2, m_designatedReply, ReplyChannel, [this](const ChannelRef &ref) {
        storeField(DesignatedReply, [this, ref] { CAnalogEmergencyData(doc()).SetReplyChannelRef(ref); });
        Reload();
    });
    m_encodeSequence = addComboRow(grid, 3, EncodeSequence, QStringLiteral("紧急编码电报序列"), 20);
    const auto store = [this](int control, int value) { storeNumber(control, value); };
    m_cycleCount = addNumberRow(grid, 4, CycleCount, QStringLiteral("紧急报警循环次数"), store);
    m_cycleCount->Configure(1, 255, 3, 1, true);
    m_txCycleTime = addNumberRow(grid, 5, TxCycleTime, QStringLiteral("紧急报警发射循环时间[秒]"), store);
    m_txCycleTime->Configure(1, 255, 3, 1, true);
    m_rxCycleTime = addNumberRow(grid, 6, RxCycleTime, QStringLiteral("紧急报警接收循环时间[秒]"), store);
    m_rxCycleTime->Configure(1, 255, 3, 1, true);
    m_alarmToneTime = addNumberRow(grid, 7, AlarmToneTime, QStringLiteral("发射时紧急报警音时间[毫秒]"), store);
    // The radio keeps the time in 100 ms units.
    m_alarmToneTime->Configure(100, 6330, 4, 100, true);
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(2, 1);

    connect(m_cycleMode, &QComboBox::activated, this, [this](int mode) {
        storeField(CycleMode, [this, mode] { CAnalogEmergencyData(doc()).SetCycleMode(mode); });
        Reload();
    });
    connect(m_encodeSequence, &QComboBox::activated, this, [this](int index) {
        storeField(EncodeSequence, [this, index] { CAnalogEmergencyData(doc()).SetEncodeSequence(index + 1); });
        Reload();
    });
}

QCheckBox *CAnalogEmergencyView::addSwitch(int control, const QString &text, Getter get, Setter set)
{
    auto *box = new QCheckBox(text, this);
    setCtrlId(box, control);
    m_switches.append(Switch{box, get});
    connect(box, &QCheckBox::clicked, this, [this, control, set](bool on) {
        storeField(control, [this, set, on] {
            CAnalogEmergencyData emergency(doc());
            (emergency.*set)(on);
        });
        Reload();
    });
    return box;
}

QStringList CAnalogEmergencyView::cycleModeItems(const Language &language)
{
    QStringList items;
    for (int key = 0;; ++key) {
        const QString text = language.GetLangItem(QStringLiteral("EmergencyCycle"), key);
        if (text.isEmpty())
            break;
        items << text.left(kCycleItemLength);
    }
    return items;
}

void CAnalogEmergencyView::OnInitialUpdate(int recordIndex)
{
    // A reply channel that is no longer offered is reset when the form
    // opens; this is a step of its own only when bytes change.
    runEdit(QStringLiteral("IDS_ACTION_RESET_REFERENCES"), [this] { Mends::analogEmergency(doc()); }, Redraw::OtherForms);
    CSectionForm::OnInitialUpdate(recordIndex);
}

void CAnalogEmergencyView::MendAfterEdit()
{
    Mends::analogEmergencyAfterEdit(doc());
}

void CAnalogEmergencyView::Reload()
{
    // Reads only (see the digital form).
    const CAnalogEmergencyData emergency(doc());
    FormFields::fillItems(m_cycleMode, cycleModeItems(language()), emergency.GetCycleMode());
    for (const Switch &s : m_switches) {
        const QSignalBlocker blocker(s.box);
        s.box->setChecked((emergency.*s.get)());
    }
    const CEmergencyRules rules(doc());
    ReplyChannelRow::show(m_reply, m_designatedReply, doc(), rules.analogReplyChannels(), rules.acceptedAnalogReply());
    m_reply->setEnabled(emergency.GetDesignatedReplyChannel());

    QStringList sequences;
    const QString encode = language().GetLangString(QStringLiteral("IDS_ENCODE"));
    for (int number = 1; number <= CAnalogEmergencyData::kEncodeSequenceCount; ++number)
        sequences << QStringLiteral("%1 %2").arg(encode).arg(number);
    FormFields::fillItems(m_encodeSequence, sequences, emergency.GetEncodeSequence() - 1);

    m_cycleCount->Show(emergency.GetCycleCount(), false);
    m_txCycleTime->Show(emergency.GetTxCycleTime(), false);
    m_rxCycleTime->Show(emergency.GetRxCycleTime(), false);
    m_alarmToneTime->Show(emergency.GetAlarmToneTime(), false);
}

void CAnalogEmergencyView::storeNumber(int control, int value)
{
    storeField(control, [this, control, value] {
        CAnalogEmergencyData emergency(doc());
        if (control == CycleCount)
            emergency.SetCycleCount(value);
        else if (control == TxCycleTime)
            emergency.SetTxCycleTime(value);
        else if (control == RxCycleTime)
            emergency.SetRxCycleTime(value);
        else
            emergency.SetAlarmToneTime(value);
    });
    Reload();
}
