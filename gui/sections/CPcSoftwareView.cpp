#include "sections/CPcSoftwareView.h"

#include "app/AppSettings.h"
#include "app/Language.h"
#include "app/Prompter.h"
#include "app/TranslateDialog.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/NewCodeplug.h"
#include "widgets/EditLimit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QStandardItemModel>

namespace {

// A position past the end appends, so a short stored time or version still
// shows its digits with the separators that fit.
void insertAt(QString &text, int position, const QString &what)
{
    text.insert(std::min<int>(position, text.size()), what);
}

}

CPcSoftwareView::CPcSoftwareView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 1, kDialogId, parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    QLabel *rangeLabel = makeLabel(RangeList, QStringLiteral("频率范围"));
    grid->addWidget(rangeLabel, 0, 0);
    m_rangeList = new QComboBox(this);
    rangeLabel->setBuddy(m_rangeList);
    setCtrlId(m_rangeList, RangeList);
    m_rangeList->setMinimumContentsLength(18);
    grid->addWidget(m_rangeList, 0, 1);
    connect(m_rangeList, &QComboBox::activated, this, &CPcSoftwareView::onRangeChosen);

    m_model = addTextField(1, Model, QStringLiteral("机型信息"), 8);
    m_time = addTextField(2, LastProgramTime, QStringLiteral("上次编程时间"), 0);
    m_pcVersion = addTextField(3, PcSoftwareVersion, QStringLiteral("PC软件版本"), 4);
    m_hwVersion = addTextField(4, HardwareVersion, QStringLiteral("硬件版本"), 4);
    m_mcuVersion = addInfoField(5, McuVersionText, QStringLiteral("MCU版本"));
    m_dataVersion = addInfoField(6, DataVersionText, QStringLiteral("数据版本"));
    m_serial = addTextField(7, SerialNumber, QStringLiteral("序列号"), 15);
    m_cid = addInfoField(8, CidText, QStringLiteral("CID"));
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(2, 1);
}

CTextEdit *CPcSoftwareView::addTextField(int row, int control, const QString &label, int limit)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    auto *edit = new CTextEdit(this);
    edit->setEditLimit(limit);
    edit->setMinimumWidth(180);
    addLabelledRow(grid, row, control, label, edit);
    connect(edit, &CTextEdit::focusLost, this, [this, control] { storeText(control); });
    return edit;
}

QLineEdit *CPcSoftwareView::addInfoField(int row, int control, const QString &label)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    // Filled from the radio's version reply; nothing typed here is stored.
    auto *edit = new QLineEdit(this);
    edit->setReadOnly(true);
    addLabelledRow(grid, row, control, label, edit);
    return edit;
}

QString CPcSoftwareView::timeForDisplay(const QString &digits)
{
    QString text = digits;
    insertAt(text, 4, QStringLiteral("-"));
    insertAt(text, 7, QStringLiteral("-"));
    insertAt(text, 10, QStringLiteral(" "));
    insertAt(text, 13, QStringLiteral(":"));
    insertAt(text, 16, QStringLiteral(":"));
    return text;
}

QString CPcSoftwareView::versionForDisplay(const QString &digits)
{
    QString text = QStringLiteral("V") + digits;
    insertAt(text, 3, QStringLiteral("."));
    return text;
}

void CPcSoftwareView::Reload()
{
    m_time->setText(timeForDisplay(doc().GetLastProgramTime()));
    m_model->setText(doc().GetModel());
    fillRangeList();
    m_pcVersion->setText(versionForDisplay(doc().GetPcSoftwareVersion()));
    m_hwVersion->setText(versionForDisplay(doc().GetHardwareVersion()));
    m_mcuVersion->setText(settings().mcuVersion);
    m_cid->setText(settings().cid);
    m_dataVersion->setText(settings().dataVersion);
    m_serial->setText(doc().GetSerialNumber());

    const bool editable = settings().basicEditingEnabled();
    for (QWidget *field : {static_cast<QWidget *>(m_model), static_cast<QWidget *>(m_time),
                           static_cast<QWidget *>(m_pcVersion), static_cast<QWidget *>(m_hwVersion),
                           static_cast<QWidget *>(m_serial), static_cast<QWidget *>(m_mcuVersion),
                           static_cast<QWidget *>(m_dataVersion)})
        field->setEnabled(editable);
}

void CPcSoftwareView::fillRangeList()
{
    const QSignalBlocker blocker(m_rangeList);
    m_rangeList->clear();
    // An entry whose band cannot be applied stays in its place, greyed, so
    // that list positions keep naming entry numbers.
    auto *items = qobject_cast<QStandardItemModel *>(m_rangeList->model());
    for (const CPcSoftwareDoc::FreqRangeChoice &choice : doc().FreqRangeChoices()) {
        m_rangeList->addItem(choice.label);
        if (!choice.usable && items)
            items->item(m_rangeList->count() - 1)->setEnabled(false);
    }
    m_rangeList->setCurrentIndex(doc().CurrentFreqRangeChoice());
}

void CPcSoftwareView::onRangeChosen(int index)
{
    // An RQ381S installation is tied to one band.
    if (settings().modelName() == QLatin1String("RQ381S"))
        return;
    if (index == doc().FindFreqRangeIndex())
        return;
    const QList<CPcSoftwareDoc::FreqRangeChoice> choices = doc().FreqRangeChoices();
    if (index < 0 || index >= choices.size()) {
        fillRangeList();
        return;
    }
    // A greyed entry cannot be chosen; any other the new-codeplug check
    // refuses is refused with its message.
    const int range = choices[index].entry;
    if (const QString problem = NewCodeplug::rangeProblem(settings(), range); !problem.isEmpty()) {
        if (choices[index].usable)
            prompter().ask(Prompt{{}, QStringLiteral("IDS_ERROR"), Prompt::Icon::Error, Prompt::Buttons::Ok, problem});
        fillRangeList();
        return;
    }
    const Prompt question{QStringLiteral("IDS_WARN_CLEAR"), QStringLiteral("IDS_WARN"),
                          Prompt::Icon::Warning, Prompt::Buttons::OkCancel, {}};
    if (prompter().ask(question) != PromptAnswer::Ok) {
        fillRangeList();
        return;
    }
    // The whole codeplug is replaced by the defaults of the new band. The
    // baseline stays, so undoing the change leaves the codeplug unmodified.
    runEdit(QStringLiteral("IDS_ACTION_CHANGE_RANGE"), [&] { NewCodeplug::replaceImage(doc(), range); });
    emit codeplugReplaced();
}

void CPcSoftwareView::storeText(int control)
{
    storeField(control, [&] {
        switch (control) {
        case Model: doc().SetModel(m_model->text()); break;
        case LastProgramTime: doc().SetLastProgramTime(m_time->text()); break;
        case PcSoftwareVersion: doc().SetPcSoftwareVersion(m_pcVersion->text()); break;
        case HardwareVersion: doc().SetHardwareVersion(m_hwVersion->text()); break;
        case SerialNumber: doc().SetSerialNumber(m_serial->text()); break;
        default: break;
        }
    });
    // Show what was stored.
    Reload();
}
