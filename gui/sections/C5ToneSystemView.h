#pragma once

#include "sections/CSectionForm.h"
#include <memory>

class FieldBinder;

// The 5-tone-system form (section 16): the tone system, the group-call and
// repeat tones, the two single tones and the transmit pre-carrier time.
class C5ToneSystemView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 145;
    enum Control {
        ToneSystemList = 1283,
        GroupCallToneList = 1285,
        RepeatToneList = 1287,
        Tone1Frequency = 1289,
        Tone1Duration = 1292,
        Tone2Frequency = 1295,
        Tone2Duration = 1298,
        PreCarrierTime = 1301,
    };

    explicit C5ToneSystemView(const FormContext &context, QWidget *parent = nullptr);
    ~C5ToneSystemView() override;

    void Reload() override;

private:
    std::unique_ptr<FieldBinder> m_fields;
};
