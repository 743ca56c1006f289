#pragma once

#include "sections/CSectionForm.h"

#include <memory>
#include <vector>

class FieldBinder;
class QComboBox;

// The alert-tone form (section 4): the setting of each of the 20 prompt
// tones, the fixed volumes, the channel announcement language and the switch
// that enables the alert tones at all.
class CAlertToneView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 133;
    enum Control {
        FirstToneList = 1028,  // 1028, 1030, ..., 1066: tones 0 ... 19 (label = list id - 1)
        PowerOnToneList = 1028,
        TxBusyToneList = 1042,
        CallFailedToneList = 1044,
        MissedCallToneList = 1064,
        VoiceVolumeFixedList = 1068,
        VoiceVolumeList = 1070,
        AlertToneVolumeList = 1072,
        SideToneVolumeList = 1074,
        AnnounceLanguageList = 1076,
        AlertToneEnableList = 1256,
    };
    static constexpr int toneList(int tone) { return FirstToneList + 2 * tone; }

    explicit CAlertToneView(const FormContext &context, QWidget *parent = nullptr);
    ~CAlertToneView() override;

    void Reload() override;

private:
    std::unique_ptr<FieldBinder> m_fields;
    std::vector<QComboBox *> m_tones;  // greyed while the alert tones are off
    QComboBox *m_alertVolume = nullptr;
};
