#include "sections/CBasicSettingView.h"

#include "app/AppSettings.h"
#include "app/TranslateDialog.h"
#include "sections/BasicSettingData.h"
#include "sections/ContactData.h"
#include "sections/FormFields.h"
#include "sections/IdEntryRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

CBasicSettingView::CBasicSettingView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 10, kDialogId, parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    m_radioId = addIdEdit(0, RadioId, QStringLiteral("对讲机ID"));
    m_startId = addIdEdit(1, StartId, QStringLiteral("组呼起始ID"));
    const QStringList hangTimes = hangTimeTexts();
    m_groupHang = addList(2, GroupHangTime, QStringLiteral("组呼/全呼保持时间"), hangTimes);
    m_privateHang = addList(3, PrivateHangTime, QStringLiteral("个呼保持时间"), hangTimes);
    m_mixedHang = addList(4, MixedHangTime, QStringLiteral("混合信道保持时间"), hangTimes);
    QStringList frames;
    for (int n = 0; n <= CBasicSettingData::kMaxPreambleFrames; ++n)
        frames << QString::number(n);
    m_preamble = addList(5, Preamble, QStringLiteral("唤醒头帧数"), frames);
    // The label has its own id, so it can be hidden with its list.
    m_preambleLabel = qobject_cast<QLabel *>(grid->itemAtPosition(5, 0)->widget());
    setCtrlId(m_preambleLabel, PreambleLabel);

    m_allowAll = addSwitch(AllowAllCall, QStringLiteral("允许发起全呼"));
    m_allowGroup = addSwitch(AllowGroupCall, QStringLiteral("允许发起组呼"));
    m_remoteKill = addSwitch(RemoteKillDecode, QStringLiteral("遥毙/激活解码"));
    m_privateCall = addSwitch(PrivateCallEnable, QStringLiteral("单呼使能"));
    int row = 6;
    for (QCheckBox *box : {m_allowAll, m_allowGroup, m_remoteKill, m_privateCall})
        grid->addWidget(box, row++, 0, 1, 2);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(2, 1);

    // The radio has no preamble setting on the TL809; its byte is still
    // read and written.
    const QString model = settings().modelName();
    if (model == QLatin1String("TL809")) {
        m_preamble->hide();
        m_preambleLabel->hide();
    }
}

QStringList CBasicSettingView::hangTimeTexts()
{
    QStringList texts;
    for (int n = 0; n <= 300; n += 5)
        texts << QStringLiteral("%1.%2").arg(n / 10).arg(n % 10);
    return texts;
}

QLineEdit *CBasicSettingView::addIdEdit(int row, int control, const QString &label)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    auto *edit = new QLineEdit(this);
    // Seven digits, typed or pasted.
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,7}")), edit));
    edit->setMinimumWidth(120);
    addLabelledRow(grid, row, control, label, edit);
    connect(edit, &QLineEdit::editingFinished, this, [this, control] { storeId(control); });
    return edit;
}

QComboBox *CBasicSettingView::addList(int row, int control, const QString &label, const QStringList &items)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    auto *box = new QComboBox(this);
    box->addItems(items);
    addLabelledRow(grid, row, control, label, box);
    connect(box, &QComboBox::activated, this, [this, control](int index) { storeIndex(control, index); });
    return box;
}

QCheckBox *CBasicSettingView::addSwitch(int control, const QString &text)
{
    auto *box = new QCheckBox(text, this);
    setCtrlId(box, control);
    connect(box, &QCheckBox::clicked, this, [this, control](bool on) { storeSwitch(control, on); });
    return box;
}

void CBasicSettingView::Reload()
{
    const CBasicSettingData basic(doc());
    m_radioId->setText(basic.GetRadioId());
    m_startId->setText(basic.GetGroupCallStartId());
    FormFields::selectIndex(m_groupHang, basic.GetGroupHangTime());
    FormFields::selectIndex(m_privateHang, basic.GetPrivateHangTime());
    FormFields::selectIndex(m_mixedHang, basic.GetMixedHangTime());
    FormFields::selectIndex(m_preamble, basic.GetPreambleFrames());
    const std::pair<QCheckBox *, bool> switches[] = {
        {m_allowAll, basic.GetAllowAllCall()},
        {m_allowGroup, basic.GetAllowGroupCall()},
        {m_remoteKill, basic.GetRemoteKillDecode()},
        {m_privateCall, basic.GetPrivateCallEnable()},
    };
    for (const auto &[box, on] : switches) {
        const QSignalBlocker blocker(box);
        box->setChecked(on);
    }
}

void CBasicSettingView::storeId(int control)
{
    const QString text = (control == RadioId ? m_radioId : m_startId)->text();
    // The start ID decides which contacts are group contacts: the contact
    // grid retypes its rows and the RX group form reshows its list.
    storeField(control, [this, control, text] {
        if (control == RadioId)
            IdEntryRules::enterRadioId(doc(), text);
        else
            IdEntryRules::enterStartId(doc(), text);
    });
    Reload();
}

void CBasicSettingView::storeIndex(int control, int index)
{
    storeField(control, [this, control, index] {
        CBasicSettingData basic(doc());
        switch (control) {
        case GroupHangTime: basic.SetGroupHangTime(index); break;
        case PrivateHangTime: basic.SetPrivateHangTime(index); break;
        case MixedHangTime: basic.SetMixedHangTime(index); break;
        case Preamble: basic.SetPreambleFrames(index); break;
        default: break;
        }
    });
    Reload();
}

void CBasicSettingView::storeSwitch(int control, bool on)
{
    storeField(control, [this, control, on] {
        CBasicSettingData basic(doc());
        switch (control) {
        case AllowAllCall: basic.SetAllowAllCall(on); break;
        case AllowGroupCall: basic.SetAllowGroupCall(on); break;
        case RemoteKillDecode: basic.SetRemoteKillDecode(on); break;
        case PrivateCallEnable: basic.SetPrivateCallEnable(on); break;
        default: break;
        }
    });
    Reload();
}
