#include "sections/CDtmfView.h"

#include "sections/FieldBinder.h"

#include <QGridLayout>

CDtmfView::CDtmfView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 15, kDialogId, parent),
      m_fields(std::make_unique<FieldBinder>(QStringLiteral("dtmf_system"), *this, doc(), prompter(),
                                             [this](int nameId, const std::function<void()> &change) {
                                                 storeField(nameId, change);
                                                 Reload();
                                             }))
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(2, 1);
    const std::vector<FieldBinder::NumberRow> rows{
        {FirstDigitTime, "首位数码时间", QStringLiteral("first_digit_time_ms")},
        {FirstDigitDelay, "首位数码延迟时间", QStringLiteral("first_digit_delay_ms")},
        {DigitInterval, "DTMF 码间间隔", QStringLiteral("digit_interval_ms")},
        {DigitDuration, "DTMF 码元持续时间", QStringLiteral("digit_duration_ms")},
        {DCode, "D码", QStringLiteral("d_code")},
    };
    m_fields->numberRows(*this, *grid, 0, rows);
    grid->setRowStretch(int(rows.size()), 1);
}

CDtmfView::~CDtmfView() = default;

void CDtmfView::Reload()
{
    m_fields->show(language());
}
