#include "sections/C5ToneSystemView.h"

#include "app/TranslateDialog.h"
#include "sections/FieldBinder.h"

#include <QComboBox>
#include <QGridLayout>

C5ToneSystemView::C5ToneSystemView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 16, kDialogId, parent),
      m_fields(std::make_unique<FieldBinder>(QStringLiteral("five_tone_system"), *this, doc(), prompter(),
                                             [this](int nameId, const std::function<void()> &change) {
                                                 storeField(nameId, change);
                                                 Reload();
                                             }))
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    // Each list's entries are a list of the language file.
    auto addList = [&](int row, int id, const char *label, const QString &key, const QString &entries) {
        auto *list = new QComboBox(this);
        list->setMinimumContentsLength(10);
        addLabelledRow(grid, row, id, QString::fromUtf8(label), list);
        m_fields->list(list, key, FieldBinder::languageList(entries));
    };
    addList(0, ToneSystemList, "5音系统", QStringLiteral("tone_system"), QStringLiteral("5ToneSystem"));
    addList(1, GroupCallToneList, "组呼音", QStringLiteral("group_call_tone"), QStringLiteral("5ToneGroupRepeat"));
    addList(2, RepeatToneList, "重复音", QStringLiteral("repeat_tone"), QStringLiteral("5ToneGroupRepeat"));

    const std::vector<FieldBinder::NumberRow> rows{
        {Tone1Frequency, "单音编码1频率", QStringLiteral("tone_1_frequency_hz")},
        {Tone1Duration, "单音编码1持续时间", QStringLiteral("tone_1_duration_ms")},
        {Tone2Frequency, "单音编码2频率", QStringLiteral("tone_2_frequency_hz")},
        {Tone2Duration, "单音编码2持续时间", QStringLiteral("tone_2_duration_ms")},
        {PreCarrierTime, "发射预载波时间[毫秒]", QStringLiteral("pre_carrier_time_ms")},
    };
    m_fields->numberRows(*this, *grid, 3, rows);
    grid->setRowStretch(3 + int(rows.size()), 1);
    grid->setColumnStretch(2, 1);
}

C5ToneSystemView::~C5ToneSystemView() = default;

void C5ToneSystemView::Reload()
{
    m_fields->show(language());
}
