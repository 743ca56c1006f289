#include "sections/CChannelView.h"

#include "app/AppSettings.h"
#include "app/Language.h"
#include "app/Prompter.h"
#include "app/TranslateDialog.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "fields/RecordMends.h"
#include "sections/CRecordNavigator.h"
#include "sections/ChannelData.h"
#include "sections/ChannelRules.h"
#include "sections/ContactData.h"
#include "sections/EncryptData.h"
#include "sections/ListMaintenance.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"
#include "widgets/CNumberEdit.h"
#include "widgets/CToneComboBox.h"
#include "widgets/EditLimit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QStringList itemsOf(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

using Direction = CChannelData::Direction;

constexpr int kNameLimit = 14;
constexpr int kFrequencyLimit = 10;
constexpr int kColourCodes = 64;
constexpr int kEncodeSequences = 16;
constexpr int kDecodeSequences = 6;

enum ListOperation { OpAddZone, OpDeleteZone, OpAddChannel, OpDeleteChannel };

// The names a reference selector offers: entries 1, 2, ... up to the first
// unnamed one, at most `bound`.
QStringList namesUpToFirstEmpty(int bound, const std::function<QString(int)> &nameOf)
{
    QStringList names;
    for (int entry = 1; entry <= bound; ++entry) {
        const QString name = nameOf(entry);
        if (name.isEmpty())
            break;
        names << name;
    }
    return names;
}

}

CChannelView::CChannelView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 6, kDialogId, parent)
{
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(12, 12, 12, 12);
    page->setSpacing(10);
    buildNavigation(page);
    page->addWidget(buildCommonGroup());
    auto *sideBySide = new QHBoxLayout;
    sideBySide->setSpacing(10);
    sideBySide->addWidget(buildAnalogGroup(), 1);
    sideBySide->addWidget(buildDigitalGroup(), 1);
    page->addLayout(sideBySide);
    page->addStretch(1);
}

// ---- building --------------------------------------------------------------

void CChannelView::buildNavigation(QVBoxLayout *page)
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);

    QLabel *zoneLabel = makeLabel(ZoneName, QStringLiteral("区域别名"));
    m_zoneName = new CTextEdit(this);
    setCtrlId(m_zoneName, ZoneName);
    m_zoneName->setEditLimit(kNameLimit);
    m_zoneName->fitCharacters(kNameLimit);
    zoneLabel->setBuddy(m_zoneName);
    grid->addWidget(zoneLabel, 0, 0);
    grid->addWidget(m_zoneName, 0, 1);
    m_zoneRow = new CRecordNavigator({FirstZone, PreviousZone, NextZone, LastZone, AddZone, DeleteZone, ZonePosition},
                                     {QStringLiteral("第一组"), QStringLiteral("前一组"), QStringLiteral("后一组"),
                                      QStringLiteral("最后一组"), QStringLiteral("增加"), QStringLiteral("删除")},
                                     this, grid, 0, 2);

    QLabel *channelLabel = makeLabel(ChannelName, QStringLiteral("信道别名"));
    m_channelName = new CTextEdit(this);
    setCtrlId(m_channelName, ChannelName);
    m_channelName->setEditLimit(kNameLimit);
    m_channelName->fitCharacters(kNameLimit);
    channelLabel->setBuddy(m_channelName);
    grid->addWidget(channelLabel, 1, 0);
    grid->addWidget(m_channelName, 1, 1);
    m_channelRow = new CRecordNavigator(
        {FirstChannel, PreviousChannel, NextChannel, LastChannel, AddChannel, DeleteChannel, ChannelPosition},
        {QStringLiteral("第一组"), QStringLiteral("前一组"), QStringLiteral("后一组"), QStringLiteral("最后一组"),
         QStringLiteral("增加"), QStringLiteral("删除")},
        this, grid, 1, 2);
    grid->setColumnStretch(11, 1);
    page->addLayout(grid);

    connect(m_zoneName, &QLineEdit::editingFinished, this, &CChannelView::enterZoneName);
    connect(m_channelName, &QLineEdit::editingFinished, this, &CChannelView::enterChannelName);

    connect(m_zoneRow, &CRecordNavigator::firstClicked, this, [this] { showChannel(1, 1); });
    connect(m_zoneRow, &CRecordNavigator::previousClicked, this, [this] { showChannel(m_zone - 1, 1); });
    connect(m_zoneRow, &CRecordNavigator::nextClicked, this, [this] { showChannel(m_zone + 1, 1); });
    connect(m_zoneRow, &CRecordNavigator::lastClicked, this,
            [this] { showChannel(CChannelData(doc()).CountZones(), 1); });
    connect(m_zoneRow, &CRecordNavigator::addClicked, this,
            [this] { runListOperation(QStringLiteral("IDS_ACTION_ADD_ZONE"), OpAddZone); });
    connect(m_zoneRow, &CRecordNavigator::removeClicked, this,
            [this] { runListOperation(QStringLiteral("IDS_ACTION_DELETE_ZONE"), OpDeleteZone); });

    connect(m_channelRow, &CRecordNavigator::firstClicked, this, [this] { showChannel(m_zone, 1); });
    connect(m_channelRow, &CRecordNavigator::previousClicked, this, [this] { showChannel(m_zone, m_channel - 1); });
    connect(m_channelRow, &CRecordNavigator::nextClicked, this, [this] { showChannel(m_zone, m_channel + 1); });
    connect(m_channelRow, &CRecordNavigator::lastClicked, this,
            [this] { showChannel(m_zone, CChannelData(doc()).CountChannels(m_zone)); });
    connect(m_channelRow, &CRecordNavigator::addClicked, this,
            [this] { runListOperation(QStringLiteral("IDS_ACTION_ADD_CHANNEL"), OpAddChannel); });
    connect(m_channelRow, &CRecordNavigator::removeClicked, this,
            [this] { runListOperation(QStringLiteral("IDS_ACTION_DELETE_CHANNEL"), OpDeleteChannel); });
}

QComboBox *CChannelView::addList(QGridLayout *grid, int row, int column, int ctrlId, const QString &label)
{
    auto *list = new QComboBox(this);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    addLabelledField(grid, row, column, ctrlId, ctrlId, label, list);
    return list;
}

CNumberEdit *CChannelView::addFrequency(QGridLayout *grid, int row, int column, int ctrlId, const QString &label)
{
    auto *edit = new CNumberEdit(this);
    edit->Configure(0, 0, kFrequencyLimit, 1, true);
    edit->ShowText(QString());
    addLabelledField(grid, row, column, ctrlId, ctrlId, label, edit);
    return edit;
}

CToneComboBox *CChannelView::addTone(QGridLayout *grid, int row, int ctrlId, const QString &label)
{
    auto *tone = new CToneComboBox(this);
    addLabelledRow(grid, row, ctrlId, label, tone);
    return tone;
}

QCheckBox *CChannelView::addCheck(int ctrlId, const QString &text, const std::function<void(bool)> &store)
{
    auto *box = new QCheckBox(text, this);
    setCtrlId(box, ctrlId);
    connect(box, &QCheckBox::clicked, this, store);
    return box;
}

QGroupBox *CChannelView::buildCommonGroup()
{
    auto *group = new QGroupBox(QStringLiteral("公共数据"), this);
    setCtrlId(group, CommonGroup);
    auto *grid = new QGridLayout(group);
    grid->setHorizontalSpacing(10);
    m_rxFrequency = addFrequency(grid, 0, 0, RxFrequency, QStringLiteral("接收频率[MHz]"));
    m_txFrequency = addFrequency(grid, 0, 2, TxFrequency, QStringLiteral("发射频率[MHz]"));
    m_mode = addList(grid, 1, 0, ChannelMode, QStringLiteral("信道模式"));
    m_type = addList(grid, 1, 2, ChannelType, QStringLiteral("信道类型"));
    m_power = addList(grid, 2, 0, Power, QStringLiteral("功率"));
    m_bandwidth = addList(grid, 2, 2, Bandwidth, QStringLiteral("带宽"));
    m_scanList = addList(grid, 3, 0, ScanList, QStringLiteral("扫描列表"));
    m_autoScan = addCheck(AutoScan, QStringLiteral("自动扫描"), [this](bool on) {
        storeChannel(AutoScan, [on](CChannelData &d, int z, int c) { d.SetAutoScan(z, c, on); });
    });
    m_beatShift = addCheck(BeatShift, QStringLiteral("拍频偏移"), [this](bool on) {
        storeChannel(BeatShift, [on](CChannelData &d, int z, int c) { d.SetBeatShift(z, c, on); });
    });
    auto *checks = new QHBoxLayout;
    checks->addWidget(m_autoScan);
    checks->addWidget(m_beatShift);
    checks->addStretch(1);
    grid->addLayout(checks, 3, 2, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(m_rxFrequency, &CNumberEdit::textCommitted, this, [this] { enterFrequency(RxFrequency, m_rxFrequency, true); });
    connect(m_txFrequency, &CNumberEdit::textCommitted, this, [this] { enterFrequency(TxFrequency, m_txFrequency, false); });
    connect(m_mode, &QComboBox::activated, this, &CChannelView::storeMode);
    connectList(m_type, ChannelType, [](CChannelData &d, int z, int c, int i) { d.SetChannelType(z, c, i); });
    connectList(m_power, Power, [](CChannelData &d, int z, int c, int i) { d.SetPower(z, c, i); });
    connectList(m_scanList, ScanList, [](CChannelData &d, int z, int c, int i) { d.SetScanList(z, c, i); });
    // The bandwidth follows the mode; choosing its one entry stores nothing.
    return group;
}

QGroupBox *CChannelView::buildAnalogGroup()
{
    m_analogGroup = new QGroupBox(QStringLiteral("模拟数据"), this);
    setCtrlId(m_analogGroup, AnalogGroup);
    auto *grid = new QGridLayout(m_analogGroup);
    grid->setHorizontalSpacing(10);
    m_decodeTone = addTone(grid, 0, DecodeTone, QStringLiteral("CTCSS/DCS解码"));
    m_encodeTone = addTone(grid, 1, EncodeTone, QStringLiteral("CTCSS/DCS编码"));
    m_bcl = addList(grid, 2, 0, BclMode, QStringLiteral("模拟BCL模式"));
    m_tailReversal = addList(grid, 3, 0, TailReversal, QStringLiteral("亚音频尾音翻转相移"));
    m_pttOnline = addList(grid, 4, 0, PttOnlineCode, QStringLiteral("PTT上线码"));
    m_pttOffline = addList(grid, 5, 0, PttOfflineCode, QStringLiteral("PTT下线码"));
    m_decodeSequence = addList(grid, 6, 0, DecodeSequence, QStringLiteral("解码序列"));
    // The radio keeps the decode sequence, but the form does not offer it.
    m_decodeSequence->hide();
    findCtrl<QLabel>(this, DecodeSequence)->hide();
    m_turnOffCode = addCheck(TurnOffCode, QStringLiteral("(编码)亚音频尾音翻转/亚音数码关闭码允许"), [this](bool on) {
        storeChannel(TurnOffCode, [on](CChannelData &d, int z, int c) { d.SetTurnOffCode(z, c, on); });
    });
    grid->addWidget(m_turnOffCode, 7, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(8, 1);

    connect(m_decodeTone, &QComboBox::activated, this, [this] { storeTone(DecodeTone, m_decodeTone, true); });
    connect(m_encodeTone, &QComboBox::activated, this, [this] { storeTone(EncodeTone, m_encodeTone, false); });
    connectList(m_bcl, BclMode, [](CChannelData &d, int z, int c, int i) { d.SetBclMode(z, c, i); });
    connectList(m_tailReversal, TailReversal,
                [](CChannelData &d, int z, int c, int i) { d.SetTailReversalPhase(z, c, i); });
    // Index 0 is "none"; the others are sequence numbers 1, 2, ...
    connectList(m_pttOnline, PttOnlineCode, [](CChannelData &d, int z, int c, int i) { d.SetPttOnlineCode(z, c, i); });
    connectList(m_pttOffline, PttOfflineCode,
                [](CChannelData &d, int z, int c, int i) { d.SetPttOfflineCode(z, c, i); });
    connectList(m_decodeSequence, DecodeSequence,
                [](CChannelData &d, int z, int c, int i) { d.SetDecodeSequence(z, c, i); });
    return m_analogGroup;
}

QGroupBox *CChannelView::buildDigitalGroup()
{
    m_digitalGroup = new QGroupBox(QStringLiteral("数字数据"), this);
    setCtrlId(m_digitalGroup, DigitalGroup);
    auto *grid = new QGridLayout(m_digitalGroup);
    grid->setHorizontalSpacing(10);
    m_polite = addList(grid, 0, 0, PoliteMode, QStringLiteral("数字礼貌方式"));
    m_rxColourCode = addList(grid, 1, 0, RxColourCode, QStringLiteral("数字接收CC"));
    m_txColourCode = addList(grid, 2, 0, TxColourCode, QStringLiteral("数字发射CC"));
    m_rxGroup = addList(grid, 3, 0, RxGroupList, QStringLiteral("接收组列表"));
    m_contact = addList(grid, 4, 0, Contact, QStringLiteral("发射默认联系人"));
    m_encryption = addList(grid, 5, 0, Encryption, QStringLiteral("加密列表"));
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);

    connectList(m_polite, PoliteMode, [](CChannelData &d, int z, int c, int i) { d.SetPoliteMode(z, c, i); });
    connectList(m_rxColourCode, RxColourCode, [](CChannelData &d, int z, int c, int i) { d.SetRxColourCode(z, c, i); });
    connectList(m_txColourCode, TxColourCode, [](CChannelData &d, int z, int c, int i) { d.SetTxColourCode(z, c, i); });
    // Reference selectors: index 0 is "none", index n names entry n.
    connectList(m_rxGroup, RxGroupList, [](CChannelData &d, int z, int c, int i) { d.SetRxGroupList(z, c, i); });
    connectList(m_contact, Contact, [](CChannelData &d, int z, int c, int i) { d.SetContact(z, c, i); });
    connectList(m_encryption, Encryption, [](CChannelData &d, int z, int c, int i) { d.SetEncrypt(z, c, i); });
    return m_digitalGroup;
}

void CChannelView::connectList(QComboBox *list, int ctrlId, const ChannelSetter &set)
{
    connect(list, &QComboBox::activated, this, [this, ctrlId, set](int index) {
        storeChannel(ctrlId, [&set, index](CChannelData &d, int z, int c) { set(d, z, c, index); });
    });
}

// ---- showing a channel -----------------------------------------------------

void CChannelView::OnUpdate()
{
    fillLanguageLists();
    CSectionForm::OnUpdate();
}

void CChannelView::OnInitialUpdate(int recordIndex)
{
    const ChannelRef ref = CChannelData::ChannelOfRecordIndex(recordIndex);
    m_zone = ref.zone;
    m_channel = ref.channel;
    applyModeRules();
    CSectionForm::OnInitialUpdate(recordIndex);
}

void CChannelView::ShowRecord(int recordIndex)
{
    const ChannelRef ref = CChannelData::ChannelOfRecordIndex(recordIndex);
    showChannel(ref.zone, ref.channel);
}

void CChannelView::showChannel(int zone, int channel)
{
    m_zone = zone;
    m_channel = channel;
    applyModeRules();
    Reload();
}

// A channel in a mixed mode needs its tones, and every mode its bandwidth.
// Channels that came in breaking these rules are mended when they are shown,
// as an edit of their own that can be undone.
void CChannelView::applyModeRules()
{
    const int zone = m_zone;
    const int channel = m_channel;
    storeField(ChannelMode, [this, zone, channel] { Mends::channel(doc(), zone, channel); });
}

void CChannelView::Reload()
{
    if (m_mode->count() == 0)  // reloaded before the first update
        fillLanguageLists();
    CChannelData data(doc());
    const CListMaintenance lists(doc());
    const int zones = data.CountZones();
    m_zone = std::clamp(m_zone, 1, std::max(zones, 1));
    const int channels = zones > 0 ? data.CountChannels(m_zone) : 0;
    m_channel = std::clamp(m_channel, 1, std::max(channels, 1));
    setRecordIndex(CChannelData::RecordIndexOf(m_zone, m_channel));
    const bool shown = m_channel <= channels;
    const int z = m_zone;
    const int c = m_channel;

    m_zoneName->setText(data.GetZoneName(z));
    m_zoneName->setEnabled(zones > 0);
    m_channelName->setText(data.GetChannelName(z, c));
    m_zoneRow->showPosition(zones > 0 ? z : 0, zones, lists.canAddZone(), lists.canDeleteZone());
    m_channelRow->showPosition(shown ? c : 0, channels, lists.canAddChannel(z), lists.canDeleteChannel(z));

    m_rxFrequency->ShowText(data.GetFrequency(z, c, Direction::Receive));
    m_txFrequency->ShowText(data.GetFrequency(z, c, Direction::Transmit));

    const int mode = data.GetChannelMode(z, c);
    const bool toneCompulsory = mode < CChannelRules::kAnalogMode;
    m_decodeTone->Fill(toneCompulsory, m_noneText, data.GetTone(z, c, Direction::Receive));
    m_encodeTone->Fill(toneCompulsory, m_noneText, data.GetTone(z, c, Direction::Transmit));

    selectIndex(m_mode, mode);
    selectIndex(m_type, data.GetChannelType(z, c));
    selectIndex(m_power, data.GetPower(z, c));
    {
        const QSignalBlocker blocker(m_bandwidth);
        m_bandwidth->clear();
        m_bandwidth->addItem(m_bandwidthTexts.value(CChannelRules::bandwidthForMode(mode)));
        m_bandwidth->setCurrentIndex(0);
    }
    m_autoScan->setChecked(data.GetAutoScan(z, c));
    m_beatShift->setChecked(data.GetBeatShift(z, c));

    selectIndex(m_bcl, data.GetBclMode(z, c));
    selectIndex(m_tailReversal, data.GetTailReversalPhase(z, c));
    m_turnOffCode->setChecked(data.GetTurnOffCode(z, c));
    // Index 0 is "none", index n sequence n.
    selectIndex(m_pttOnline, data.GetPttOnlineCode(z, c));
    selectIndex(m_pttOffline, data.GetPttOfflineCode(z, c));
    selectIndex(m_decodeSequence, data.GetDecodeSequence(z, c));

    selectIndex(m_polite, data.GetPoliteMode(z, c));
    selectIndex(m_rxColourCode, data.GetRxColourCode(z, c));
    selectIndex(m_txColourCode, data.GetTxColourCode(z, c));
    const CRxGroupData groups(doc());
    fillReferenceList(m_rxGroup, namesUpToFirstEmpty(CRxGroupData::kListCount, [&](int n) { return groups.GetName(n); }),
                      data.GetRxGroupList(z, c));
    const CContactData contacts(doc());
    fillReferenceList(m_contact,
                      namesUpToFirstEmpty(CContactData::kContactCount, [&](int n) { return contacts.GetName(n); }),
                      data.GetContact(z, c));
    const CScanData scans(doc());
    fillReferenceList(m_scanList, namesUpToFirstEmpty(CScanData::kListCount, [&](int n) { return scans.GetName(n); }),
                      data.GetScanList(z, c));
    const CEncryptData keys(doc());
    fillReferenceList(m_encryption,
                      namesUpToFirstEmpty(CEncryptData::kEntryCount, [&](int n) { return keys.GetName(n); }),
                      data.GetEncrypt(z, c));

    applyEnabling(shown, mode);
}

// The lists whose entries come from the language file, filled again only
// when the texts may have changed.
void CChannelView::fillLanguageLists()
{
    const Language &lang = language();
    m_noneText = lang.GetLangString(QStringLiteral("IDS_NONE"));
    m_bandwidthTexts = lang.GetLangList(QStringLiteral("BandWidth"));
    const std::pair<QComboBox *, const char *> fixedLists[] = {
        {m_mode, "ChannelMode"},     {m_type, "ChannelType"},    {m_power, "Power"},
        {m_bcl, "AnalogBclMode"},    {m_polite, "PoliteMode"},   {m_tailReversal, "TailReversal"},
    };
    for (const auto &[list, section] : fixedLists) {
        const QSignalBlocker blocker(list);
        list->clear();
        list->addItems(lang.GetLangList(QLatin1String(section)));
    }
    fillSequenceList(m_pttOnline, QStringLiteral("IDS_ENCODE"), kEncodeSequences);
    fillSequenceList(m_pttOffline, QStringLiteral("IDS_ENCODE"), kEncodeSequences);
    fillSequenceList(m_decodeSequence, QStringLiteral("IDS_DECODE"), kDecodeSequences);
    for (QComboBox *list : {m_rxColourCode, m_txColourCode}) {
        if (list->count() == kColourCodes)
            continue;
        const QSignalBlocker blocker(list);
        list->clear();
        for (int code = 1; code <= kColourCodes; ++code)
            list->addItem(QString::number(code));
    }
}

void CChannelView::fillReferenceList(QComboBox *list, const QStringList &names, int stored)
{
    const QSignalBlocker blocker(list);
    const QStringList items = QStringList{m_noneText} + names;
    if (itemsOf(list) != items) {
        list->clear();
        list->addItems(items);
    }
    // A reference past the named entries selects nothing rather than another entry.
    list->setCurrentIndex(stored <= names.size() ? stored : -1);
}

void CChannelView::fillSequenceList(QComboBox *list, const QString &textKey, int count)
{
    const QSignalBlocker blocker(list);
    list->clear();
    list->addItem(m_noneText);
    const QString word = language().GetLangString(textKey);
    for (int n = 1; n <= count; ++n)
        list->addItem(QStringLiteral("%1 %2").arg(word).arg(n));
}

void CChannelView::selectIndex(QComboBox *list, int index)
{
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void CChannelView::applyEnabling(bool channelShown, int mode)
{
    const auto groups = findChildren<QGroupBox *>();
    for (QGroupBox *group : groups)
        group->setEnabled(channelShown);
    m_channelName->setEnabled(channelShown);
    if (!channelShown)
        return;
    m_analogGroup->setEnabled(mode != CChannelRules::kDigitalMode);
    m_digitalGroup->setEnabled(mode != CChannelRules::kAnalogMode);
}

// ---- stores ----------------------------------------------------------------

void CChannelView::storeChannel(int ctrlId, const std::function<void(CChannelData &, int, int)> &change)
{
    const int zone = m_zone;
    const int channel = m_channel;
    storeField(ctrlId, [this, &change, zone, channel] {
        CChannelData data(doc());
        if (data.ChannelExists(zone, channel))
            change(data, zone, channel);
    });
    Reload();
}

void CChannelView::enterZoneName()
{
    const QString text = m_zoneName->text();
    const int zone = m_zone;
    DeferredPrompter messages;
    storeField(ZoneName, [&] { CChannelRules(doc()).enterZoneName(zone, text, messages); }, Redraw::TreeLabels);
    Reload();
    messages.showOn(prompter());
}

void CChannelView::enterChannelName()
{
    const QString text = m_channelName->text();
    const int zone = m_zone;
    const int channel = m_channel;
    DeferredPrompter messages;
    storeField(
        ChannelName, [&] { CChannelRules(doc()).enterChannelName(zone, channel, text, messages); },
        Redraw::TreeLabels);
    Reload();
    messages.showOn(prompter());
}

void CChannelView::enterFrequency(int ctrlId, CNumberEdit *edit, bool receive)
{
    const QString text = edit->text();
    const int zone = m_zone;
    const int channel = m_channel;
    const Direction dir = receive ? Direction::Receive : Direction::Transmit;
    storeField(ctrlId, [&] { CChannelRules(doc()).enterFrequency(zone, channel, dir, text); });
    Reload();
}

void CChannelView::storeTone(int ctrlId, CToneComboBox *tone, bool receive)
{
    const QString text = tone->currentText();
    const Direction dir = receive ? Direction::Receive : Direction::Transmit;
    storeChannel(ctrlId, [&text, dir](CChannelData &d, int z, int c) { d.SetTone(z, c, dir, text); });
}

void CChannelView::storeMode(int index)
{
    const int zone = m_zone;
    const int channel = m_channel;
    // Other open forms list channels by mode (the emergency reply channels).
    storeField(ChannelMode, [&] { CChannelRules(doc()).setMode(zone, channel, index); });
    Reload();
}

void CChannelView::runListOperation(const QString &actionKey, int operation)
{
    EditResult result;
    const int zone = m_zone;
    const int channel = m_channel;
    runEdit(actionKey, [&] {
        CListMaintenance lists(doc());
        switch (operation) {
        case OpAddZone: result = lists.addZone(); break;
        case OpDeleteZone: result = lists.deleteZone(zone); break;
        case OpAddChannel: result = lists.addChannel(zone); break;
        default: result = lists.deleteChannel(zone, channel); break;
        }
    });
    if (result.ok()) {
        m_zone = result.zone;
        m_channel = result.channel;
    }
    Reload();
}
