#include "sections/CDisplayControlView.h"

#include "app/Language.h"
#include "app/TranslateDialog.h"
#include "sections/DisplayControlData.h"
#include "sections/FieldBinder.h"

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
    : CSectionForm(context, 19, kDialogId, parent),
      m_fields(std::make_unique<FieldBinder>(QStringLiteral("display_control"), *this, doc(), prompter(),
                                             [this](int nameId, const std::function<void()> &change) {
                                                 storeField(nameId, change);
                                                 Reload();
                                             }))
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    // "Always on", "Always off", then times such as "5s".
    const auto timed = [](QStringList words) {
        return [words](const Language &lang) {
            QStringList entries;
            for (const QString &word : words)
                entries << lang.GetLangString(word);
            const QString suffix = lang.GetLangString(QStringLiteral("IDS_SENCODE"));
            for (int seconds : {5, 10, 15, 30, 60})
                entries << QString::number(seconds) + suffix;
            return entries;
        };
    };
    auto addList = [&](int row, int id, const char *label, const QString &key, FieldBinder::Entries entries) {
        auto *list = new QComboBox(this);
        list->setMinimumContentsLength(14);
        addLabelledRow(grid, row, id, QString::fromUtf8(label), list);
        m_fields->list(list, key, std::move(entries));
    };
    addList(0, BacklightList, "背光灯设置", QStringLiteral("backlight"),
            timed({QStringLiteral("IDS_ALWAYSON"), QStringLiteral("IDS_ALWAYSOFF")}));
    addList(1, KeypadLockList, "键盘锁设置", QStringLiteral("keypad_lock"), timed({QStringLiteral("IDS_ALWAYSUNLOCK")}));

    auto *led = new QCheckBox(QStringLiteral("LED指示"), this);
    setCtrlId(led, LedIndicator);
    grid->addWidget(led, 2, 0, 1, 2);
    m_fields->check(led, QStringLiteral("led_indicator"));

    // The menu items in two columns, in item order.
    m_menuBox = new QGroupBox(this);
    auto *menuGrid = new QGridLayout(m_menuBox);
    constexpr int kRows = CDisplayControlData::kMenuItemCount / 2;
    const Fields::RecordSchema &record = *Fields::recordSchema(QStringLiteral("display_control"));
    int item = 0;
    for (const Fields::Field &field : record.fields) {
        if (!field.key.startsWith(QLatin1String("menu_")))
            continue;
        auto *box = new QCheckBox(QString::fromUtf8(kMenuItemLabels[item]), m_menuBox);
        setCtrlId(box, FirstMenuItem + item);
        menuGrid->addWidget(box, item % kRows, item / kRows);
        m_fields->check(box, field.key);
        ++item;
    }
    grid->addWidget(m_menuBox, 3, 0, 1, 3);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(2, 1);
}

CDisplayControlView::~CDisplayControlView() = default;

void CDisplayControlView::Reload()
{
    m_menuBox->setTitle(language().GetLangString(QStringLiteral("IDS_MENU_ITEMS")));
    m_fields->show(language());
}
