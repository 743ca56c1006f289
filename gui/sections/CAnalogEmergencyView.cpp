#include "sections/CAnalogEmergencyView.h"

#include "app/Language.h"
#include "app/TranslateDialog.h"
#include "fields/RecordMends.h"
#include "sections/EmergencyRules.h"
#include "sections/FieldBinder.h"
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

CAnalogEmergencyView::~CAnalogEmergencyView() = default;

CAnalogEmergencyView::CAnalogEmergencyView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 14, kDialogId, parent),
      m_fields(std::make_unique<FieldBinder>(QStringLiteral("analog_emergency"), *this, doc(), prompter(),
                                             [this](int nameId, const std::function<void()> &change) {
                                                 storeField(nameId, change);
                                                 Reload();
                                             }))
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    m_cycleMode = addComboRow(grid, 0, CycleMode, QStringLiteral("紧急报警循环模式"), 20);
    auto *switches = new QVBoxLayout;
    switches->addWidget(addSwitch(SilentAlarm, QStringLiteral("秘密报警"), QStringLiteral("silent_alarm")));
    switches->addWidget(addSwitch(TxAlarmTone, QStringLiteral("发射时报警音"), QStringLiteral("tx_alarm_tone")));
    switches->addWidget(addSwitch(EncodedTelegram, QStringLiteral("紧急编码电报"), QStringLiteral("encoded_telegram")));
    grid->addLayout(switches, 1, 0, 1, 2);
    m_designatedReply = addSwitch(DesignatedReply, QStringLiteral("指定紧急报警回复信道"), QStringLiteral("designated_reply_channel"));
    m_reply = ReplyChannelRow::add(grid, 2, m_designatedReply, ReplyChannel, [this](const ChannelRef &ref) {
        storeField(DesignatedReply, [this, ref] { CAnalogEmergencyData(doc()).SetReplyChannelRef(ref); });
        Reload();
    });
    m_encodeSequence = addComboRow(grid, 3, EncodeSequence, QStringLiteral("紧急编码电报序列"), 20);
    // The radio keeps the alarm tone time in 100 ms units.
    m_fields->numberRows(*this, *grid, 4,
                         {{CycleCount, "紧急报警循环次数", QStringLiteral("cycle_count")},
                          {TxCycleTime, "紧急报警发射循环时间[秒]", QStringLiteral("tx_cycle_time_s")},
                          {RxCycleTime, "紧急报警接收循环时间[秒]", QStringLiteral("rx_cycle_time_s")},
                          {AlarmToneTime, "发射时紧急报警音时间[毫秒]", QStringLiteral("alarm_tone_time_ms")}});
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(2, 1);

    m_fields->list(m_cycleMode, QStringLiteral("cycle_mode"), &CAnalogEmergencyView::cycleModeItems);
    connect(m_encodeSequence, &QComboBox::activated, this, [this](int index) {
        storeField(EncodeSequence, [this, index] { CAnalogEmergencyData(doc()).SetEncodeSequence(index + 1); });
        Reload();
    });
}

QCheckBox *CAnalogEmergencyView::addSwitch(int control, const QString &text, const QString &key)
{
    auto *box = new QCheckBox(text, this);
    setCtrlId(box, control);
    m_fields->check(box, key);
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
    m_fields->show(language());
    const CEmergencyRules rules(doc());
    ReplyChannelRow::show(m_reply, m_designatedReply, doc(), rules.analogReplyChannels(), rules.acceptedAnalogReply());
    m_reply->setEnabled(emergency.GetDesignatedReplyChannel());

    QStringList sequences;
    const QString encode = language().GetLangString(QStringLiteral("IDS_ENCODE"));
    for (int number = 1; number <= CAnalogEmergencyData::kEncodeSequenceCount; ++number)
        sequences << QStringLiteral("%1 %2").arg(encode).arg(number);
    FormFields::fillItems(m_encodeSequence, sequences, emergency.GetEncodeSequence() - 1);
}

