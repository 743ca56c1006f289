#include "sections/CChannelView.h"

#include "app/AppSettings.h"
#include "app/Language.h"
#include "app/Prompter.h"
#include "app/TranslateDialog.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "fields/RecordMends.h"
#include "sections/CRecordNavigator.h"
#include "sections/ChannelEntries.h"
#include "sections/FieldBinder.h"
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

using Direction = CChannelData::Direction;

constexpr int kNameLimit = 14;
constexpr int kFrequencyLimit = 10;

enum ListOperation { OpAddZone, OpDeleteZone, OpAddChannel, OpDeleteChannel };


}

CChannelView::~CChannelView() = default;

CChannelView::CChannelView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 6, kDialogId, parent),
      m_fields(std::make_unique<FieldBinder>(QStringLiteral("zones.channels"), *this, doc(), prompter(),
                                             [this](int nameId, const std::function<void()> &change) {
                                                 // Only a channel that is shown can be changed.
                                                 if (CChannelData(doc()).ChannelExists(m_zone, m_channel))
                                                     storeField(nameId, change);
                                                 Reload();
                                             }))
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

QCheckBox *CChannelView::addCheck(int ctrlId, const QString &text, const QString &key)
{
    auto *box = new QCheckBox(text, this);
    setCtrlId(box, ctrlId);
    m_fields->check(box, key);
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
    m_autoScan = addCheck(AutoScan, QStringLiteral("自动扫描"), QStringLiteral("auto_scan"));
    m_beatShift = addCheck(BeatShift, QStringLiteral("拍频偏移"), QStringLiteral("beat_shift"));
    auto *checks = new QHBoxLayout;
    checks->addWidget(m_autoScan);
    checks->addWidget(m_beatShift);
    checks->addStretch(1);
    grid->addLayout(checks, 3, 2, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(m_rxFrequency, &CNumberEdit::textCommitted, this, [this] { enterFrequency(RxFrequency, m_rxFrequency, true); });
    connect(m_txFrequency, &CNumberEdit::textCommitted, this, [this] { enterFrequency(TxFrequency, m_txFrequency, false); });
    // A mode change brings its compulsory tones, bandwidth and colour codes.
    m_fields->list(m_mode, QStringLiteral("mode"), ChannelEntries::forField(QStringLiteral("mode"), doc()));
    m_fields->list(m_type, QStringLiteral("channel_type"), ChannelEntries::forField(QStringLiteral("channel_type"), doc()));
    m_fields->list(m_power, QStringLiteral("power"), ChannelEntries::forField(QStringLiteral("power"), doc()));
    m_fields->list(m_scanList, QStringLiteral("scan_list"), ChannelEntries::forField(QStringLiteral("scan_list"), doc()));
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
    m_turnOffCode = addCheck(TurnOffCode, QStringLiteral("(编码)亚音频尾音翻转/亚音数码关闭码允许"), QStringLiteral("turn_off_code"));
    grid->addWidget(m_turnOffCode, 7, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(8, 1);

    connect(m_decodeTone, &QComboBox::activated, this, [this] { storeTone(DecodeTone, m_decodeTone, true); });
    connect(m_encodeTone, &QComboBox::activated, this, [this] { storeTone(EncodeTone, m_encodeTone, false); });
    m_fields->list(m_bcl, QStringLiteral("bcl_mode"), ChannelEntries::forField(QStringLiteral("bcl_mode"), doc()));
    m_fields->list(m_tailReversal, QStringLiteral("tail_reversal_phase"), ChannelEntries::forField(QStringLiteral("tail_reversal_phase"), doc()));
    m_fields->list(m_pttOnline, QStringLiteral("ptt_online_code"), ChannelEntries::forField(QStringLiteral("ptt_online_code"), doc()));
    m_fields->list(m_pttOffline, QStringLiteral("ptt_offline_code"), ChannelEntries::forField(QStringLiteral("ptt_offline_code"), doc()));
    m_fields->list(m_decodeSequence, QStringLiteral("decode_sequence"), ChannelEntries::forField(QStringLiteral("decode_sequence"), doc()));
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

    m_fields->list(m_polite, QStringLiteral("polite_mode"), ChannelEntries::forField(QStringLiteral("polite_mode"), doc()));
    m_fields->list(m_rxColourCode, QStringLiteral("rx_colour_code"), ChannelEntries::forField(QStringLiteral("rx_colour_code"), doc()));
    m_fields->list(m_txColourCode, QStringLiteral("tx_colour_code"), ChannelEntries::forField(QStringLiteral("tx_colour_code"), doc()));
    m_fields->list(m_rxGroup, QStringLiteral("rx_group_list"), ChannelEntries::forField(QStringLiteral("rx_group_list"), doc()));
    m_fields->list(m_contact, QStringLiteral("contact"), ChannelEntries::forField(QStringLiteral("contact"), doc()));
    m_fields->list(m_encryption, QStringLiteral("encryption_key"), ChannelEntries::forField(QStringLiteral("encryption_key"), doc()));
    return m_digitalGroup;
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
    if (m_noneText.isEmpty())  // reloaded before the first update
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

    m_fields->setRecord({z, c});
    m_fields->show(language());
    {
        const QSignalBlocker blocker(m_bandwidth);
        m_bandwidth->clear();
        m_bandwidth->addItem(m_bandwidthTexts.value(CChannelRules::bandwidthForMode(mode)));
        m_bandwidth->setCurrentIndex(0);
    }
    applyEnabling(shown, mode);
}

// The texts of the language file the form uses itself, taken again only
// when they may have changed.
void CChannelView::fillLanguageLists()
{
    const Language &lang = language();
    m_noneText = lang.GetLangString(QStringLiteral("IDS_NONE"));
    m_bandwidthTexts = lang.GetLangList(QStringLiteral("BandWidth"));
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
    // The first entry of a list that offers none is the language's word for it.
    const QString text = tone->offersNone() && tone->currentIndex() == 0 ? QStringLiteral("none") : tone->currentText();
    const Fields::Field &field = m_fields->field(receive ? QStringLiteral("rx_tone") : QStringLiteral("tx_tone"));
    Fields::Store result;
    storeChannel(ctrlId, [&](CChannelData &, int z, int c) { result = Fields::setText(field, doc(), {z, c}, text); });
    FieldBinder::tellRefusal(prompter(), result);
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
