#include "sections/CDtmfView.h"

#include "sections/DtmfData.h"
#include "sections/NumberFieldForm.h"

CDtmfView::CDtmfView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 15, kDialogId, parent)
{
    auto data = [this] { return CDtmfData(doc()); };
    m_fields = {
        {FirstDigitTime, "首位数码时间", 0, 2550, 4, 10, [=] { return data().GetFirstDigitTime(); },
         [=](int ms) { data().SetFirstDigitTime(ms); }},
        {FirstDigitDelay, "首位数码延迟时间", 0, 2550, 4, 10, [=] { return data().GetFirstDigitDelay(); },
         [=](int ms) { data().SetFirstDigitDelay(ms); }},
        {DigitInterval, "DTMF 码间间隔", 30, 1000, 4, 10, [=] { return data().GetDigitInterval(); },
         [=](int ms) { data().SetDigitInterval(ms); }},
        {DigitDuration, "DTMF 码元持续时间", 30, 2550, 4, 10, [=] { return data().GetDigitDuration(); },
         [=](int ms) { data().SetDigitDuration(ms); }},
        {DCode, "D码", 1, CDtmfData::kMaxDCode, 4, 1, [=] { return data().GetDCode(); },
         [=](int code) { data().SetDCode(code); }},
    };
    m_fields.back().hasSpecial = true;
    m_fields.back().specialKey = QStringLiteral("IDS_DCODE");
    NumberFieldForm::build(*this, m_fields, [this](int id, const std::function<void()> &change) {
        storeField(id, change);
        Reload();
    });
}

void CDtmfView::Reload()
{
    NumberFieldForm::show(m_fields, language());
}
