#pragma once

#include "sections/CSectionForm.h"

#include <memory>

class FieldBinder;

// The digital basic settings (section 10): the radio's own ID, the
// group-call start ID, the three call hang times, the wake-up preamble and
// the four call permissions.
class CBasicSettingView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 137;
    enum Control {
        RadioId = 1113,
        StartId = 1115,
        GroupHangTime = 1117,
        PrivateHangTime = 1119,
        MixedHangTime = 1121,
        PreambleLabel = 1122,
        Preamble = 1123,
        AllowAllCall = 1124,
        AllowGroupCall = 1125,
        RemoteKillDecode = 1126,
        PrivateCallEnable = 1281,
    };

    explicit CBasicSettingView(const FormContext &context, QWidget *parent = nullptr);
    ~CBasicSettingView() override;

    void Reload() override;

private:
    std::unique_ptr<FieldBinder> m_fields;
};
