#include "sections/COptionView.h"

#include "app/AppSettings.h"
#include "app/Language.h"
#include "app/TranslateDialog.h"
#include "sections/FormFields.h"
#include "sections/NumberFieldForm.h"
#include "sections/OptionData.h"
#include "widgets/CNumberEdit.h"
#include "widgets/EditLimit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpressionValidator>

namespace {

// "first" ... "last" as the entries of a numeric list.
QStringList levelTexts(int first, int last)
{
    QStringList entries;
    for (int n = first; n <= last; ++n)
        entries << QString::number(n);
    return entries;
}
constexpr int kSquelchLevels = 10;
}

COptionView::COptionView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 5, kDialogId, parent)
{
    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(16, 16, 16, 16);
    columns->setSpacing(24);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    columns->addLayout(grid);

    m_txLed = addCheck(grid, 0, 0, TxLed, "发射指示灯");
    m_rxLed = addCheck(grid, 1, 0, RxLed, "接收指示灯");
    m_whisper = addCheck(grid, 2, 0, Whisper, "耳语功能");
    m_batterySave = addList(grid, 3, BatterySaveList, BatterySaveLabel, "省电模式");
    m_squelch = addList(grid, 4, SquelchList, SquelchLabel, "静噪等级");

    auto data = [this] { return COptionData(doc()); };
    auto offField = [](NumberField field) {
        field.hasSpecial = true;
        field.specialKey = QStringLiteral("IDS_OFF");
        return field;
    };
    m_timers = {
        offField({TimeOutTimer, "超时定时器[秒]", 5, 600, 4, 5, [=] { return data().GetTimeOutTimer(); },
                  [=](int s) { data().SetTimeOutTimer(s); }}),
        offField({TotPreAlert, "TOT预警时间[秒]", 1, 10, 4, 1, [=] { return data().GetTotPreAlert(); },
                  [=](int s) { data().SetTotPreAlert(s); }}),
        offField({TotRekey, "TOT再键时间[秒]", 1, 15, 4, 1, [=] { return data().GetTotRekey(); },
                  [=](int s) { data().SetTotRekey(s); }}),
        offField({TotReset, "TOT复位时间[秒]", 1, 15, 4, 1, [=] { return data().GetTotReset(); },
                  [=](int s) { data().SetTotReset(s); }}),
        {RemoteMonitor, "远程监听[秒]", 1, 255, 3, 1, [=] { return data().GetRemoteMonitorTime(); },
         [=](int s) { data().SetRemoteMonitorTime(s); }},
    };
    for (NumberField &field : m_timers)
        field.labelId = field.id - 1;
    const auto store = [this](int id, const std::function<void()> &change) {
        storeField(id, change);
        Reload();
    };
    NumberFieldForm::build(*this, m_timers, store, grid, 5);

    int row = 5 + int(m_timers.size());
    QLabel *passwordLabel = makeLabel(PasswordLabel, QStringLiteral("开机密码"));
    m_password = new CTextEdit(this);
    setCtrlId(m_password, Password);
    passwordLabel->setBuddy(m_password);
    // Digits only: the radio's keypad enters the password.
    m_password->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(COptionData::kPasswordLength)), m_password));
    grid->addWidget(passwordLabel, row, 0);
    grid->addWidget(m_password, row, 1);
    connect(m_password, &CTextEdit::focusLost, this, &COptionView::storePassword);
    ++row;
    m_hangUp = addList(grid, row++, HangUpList, HangUpLabel, "挂断");
    grid->setRowStretch(row, 1);

    // Voice-operated transmit.
    m_voxGroup = new QGroupBox(QStringLiteral("声控功能"), this);
    setCtrlId(m_voxGroup, VoxGroup);
    auto *voxGrid = new QGridLayout(m_voxGroup);
    voxGrid->setHorizontalSpacing(12);
    voxGrid->setVerticalSpacing(8);
    m_voxEnable = addCheck(voxGrid, 0, 0, VoxEnable, "声控使能");
    m_pttCancelsVox = addCheck(voxGrid, 1, 0, PttCancelsVox, "PTT按键取消声控");
    m_rxPttInhibit = addCheck(voxGrid, 2, 0, RxPttInhibit, "接收时禁止PTT");
    m_voxFields = {
        {VoxSensitivity, "声控麦克灵敏度", 1, 10, 2, 1, [=] { return data().GetVoxSensitivity(); },
         [=](int level) { data().SetVoxSensitivity(level); }},
        // Four characters, so that "25.5" can be typed.
        {VoxHoldTime, "声控保持时间[秒]", 1, 255, 4, 1, [=] { return data().GetVoxHoldTime(); },
         [=](int tenths) { data().SetVoxHoldTime(tenths); }},
    };
    m_voxFields[1].tenths = true;
    for (NumberField &field : m_voxFields)
        field.labelId = field.id - 1;
    NumberFieldForm::build(*m_voxGroup, m_voxFields, store, voxGrid, 3);
    voxGrid->setRowStretch(5, 1);

    auto *right = new QVBoxLayout;
    right->addWidget(m_voxGroup);
    right->addStretch(1);
    columns->addLayout(right);
    columns->addStretch(1);
}

QCheckBox *COptionView::addCheck(QGridLayout *grid, int row, int column, int id, const char *label)
{
    auto *box = new QCheckBox(QString::fromUtf8(label), this);
    setCtrlId(box, id);
    grid->addWidget(box, row, column, 1, 2);
    connect(box, &QCheckBox::clicked, this, [this, id](bool on) { storeCheck(id, on); });
    return box;
}

QComboBox *COptionView::addList(QGridLayout *grid, int row, int id, int labelId, const char *label)
{
    auto *list = new QComboBox(this);
    addLabelledField(grid, row, 0, labelId, id, QString::fromUtf8(label), list);
    connect(list, &QComboBox::activated, this, [this, id](int index) { storeList(id, index); });
    return list;
}

void COptionView::storeCheck(int id, bool on)
{
    storeField(id, [&] {
        COptionData data(doc());
        switch (id) {
        case TxLed: data.SetTxLed(on); break;
        case RxLed: data.SetRxLed(on); break;
        case Whisper: data.SetWhisper(on); break;
        case VoxEnable: data.SetVoxEnable(on); break;
        case PttCancelsVox: data.SetPttCancelsVox(on); break;
        case RxPttInhibit: data.SetRxPttInhibit(on); break;
        default: break;
        }
    });
    Reload();
}

void COptionView::storeList(int id, int index)
{
    const int labelId = id == BatterySaveList ? BatterySaveLabel : id == SquelchList ? SquelchLabel : HangUpLabel;
    storeField(labelId, [&] {
        COptionData data(doc());
        if (id == BatterySaveList)
            data.SetBatterySave(index);
        else if (id == SquelchList)
            data.SetSquelchLevel(index);
        else
            data.SetHangUp(index);
    });
    Reload();
}

void COptionView::storePassword()
{
    const QString text = m_password->text();
    storeField(PasswordLabel, [&] { COptionData(doc()).SetPowerOnPassword(text); });
    Reload();
}

void COptionView::Reload()
{
    const COptionData data(doc());
    m_txLed->setChecked(data.GetTxLed());
    m_rxLed->setChecked(data.GetRxLed());
    m_whisper->setChecked(data.GetWhisper());
    m_voxEnable->setChecked(data.GetVoxEnable());
    m_pttCancelsVox->setChecked(data.GetPttCancelsVox());
    m_rxPttInhibit->setChecked(data.GetRxPttInhibit());
    m_password->setEditLimit(COptionData::kPasswordLength);
    m_password->setText(data.GetPowerOnPassword());
    FormFields::fillItems(m_batterySave, language().GetLangList(QStringLiteral("BatterySave")), data.GetBatterySave());
    FormFields::fillItems(m_squelch, levelTexts(0, kSquelchLevels - 1), data.GetSquelchLevel());
    NumberFieldForm::show(m_timers, language());
    NumberFieldForm::show(m_voxFields, language());
    FormFields::fillItems(m_hangUp, language().GetLangList(QStringLiteral("HangUp")), data.GetHangUp());
    applyVoxEnabling(data.GetVoxEnable());
    applyModelVisibility();
}

void COptionView::applyVoxEnabling(bool voxOn)
{
    m_pttCancelsVox->setEnabled(voxOn);
    m_rxPttInhibit->setEnabled(voxOn);
    for (NumberField &field : m_voxFields) {
        field.edit->setEnabled(voxOn);
        field.labelWidget->setEnabled(voxOn);
    }
}

void COptionView::applyModelVisibility()
{
    const QString model = settings().modelName();
    const bool rq381 = model == QLatin1String("RQ381");
    const bool vk214 = model == QLatin1String("VK214");
    const bool tl809 = model == QLatin1String("TL809");
    m_voxGroup->setVisible(!tl809);
    const bool password = !rq381;
    findCtrl<QLabel>(this, PasswordLabel)->setVisible(password);
    m_password->setVisible(password);
    findCtrl<QLabel>(this, BatterySaveLabel)->setVisible(!tl809);
    m_batterySave->setVisible(!tl809);
    const bool hangUp = !(rq381 || vk214);
    findCtrl<QLabel>(this, HangUpLabel)->setVisible(hangUp);
    m_hangUp->setVisible(hangUp);
}
