#include "sections/C5ToneSystemView.h"

#include "app/Language.h"
#include "app/TranslateDialog.h"
#include "sections/5ToneSystemData.h"
#include "sections/FormFields.h"
#include "sections/NumberFieldForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace {
// 288.5 ... 3106.8 Hz in tenths of a hertz.
constexpr int kMinToneTenthsHz = 2885;
constexpr int kMaxToneTenthsHz = 31068;
// "3106.8": the whole frequency can be typed.
constexpr int kFrequencyChars = 6;
}

C5ToneSystemView::C5ToneSystemView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 16, kDialogId, parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    auto addList = [&](int row, int id, const char *label) {
        auto *list = new QComboBox(this);
        list->setMinimumContentsLength(10);
        addLabelledRow(grid, row, id, QString::fromUtf8(label), list);
        connect(list, &QComboBox::activated, this, [this, id](int index) {
            storeField(id, [&] {
                C5ToneSystemData data(doc());
                if (id == ToneSystemList)
                    data.SetToneSystem(index);
                else if (id == GroupCallToneList)
                    data.SetGroupCallTone(index);
                else
                    data.SetRepeatTone(index);
            });
            Reload();
        });
        return list;
    };
    m_system = addList(0, ToneSystemList, "5音系统");
    m_groupCall = addList(1, GroupCallToneList, "组呼音");
    m_repeat = addList(2, RepeatToneList, "重复音");

    auto data = [this] { return C5ToneSystemData(doc()); };
    m_fields = {
        {Tone1Frequency, "单音编码1频率", kMinToneTenthsHz, kMaxToneTenthsHz, kFrequencyChars, 1,
         [=] { return data().GetToneFrequency(0); }, [=](int v) { data().SetToneFrequency(0, v); }},
        {Tone1Duration, "单音编码1持续时间", 10, 6000, 4, 10, [=] { return data().GetToneDuration(0); },
         [=](int ms) { data().SetToneDuration(0, ms); }},
        {Tone2Frequency, "单音编码2频率", kMinToneTenthsHz, kMaxToneTenthsHz, kFrequencyChars, 1,
         [=] { return data().GetToneFrequency(1); }, [=](int v) { data().SetToneFrequency(1, v); }},
        {Tone2Duration, "单音编码2持续时间", 10, 6000, 4, 10, [=] { return data().GetToneDuration(1); },
         [=](int ms) { data().SetToneDuration(1, ms); }},
        {PreCarrierTime, "发射预载波时间[毫秒]", 0, 2550, 4, 10, [=] { return data().GetPreCarrierTime(); },
         [=](int ms) { data().SetPreCarrierTime(ms); }},
    };
    m_fields[0].tenths = true;
    m_fields[2].tenths = true;
    NumberFieldForm::build(
        *this, m_fields,
        [this](int id, const std::function<void()> &change) {
            storeField(id, change);
            Reload();
        },
        grid, 3);
    grid->setRowStretch(3 + int(m_fields.size()), 1);
    grid->setColumnStretch(2, 1);
}

void C5ToneSystemView::Reload()
{
    const C5ToneSystemData data(doc());
    FormFields::fillItems(m_system, language().GetLangList(QStringLiteral("5ToneSystem")), data.GetToneSystem());
    const QStringList tones = language().GetLangList(QStringLiteral("5ToneGroupRepeat"));
    FormFields::fillItems(m_groupCall, tones, data.GetGroupCallTone());
    FormFields::fillItems(m_repeat, tones, data.GetRepeatTone());
    NumberFieldForm::show(m_fields, language());
}
