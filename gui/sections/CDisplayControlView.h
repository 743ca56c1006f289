#pragma once

#include "sections/CSectionForm.h"

#include <memory>

class FieldBinder;
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
    ~CDisplayControlView() override;

    void Reload() override;

private:
    std::unique_ptr<FieldBinder> m_fields;
    QGroupBox *m_menuBox = nullptr;
};
