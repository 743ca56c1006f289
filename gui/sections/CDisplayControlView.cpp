#include "sections/CDisplayControlView.h"

#include "app/Language.h"
#include "app/TranslateDialog.h"
#include "sections/DisplayControlData.h"
#include "sections/FormFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace {

const char *const kMenuItemLabels[CDisplayControlData::kMenuItemCount] = {
    "联系人", "通话记录", "短消息", "区域", "扫描", "功率级别",
    "语言", "设置", "管理功能", "加密", "静噪级别", "声控",
};

}

CDisplayControlView::CDisplayControlView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 19, kDialogId, parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    auto addList = [&](int row, int id, const char *label) {
        auto *list = new QComboBox(this);
        list->setMinimumContentsLength(14);
        addLabelledRow(grid, row, id, QString::fromUtf8(label), list);
        return list;
    };
    m_backlight = addList(0, BacklightList, "背光灯设置");
    m_keypadLock = addList(1, KeypadLockList, "键盘锁设置");
    connect(m_backlight, &QComboBox::activated, this, [this](int index) {
        storeField(BacklightList, [&] { CDisplayControlData(doc()).SetBacklight(index); });
        Reload();
    });
    connect(m_keypadLock, &QComboBox::activated, this, [this](int index) {
        storeField(KeypadLockList, [&] { CDisplayControlData(doc()).SetKeypadLock(index); });
        Reload();
    });

    m_led = new QCheckBox(QStringLiteral("LED指示"), this);
    setCtrlId(m_led, LedIndicator);
    grid->addWidget(m_led, 2, 0, 1, 2);
    connect(m_led, &QCheckBox::clicked, this, [this](bool on) {
        storeField(LedIndicator, [&] { CDisplayControlData(doc()).SetLedIndicator(on); });
        Reload();
    });

    // The menu items in two columns, in item order.
    auto *menuBox = new QGroupBox(this);
    auto *menuGrid = new QGridLayout(menuBox);
    constexpr int kRows = CDisplayControlData::kMenuItemCount / 2;
    for (int item = 0; item < CDisplayControlData::kMenuItemCount; ++item) {
        auto *box = new QCheckBox(QString::fromUtf8(kMenuItemLabels[item]), menuBox);
        const int id = FirstMenuItem + item;
        setCtrlId(box, id);
        menuGrid->addWidget(box, item % kRows, item / kRows);
        m_menuItems[item] = box;
        connect(box, &QCheckBox::clicked, this, [this, item, id](bool on) {
            storeField(id, [&] { CDisplayControlData(doc()).SetMenuItem(item, on); });
            Reload();
        });
    }
    m_menuBox = menuBox;
    grid->addWidget(menuBox, 3, 0, 1, 3);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(2, 1);
}

void CDisplayControlView::Reload()
{
    const Language &lang = language();
    const QString suffix = lang.GetLangString(QStringLiteral("IDS_SENCODE"));
    auto seconds = [&](std::initializer_list<int> values) {
        QStringList entries;
        for (int value : values)
            entries << QString::number(value) + suffix;
        return entries;
    };
    m_menuBox->setTitle(lang.GetLangString(QStringLiteral("IDS_MENU_ITEMS")));
    const CDisplayControlData data(doc());
    FormFields::fillItems(m_backlight,
                    QStringList{lang.GetLangString(QStringLiteral("IDS_ALWAYSON")),
                                lang.GetLangString(QStringLiteral("IDS_ALWAYSOFF"))}
                        + seconds({5, 10, 15, 30, 60}),
                    data.GetBacklight());
    FormFields::fillItems(m_keypadLock,
                    QStringList{lang.GetLangString(QStringLiteral("IDS_ALWAYSUNLOCK"))} + seconds({5, 10, 15, 30, 60}),
                    data.GetKeypadLock());
    m_led->setChecked(data.GetLedIndicator());
    for (int item = 0; item < CDisplayControlData::kMenuItemCount; ++item)
        m_menuItems[item]->setChecked(data.GetMenuItem(item));
}
