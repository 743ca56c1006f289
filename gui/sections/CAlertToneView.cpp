#include "sections/CAlertToneView.h"

#include "app/TranslateDialog.h"
#include "sections/AlertToneData.h"
#include "sections/FieldBinder.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>

namespace {

const char *const kToneLabels[CAlertToneData::kToneCount] = {
    "开机提示音",     "开机自检故障提示音", "TOT预警提示音", "扫描开始提示音",
    "扫描结束提示音", "扫描(到)优先信道提示音", "禁发提示音", "发射遇忙提示音",
    "呼叫失败提示音", "紧急被叫提示音",   "主叫提示音",    "功能使能提示音",
    "功能退出提示音", "按键错误或无效提示音", "低电提示音", "个呼提示音",
    "组呼提示音",     "全呼提示音",       "未接来电提示音", "侧音提示音音量",
};

// Two tones are never offered; their bits keep what the image holds.
bool neverShown(int tone)
{
    return CAlertToneView::toneList(tone) == CAlertToneView::TxBusyToneList
           || CAlertToneView::toneList(tone) == CAlertToneView::MissedCallToneList;
}

}

CAlertToneView::CAlertToneView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 4, kDialogId, parent),
      m_fields(std::make_unique<FieldBinder>(QStringLiteral("alert_tones"), *this, doc(), prompter(),
                                             [this](int nameId, const std::function<void()> &change) {
                                                 storeField(nameId, change);
                                                 Reload();
                                             }))
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(6);

    // The tones in two columns of label and list, in tone order; the
    // catalogue holds them first, in the same order.
    const Fields::RecordSchema &record = *Fields::recordSchema(QStringLiteral("alert_tones"));
    int shown = 0;
    for (int tone = 0; tone < CAlertToneData::kToneCount; ++tone) {
        const int list = toneList(tone);
        auto *box = new QComboBox(this);
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        if (neverShown(tone)) {
            // Kept out of the layout and unbound: they are never shown.
            setCtrlId(box, list);
            box->hide();
            m_tones.push_back(box);
            continue;
        }
        const int slot = shown++;
        addLabelledField(grid, slot % 9, (slot / 9) * 2, list - 1, list, QString::fromUtf8(kToneLabels[tone]), box);
        m_fields->list(box, record.fields[std::size_t(tone)].key, FieldBinder::languageList(QStringLiteral("AlertTone")), list);
        m_tones.push_back(box);
    }

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, 9, 0, 1, 4);

    auto addList = [&](int row, int column, int listId, const char *label, const QString &key, FieldBinder::Entries entries) {
        auto *box = new QComboBox(this);
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        addLabelledField(grid, row, column, listId, listId, QString::fromUtf8(label), box);
        m_fields->list(box, key, std::move(entries));
        return box;
    };
    addList(10, 0, AlertToneEnableList, "提示音使能", QStringLiteral("alert_tones_enabled"),
            FieldBinder::languageList(QStringLiteral("AlertToneEnable")));
    addList(10, 2, AnnounceLanguageList, "信道播报语言", QStringLiteral("announce_language"),
            FieldBinder::languageList(QStringLiteral("AnnounceLanguage")));
    addList(11, 0, VoiceVolumeFixedList, "语音音量固定", QStringLiteral("voice_volume_fixed"),
            FieldBinder::languageList(QStringLiteral("VoiceVolumeFixed")));
    addList(11, 2, VoiceVolumeList, "固定时语音音量", QStringLiteral("voice_volume"), {});
    m_alertVolume = addList(12, 0, AlertToneVolumeList, "固定时提示音音量", QStringLiteral("alert_tone_volume"), {});
    addList(12, 2, SideToneVolumeList, "固定时侧音音量", QStringLiteral("side_tone_volume"), {});
    grid->setRowStretch(13, 1);
    grid->setColumnStretch(4, 1);
}

CAlertToneView::~CAlertToneView() = default;

void CAlertToneView::Reload()
{
    m_fields->show(language());
    // Switched off, the tones and their volume do not matter.
    const bool enabled = m_fields->field(QStringLiteral("alert_tones_enabled")).getInt(doc(), {}) != 0;
    for (QComboBox *list : m_tones)
        list->setEnabled(enabled);
    m_alertVolume->setEnabled(enabled);
}
