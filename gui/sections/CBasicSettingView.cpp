#include "sections/CBasicSettingView.h"

#include "app/TranslateDialog.h"
#include "sections/FieldBinder.h"
#include "widgets/EditLimit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>

CBasicSettingView::CBasicSettingView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 10, kDialogId, parent),
      m_fields(std::make_unique<FieldBinder>(QStringLiteral("digital_basic_settings"), *this, doc(), prompter(),
                                             [this](int nameId, const std::function<void()> &change) {
                                                 // The start ID decides which contacts are group contacts:
                                                 // the contact grid and the RX group form reshow.
                                                 storeField(nameId, change);
                                                 Reload();
                                             }))
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    auto addId = [&](int row, int control, const char *label, const QString &key) {
        auto *edit = new CTextEdit(this);
        edit->setMinimumWidth(120);
        addLabelledRow(grid, row, control, QString::fromUtf8(label), edit);
        m_fields->text(edit, key);
    };
    auto addList = [&](int row, int control, int labelId, const char *label, const QString &key) {
        auto *box = new QComboBox(this);
        addLabelledField(grid, row, 0, labelId, control, QString::fromUtf8(label), box);
        m_fields->list(box, key, {}, control);
    };
    addId(0, RadioId, "对讲机ID", QStringLiteral("radio_id"));
    addId(1, StartId, "组呼起始ID", QStringLiteral("group_call_start_id"));
    addList(2, GroupHangTime, GroupHangTime, "组呼/全呼保持时间", QStringLiteral("group_hang_time_s"));
    addList(3, PrivateHangTime, PrivateHangTime, "个呼保持时间", QStringLiteral("private_hang_time_s"));
    addList(4, MixedHangTime, MixedHangTime, "混合信道保持时间", QStringLiteral("mixed_hang_time_s"));
    // The label has its own id, so it can be hidden with its list.
    addList(5, Preamble, PreambleLabel, "唤醒头帧数", QStringLiteral("preamble_frames"));

    const std::pair<int, const char *> switches[] = {{AllowAllCall, "允许发起全呼"},
                                                      {AllowGroupCall, "允许发起组呼"},
                                                      {RemoteKillDecode, "遥毙/激活解码"},
                                                      {PrivateCallEnable, "单呼使能"}};
    const QString switchKeys[] = {QStringLiteral("allow_all_call"), QStringLiteral("allow_group_call"),
                                  QStringLiteral("remote_kill_decode"), QStringLiteral("private_call")};
    int row = 6;
    for (int i = 0; i < 4; ++i) {
        auto *box = new QCheckBox(QString::fromUtf8(switches[i].second), this);
        setCtrlId(box, switches[i].first);
        grid->addWidget(box, row++, 0, 1, 2);
        m_fields->check(box, switchKeys[i]);
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(2, 1);
}

CBasicSettingView::~CBasicSettingView() = default;

void CBasicSettingView::Reload()
{
    m_fields->show(language());
}
