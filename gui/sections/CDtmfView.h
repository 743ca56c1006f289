#pragma once

#include "sections/CSectionForm.h"
#include <memory>

class FieldBinder;

// The DTMF-system form (section 15): the timing of the DTMF signalling and
// the D code.
class CDtmfView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 147;
    enum Control {
        FirstDigitTime = 1304,
        FirstDigitDelay = 1307,
        DigitInterval = 1310,
        DigitDuration = 1313,
        DCode = 1316,
    };

    explicit CDtmfView(const FormContext &context, QWidget *parent = nullptr);
    ~CDtmfView() override;

    void Reload() override;

private:
    std::unique_ptr<FieldBinder> m_fields;
};
