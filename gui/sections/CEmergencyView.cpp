#include "sections/CEmergencyView.h"

#include "app/Language.h"
#include "app/TranslateDialog.h"
#include "fields/RecordMends.h"
#include "sections/ContactData.h"
#include "sections/BasicSettingData.h"
#include "sections/EmergencyData.h"
#include "sections/EmergencyRules.h"
#include "sections/FormFields.h"
#include "sections/ReplyChannelRow.h"
#include "widgets/CNumberEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QSignalBlocker>

CEmergencyView::CEmergencyView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 8, kDialogId, parent)
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
    const auto store = [this](int control, int value) { storeNumber(control, value); };
    m_cycleCount = addNumberRow(grid, 3, CycleCount, QStringLiteral("紧急报警循环次数"), store);
    m_cycleCount->Configure(1, 255, 4, 1, true);
    m_txCycleTime = addNumberRow(grid, 4, TxCycleTime, QStringLiteral("紧急报警发射循环时间"), store);
    m_txCycleTime->Configure(1, 255, 3, 1, true);
    m_rxCycleTime = addNumberRow(grid, 5, RxCycleTime, QStringLiteral("紧急报警接收循环时间"), store);
    m_rxCycleTime->Configure(1, 255, 3, 1, true);
    m_emergencyId = addComboRow(grid, 6, EmergencyId, QStringLiteral("紧急报警ID"), 20);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(2, 1);

    connect(m_type, &QComboBox::activated, this, [this](int type) {
        storeField(Type, [this, type] { CEmergencyData(doc()).SetEmergencyType(type); });
        Reload();
    });
    connect(m_mode, &QComboBox::activated, this, [this](int mode) {
        storeField(Mode, [this, mode] { CEmergencyData(doc()).SetEmergencyMode(mode); });
        Reload();
    });
    connect(m_replySet, &QCheckBox::clicked, this, [this](bool on) {
        storeField(ReplyChannelSet, [this, on] { CEmergencyData(doc()).SetReplyChannelSet(on); });
        Reload();
    });
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
    const CEmergencyData emergency(doc());
    const CEmergencyRules rules(doc());
    FormFields::fillItems(m_type, language().GetLangList(QStringLiteral("EmergencyType")), emergency.GetEmergencyType());
    FormFields::fillItems(m_mode, language().GetLangList(QStringLiteral("EmergencyMode")), emergency.GetEmergencyMode());
    {
        const QSignalBlocker blocker(m_replySet);
        m_replySet->setChecked(emergency.GetReplyChannelSet());
    }
    ReplyChannelRow::show(m_reply, m_replySet, doc(), rules.digitalReplyChannels(), rules.acceptedDigitalReply());
    m_cycleCount->SetSpecial(0, language().GetLangString(QStringLiteral("IDS_CONTINUEEMERGENCY")));
    m_cycleCount->Show(emergency.GetCycleCount(), true);
    m_txCycleTime->Show(emergency.GetTxCycleTime(), false);
    m_rxCycleTime->Show(emergency.GetRxCycleTime(), false);
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

void CEmergencyView::storeNumber(int control, int value)
{
    storeField(control, [this, control, value] {
        CEmergencyData emergency(doc());
        if (control == CycleCount)
            emergency.SetCycleCount(value);
        else if (control == TxCycleTime)
            emergency.SetTxCycleTime(value);
        else
            emergency.SetRxCycleTime(value);
    });
    Reload();
}
