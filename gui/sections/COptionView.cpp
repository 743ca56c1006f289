#include "sections/COptionView.h"

#include "app/TranslateDialog.h"
#include "sections/FieldBinder.h"
#include "widgets/CNumberEdit.h"
#include "widgets/EditLimit.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

COptionView::COptionView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 5, kDialogId, parent),
      m_fields(std::make_unique<FieldBinder>(QStringLiteral("option_features"), *this, doc(), prompter(),
                                             [this](int nameId, const std::function<void()> &change) {
                                                 storeField(nameId, change);
                                                 Reload();
                                             }))
{
    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(16, 16, 16, 16);
    columns->setSpacing(24);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    columns->addLayout(grid);

    addCheck(grid, 0, TxLed, "发射指示灯", QStringLiteral("tx_led"));
    addCheck(grid, 1, RxLed, "接收指示灯", QStringLiteral("rx_led"));
    addCheck(grid, 2, Whisper, "耳语功能", QStringLiteral("whisper"));
    addList(grid, 3, BatterySaveList, BatterySaveLabel, "省电模式", QStringLiteral("battery_save"), FieldBinder::languageList(QStringLiteral("BatterySave")));
    addList(grid, 4, SquelchList, SquelchLabel, "静噪等级", QStringLiteral("squelch_level"), {});
    int row = 5;
    addNumber(grid, row++, TimeOutTimer, "超时定时器[秒]", QStringLiteral("time_out_timer_s"));
    addNumber(grid, row++, TotPreAlert, "TOT预警时间[秒]", QStringLiteral("tot_pre_alert_s"));
    addNumber(grid, row++, TotRekey, "TOT再键时间[秒]", QStringLiteral("tot_rekey_s"));
    addNumber(grid, row++, TotReset, "TOT复位时间[秒]", QStringLiteral("tot_reset_s"));
    addNumber(grid, row++, RemoteMonitor, "远程监听[秒]", QStringLiteral("remote_monitor_time_s"));

    auto *password = new CTextEdit(this);
    addLabelledField(grid, row++, 0, PasswordLabel, Password, QStringLiteral("开机密码"), password);
    m_fields->text(password, QStringLiteral("power_on_password"), PasswordLabel);
    addList(grid, row++, HangUpList, HangUpLabel, "挂断", QStringLiteral("hang_up"), FieldBinder::languageList(QStringLiteral("HangUp")));
    grid->setRowStretch(row, 1);

    // Voice-operated transmit.
    m_voxGroup = new QGroupBox(QStringLiteral("声控功能"), this);
    setCtrlId(m_voxGroup, VoxGroup);
    auto *voxGrid = new QGridLayout(m_voxGroup);
    voxGrid->setHorizontalSpacing(12);
    voxGrid->setVerticalSpacing(8);
    addCheck(voxGrid, 0, VoxEnable, "声控使能", QStringLiteral("vox"), m_voxGroup);
    m_voxControls.push_back(addCheck(voxGrid, 1, PttCancelsVox, "PTT按键取消声控", QStringLiteral("ptt_cancels_vox"), m_voxGroup));
    m_voxControls.push_back(addCheck(voxGrid, 2, RxPttInhibit, "接收时禁止PTT", QStringLiteral("rx_ptt_inhibit"), m_voxGroup));
    addNumber(voxGrid, 3, VoxSensitivity, "声控麦克灵敏度", QStringLiteral("vox_sensitivity"), m_voxGroup);
    addNumber(voxGrid, 4, VoxHoldTime, "声控保持时间[秒]", QStringLiteral("vox_hold_time_s"), m_voxGroup);
    voxGrid->setRowStretch(5, 1);

    auto *right = new QVBoxLayout;
    right->addWidget(m_voxGroup);
    right->addStretch(1);
    columns->addLayout(right);
    columns->addStretch(1);
}

COptionView::~COptionView() = default;

QCheckBox *COptionView::addCheck(QGridLayout *grid, int row, int id, const char *label, const QString &key, QWidget *owner)
{
    auto *box = new QCheckBox(QString::fromUtf8(label), owner ? owner : this);
    setCtrlId(box, id);
    grid->addWidget(box, row, 0, 1, 2);
    m_fields->check(box, key);
    return box;
}

void COptionView::addList(QGridLayout *grid, int row, int id, int labelId, const char *label, const QString &key,
                          FieldBinder::Entries entries)
{
    auto *list = new QComboBox(this);
    addLabelledField(grid, row, 0, labelId, id, QString::fromUtf8(label), list);
    m_fields->list(list, key, std::move(entries), labelId);
}

// A number row whose label (id - 1) names the field and its undo step.
void COptionView::addNumber(QGridLayout *grid, int row, int id, const char *label, const QString &key, QWidget *owner)
{
    QWidget *parent = owner ? owner : this;
    auto *caption = new QLabel(QString::fromUtf8(label), parent);
    setCtrlId(caption, id - 1);
    auto *edit = new CNumberEdit(parent);
    setCtrlId(edit, id);
    edit->setMinimumWidth(110);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    m_fields->number(edit, key, id - 1);
    if (owner && owner == m_voxGroup) {
        m_voxControls.push_back(caption);
        m_voxControls.push_back(edit);
    }
}

void COptionView::Reload()
{
    m_fields->show(language());
    m_voxGroup->setVisible(m_fields->isOffered(QStringLiteral("vox")));
    // The other voice-operated settings matter only while it is on.
    const bool voxOn = m_fields->field(QStringLiteral("vox")).getInt(doc(), {}) != 0;
    for (QWidget *control : m_voxControls)
        control->setEnabled(voxOn);
}
