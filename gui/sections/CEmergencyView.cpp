#include "sections/CEmergencyView.h"

#include "app/Language.h"
#include "app/TranslateDialog.h"
#include "fields/RecordMends.h"
#include "sections/ContactData.h"
#include "sections/BasicSettingData.h"
#include "sections/EmergencyData.h"
#include "sections/EmergencyRules.h"
#include "sections/FieldBinder.h"
#include "sections/ReplyChannelRow.h"
#include "widgets/CNumberEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QSignalBlocker>

CEmergencyView::~CEmergencyView() = default;

CEmergencyView::CEmergencyView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 8, kDialogId, parent),
      m_fields(std::make_unique<FieldBinder>(QStringLiteral("digital_emergency"), *this, doc(), prompter(),
                                             [this](int nameId, const std::function<void()> &change) {
                                                 storeField(nameId, change);
                                                 Reload();
                                             }))
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    m_type = addComboRow(grid, 0, Type, QStringLiteral("紧急报警类型"), 20);
    m_mode = addComboRow(grid, 1, Mode, QStringLiteral("紧急报警模式"), 20);
    m_replySet = new QCheckBox(QStringLiteral("回复信道"), this);
    setCtrlId(m_replySet, ReplyChannelSet);
    m_reply = ReplyChannelRow::add(grid, 2, m_replySet, ReplyChannel, [this](const ChannelRef &ref) {
        storeField(ReplyChannelSet, [this, ref] { CEmergencyData(doc()).SetReplyChannelRef(ref); });
        Reload();
    });
    const std::vector<CNumberEdit *> cycles =
        m_fields->numberRows(*this, *grid, 3,
                             {{CycleCount, "紧急报警循环次数", QStringLiteral("cycle_count")},
                              {TxCycleTime, "紧急报警发射循环时间", QStringLiteral("tx_cycle_time_s")},
                              {RxCycleTime, "紧急报警接收循环时间", QStringLiteral("rx_cycle_time_s")}});
    m_cycleCount = cycles[0];
    m_txCycleTime = cycles[1];
    m_rxCycleTime = cycles[2];
    m_emergencyId = addComboRow(grid, 6, EmergencyId, QStringLiteral("紧急报警ID"), 20);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(2, 1);

    m_fields->list(m_type, QStringLiteral("type"), FieldBinder::languageList(QStringLiteral("EmergencyType")));
    m_fields->list(m_mode, QStringLiteral("mode"), FieldBinder::languageList(QStringLiteral("EmergencyMode")));
    m_fields->check(m_replySet, QStringLiteral("reply_channel_set"));
    connect(m_emergencyId, &QComboBox::activated, this, [this](int index) {
        const int contact = m_emergencyId->itemData(index).toInt();
        storeField(EmergencyId, [this, contact] { CEmergencyRules(doc()).chooseEmergencyId(contact); });
        Reload();
    });
}

void CEmergencyView::OnInitialUpdate(int recordIndex)
{
    // A reply channel or emergency ID that is no longer offered is reset
    // when the form opens; this is a step of its own only when bytes change.
    runEdit(QStringLiteral("IDS_ACTION_RESET_REFERENCES"), [this] { Mends::digitalEmergency(doc()); }, Redraw::OtherForms);
    CSectionForm::OnInitialUpdate(recordIndex);
}

void CEmergencyView::MendAfterEdit()
{
    Mends::digitalEmergencyAfterEdit(doc());
}

void CEmergencyView::Reload()
{
    // Reads only: after an undo or another form's change the stored values
    // are shown as they are, an unoffered reply channel as no selection.
    const CEmergencyRules rules(doc());
    m_fields->show(language());
    ReplyChannelRow::show(m_reply, m_replySet, doc(), rules.digitalReplyChannels(), rules.acceptedDigitalReply());
    fillEmergencyIds();
    updateEnabling();
}

void CEmergencyView::fillEmergencyIds()
{
    const CEmergencyRules::IdChoice choice = CEmergencyRules(doc()).emergencyIdChoice();
    const QSignalBlocker blocker(m_emergencyId);
    m_emergencyId->clear();
    if (choice.contacts.isEmpty()) {
        // With no contact to offer, the radio's own ID stands alone.
        m_emergencyId->addItem(CBasicSettingData(doc()).GetRadioId(), 0);
    } else {
        const CContactData contacts(doc());
        for (int contact : choice.contacts)
            m_emergencyId->addItem(contacts.GetName(contact), contact);
    }
    m_emergencyId->setCurrentIndex(choice.selected < 0 ? -1 : m_emergencyId->findData(choice.selected));
}

void CEmergencyView::updateEnabling()
{
    const CEmergencyData emergency(doc());
    const bool on = emergency.GetEmergencyType() != CEmergencyData::kTypeOff;
    const bool cycles = on && emergency.GetEmergencyMode() == CEmergencyData::kModeWithCycles;
    m_mode->setEnabled(on);
    m_replySet->setEnabled(on);
    m_reply->setEnabled(on && emergency.GetReplyChannelSet());
    m_cycleCount->setEnabled(on);
    m_txCycleTime->setEnabled(cycles);
    m_rxCycleTime->setEnabled(cycles);
}

