#include "sections/CSectionForm.h"

#include "app/AppSettings.h"
#include "app/CodeplugEditor.h"
#include "app/TranslateDialog.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "sections/FieldBinder.h"
#include "widgets/CNumberEdit.h"
#include "widgets/FieldCommit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

CSectionForm::CSectionForm(const FormContext &context, int sectionCode, int dialogId, QWidget *parent)
    : QWidget(parent),
      m_doc(context.doc),
      m_prompter(context.prompter),
      m_editor(context.editor),
      m_sectionCode(sectionCode),
      m_dialogId(dialogId)
{
    // Enter and Escape in a field hand the focus to the form.
    setFocusPolicy(Qt::ClickFocus);
}

AppSettings &CSectionForm::settings() const
{
    return m_doc.settings();
}

const Language &CSectionForm::language() const
{
    return m_doc.settings().language();
}

void CSectionForm::OnInitialUpdate(int recordIndex)
{
    m_recordIndex = recordIndex;
    const auto buttons = findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons)
        connect(button, &QAbstractButton::pressed, this, &CSectionForm::CommitPendingEdit, Qt::UniqueConnection);
    OnUpdate();
}

void CSectionForm::CommitPendingEdit()
{
    commitFocusedField(this);
}

void CSectionForm::OnUpdate()
{
    // The frame's title comes from the tree's labels, so only the controls
    // take the form's "Resource" texts.
    TranslateControls(this, language());
    Reload();
}

void CSectionForm::ShowRecord(int recordIndex)
{
    m_recordIndex = recordIndex;
    Reload();
}

QLabel *CSectionForm::makeLabel(int ctrlId, const QString &builtInText)
{
    auto *label = new QLabel(builtInText, this);
    setCtrlId(label, ctrlId);
    return label;
}

void CSectionForm::addLabelledRow(QGridLayout *grid, int row, int ctrlId, const QString &label, QWidget *field)
{
    addLabelledField(grid, row, 0, ctrlId, ctrlId, label, field);
}

QLabel *CSectionForm::addLabelledField(QGridLayout *grid, int row, int column, int labelId, int ctrlId,
                                       const QString &label, QWidget *field)
{
    QLabel *title = makeLabel(labelId, label);
    setCtrlId(field, ctrlId);
    title->setBuddy(field);
    grid->addWidget(title, row, column);
    grid->addWidget(field, row, column + 1);
    return title;
}

QComboBox *CSectionForm::addComboRow(QGridLayout *grid, int row, int ctrlId, const QString &label, int minimumChars)
{
    auto *box = new QComboBox(this);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(minimumChars);
    addLabelledRow(grid, row, ctrlId, label, box);
    return box;
}

CNumberEdit *CSectionForm::addNumberRow(QGridLayout *grid, int row, int ctrlId, const QString &label,
                                        const std::function<void(int ctrlId, int value)> &store)
{
    auto *edit = new CNumberEdit(this);
    addLabelledRow(grid, row, ctrlId, label, edit);
    connect(edit, &CNumberEdit::valueCommitted, this, [store, ctrlId](int value) { store(ctrlId, value); });
    return edit;
}

std::unique_ptr<FieldBinder> CSectionForm::bindFields(const QString &recordPath)
{
    return std::make_unique<FieldBinder>(recordPath, *this, m_doc, m_prompter, [this](int nameId, const std::function<void()> &change) {
        storeField(nameId, change);
        Reload();
    });
}

bool CSectionForm::storeField(int ctrlId, const std::function<void()> &change, Redraw redraw)
{
    return recordEdit(EditName::field(ctrlId), change, redraw);
}

bool CSectionForm::runEdit(const QString &actionKey, const std::function<void()> &change, Redraw redraw)
{
    return recordEdit(EditName::action(actionKey), change, redraw);
}

bool CSectionForm::recordEdit(const EditName &name, const std::function<void()> &change, Redraw redraw)
{
    if (!m_editor.apply(name, change))
        return false;
    switch (redraw) {
    case Redraw::OtherForms: emit dataChanged(); break;
    case Redraw::TreeLabels:
        emit namesChanged();
        emit dataChanged();
        break;
    case Redraw::TreeNodes: emit recordsChanged(); break;
    }
    return true;
}
