#include "sections/CAlertToneView.h"

#include "app/AppSettings.h"
#include "app/Language.h"
#include "app/TranslateDialog.h"
#include "sections/AlertToneData.h"
#include "sections/FormFields.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>

namespace {

// "first" ... "last" as the entries of a numeric list.
QStringList levelTexts(int first, int last)
{
    QStringList entries;
    for (int n = first; n <= last; ++n)
        entries << QString::number(n);
    return entries;
}

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
    : CSectionForm(context, 4, kDialogId, parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(6);

    // The tones in two columns of label and list, in tone order.
    int shown = 0;
    for (int tone = 0; tone < CAlertToneData::kToneCount; ++tone) {
        const int list = toneList(tone);
        const int slot = neverShown(tone) ? 0 : shown++;
        m_tones[tone] = addList(grid, slot % 9, (slot / 9) * 2, list - 1, list, kToneLabels[tone], &m_toneLabels[tone]);
        if (neverShown(tone)) {
            // Kept out of the layout: they are never shown.
            grid->removeWidget(m_tones[tone]);
            grid->removeWidget(m_toneLabels[tone]);
            m_tones[tone]->hide();
            m_toneLabels[tone]->hide();
        }
    }

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, 9, 0, 1, 4);

    m_enable = addList(grid, 10, 0, AlertToneEnableList, AlertToneEnableList, "提示音使能");
    m_announce = addList(grid, 10, 2, AnnounceLanguageList, AnnounceLanguageList, "信道播报语言");
    m_voiceFixed = addList(grid, 11, 0, VoiceVolumeFixedList, VoiceVolumeFixedList, "语音音量固定");
    m_voiceVolume = addList(grid, 11, 2, VoiceVolumeList, VoiceVolumeList, "固定时语音音量");
    m_alertVolume = addList(grid, 12, 0, AlertToneVolumeList, AlertToneVolumeList, "固定时提示音音量");
    m_sideVolume = addList(grid, 12, 2, SideToneVolumeList, SideToneVolumeList, "固定时侧音音量");
    grid->setRowStretch(13, 1);
    grid->setColumnStretch(4, 1);
}

QComboBox *CAlertToneView::addList(QGridLayout *grid, int row, int column, int labelId, int listId, const char *label,
                                   QLabel **labelOut)
{
    auto *list = new QComboBox(this);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    QLabel *caption = addLabelledField(grid, row, column, labelId, listId, QString::fromUtf8(label), list);
    if (labelOut)
        *labelOut = caption;
    connect(list, &QComboBox::activated, this, [this, listId](int index) { store(listId, index); });
    return list;
}

void CAlertToneView::store(int listId, int index)
{
    storeField(listId, [&] {
        CAlertToneData data(doc());
        switch (listId) {
        case VoiceVolumeFixedList: data.SetVoiceVolumeFixed(index); break;
        case VoiceVolumeList: data.SetVoiceVolume(index); break;
        case AlertToneVolumeList: data.SetAlertToneVolume(index); break;
        case SideToneVolumeList: data.SetSideToneVolume(index); break;
        case AnnounceLanguageList: data.SetAnnounceLanguage(index); break;
        case AlertToneEnableList: data.SetAlertToneEnable(index); break;
        default: data.SetAlertTone((listId - FirstToneList) / 2, index); break;
        }
    });
    Reload();
}

void CAlertToneView::Reload()
{
    const Language &lang = language();
    const CAlertToneData data(doc());
    const QStringList toneEntries = lang.GetLangList(QStringLiteral("AlertTone"));
    for (int tone = 0; tone < CAlertToneData::kToneCount; ++tone)
        FormFields::fillItems(m_tones[tone], toneEntries, data.GetAlertTone(tone));
    FormFields::fillItems(m_voiceFixed, lang.GetLangList(QStringLiteral("VoiceVolumeFixed")), data.GetVoiceVolumeFixed());
    FormFields::fillItems(m_announce, lang.GetLangList(QStringLiteral("AnnounceLanguage")), data.GetAnnounceLanguage());
    FormFields::fillItems(m_enable, lang.GetLangList(QStringLiteral("AlertToneEnable")), data.GetAlertToneEnable());
    const QStringList levels = levelTexts(1, CAlertToneData::kVolumeLevels);
    FormFields::fillItems(m_voiceVolume, levels, data.GetVoiceVolume());
    FormFields::fillItems(m_alertVolume, levels, data.GetAlertToneVolume());
    FormFields::fillItems(m_sideVolume, levels, data.GetSideToneVolume());
    applyEnabling(data.GetAlertToneEnable() != 0);
    applyModelVisibility();
}

void CAlertToneView::applyEnabling(bool tonesEnabled)
{
    for (QComboBox *list : m_tones)
        list->setEnabled(tonesEnabled);
    m_alertVolume->setEnabled(tonesEnabled);
}

void CAlertToneView::applyModelVisibility()
{
    const bool tl809 = settings().modelName() == QLatin1String("TL809");
    for (int list : {PowerOnToneList, CallFailedToneList}) {
        const int tone = (list - FirstToneList) / 2;
        m_tones[tone]->setVisible(!tl809);
        m_toneLabels[tone]->setVisible(!tl809);
    }
}
