#pragma once

#include "sections/CSectionForm.h"

#include <array>
#include <memory>

class FieldBinder;
class QComboBox;
class QLabel;

// The programmable-keys form (section 3): the function of each short and
// long press of the three programmable keys, and the time that makes a
// press long. The lists offer only the functions of the configured model.
class CKeySettingView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 131;
    enum Control {
        LongPressLabel = 1012,
        LongPressTime = 1013,
        // Lists 1016 ... 1026 (every second id), each with its label one below.
        TopKeyShort = 1016,
        TopKeyLong = 1018,
        SideKey1Short = 1020,
        SideKey1Long = 1022,
        SideKey2Short = 1024,
        SideKey2Long = 1026,
    };
    static constexpr int kKeyCount = 6;

    explicit CKeySettingView(const FormContext &context, QWidget *parent = nullptr);
    ~CKeySettingView() override;

    void Reload() override;

    // The key slot a list edits: short presses in slots 0..2, long presses in 3..5.
    static int slotOfList(int listIndex);
    // The [String] key of the label of list 0..5 for a model: the TL809 has
    // no top key, so its keys are side keys 1..3.
    static QString labelKey(int listIndex, const QString &model);

private:
    void onChosen(int listIndex, int position);

    std::array<QComboBox *, kKeyCount> m_lists{};
    std::array<QLabel *, kKeyCount> m_labels{};
    std::unique_ptr<FieldBinder> m_fields;  // the long-press time
};
