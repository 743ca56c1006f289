#pragma once

#include "sections/CSectionForm.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;

// The display-control form (section 19): backlight time, keypad auto-lock
// time, the LED indicator and the twelve items the radio's menu offers.
class CDisplayControlView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 153;
    enum Control {
        BacklightList = 1190,
        KeypadLockList = 1192,
        LedIndicator = 1361,
        FirstMenuItem = 1362,  // 1362 ... 1373: menu items 0 ... 11
    };

    explicit CDisplayControlView(const FormContext &context, QWidget *parent = nullptr);

    void Reload() override;

private:
    QComboBox *m_backlight = nullptr;
    QComboBox *m_keypadLock = nullptr;
    QCheckBox *m_led = nullptr;
    QGroupBox *m_menuBox = nullptr;
    std::array<QCheckBox *, 12> m_menuItems{};
};
