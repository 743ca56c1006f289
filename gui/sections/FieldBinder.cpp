#include "sections/FieldBinder.h"

#include "app/Language.h"
#include "app/Prompter.h"
#include "app/TranslateDialog.h"
#include "sections/FormFields.h"
#include "widgets/CNumberEdit.h"
#include "widgets/EditLimit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRegularExpressionValidator>

namespace {

const Fields::RecordSchema &recordOf(const QString &path)
{
    const Fields::RecordSchema *record = Fields::recordSchema(path);
    Q_ASSERT_X(record, "FieldBinder", "no such record in the field catalogue");
    static const Fields::RecordSchema none;
    return record ? *record : none;
}

// A field the forms name: a missing one is a programming error.
const Fields::Field &fieldOf(const Fields::RecordSchema &record, const QString &key)
{
    const Fields::Field *found = Fields::findField(record, key);
    Q_ASSERT_X(found, "FieldBinder", qPrintable(key));
    static const Fields::Field none;
    return found ? *found : none;
}

// The characters a number edit takes: the field's own limit, else as many
// as its widest value needs.
int charLimit(const Fields::Field &field)
{
    if (field.maxLength > 0)
        return field.maxLength;
    return int(std::max(Fields::decimalText(field.max, field.scale).size(), Fields::decimalText(field.min, field.scale).size()));
}

// The labels that name a control (their buddy), hidden and shown with it.
std::vector<QWidget *> labelsOf(const QWidget &form, QWidget *control)
{
    std::vector<QWidget *> labels;
    const auto all = form.findChildren<QLabel *>();
    for (QLabel *label : all) {
        if (label->buddy() == control)
            labels.push_back(label);
    }
    return labels;
}

}

FieldBinder::FieldBinder(const QString &recordPath, QWidget &form, Fields::Doc &doc, Prompter &prompter, Edit edit)
    : m_recordPath(recordPath), m_record(recordOf(recordPath)), m_form(form), m_doc(doc), m_prompter(prompter), m_edit(std::move(edit))
{
}

const Fields::Field &FieldBinder::field(const QString &key) const
{
    return fieldOf(m_record, key);
}

const Fields::Field &FieldBinder::catalogueField(const QString &recordPath, const QString &key)
{
    return fieldOf(recordOf(recordPath), key);
}

CEditGrid::ColumnEditor FieldBinder::columnEditor(const Fields::Field &field)
{
    CEditGrid::ColumnEditor editor;
    editor.limit = field.maxLength;
    if (!field.alphabet.isEmpty()) {
        const QString alphabet = field.alphabet;
        editor.accepts = [alphabet](QChar c) { return alphabet.contains(c, Qt::CaseInsensitive); };
    }
    return editor;
}

void FieldBinder::tellRefusal(Prompter &prompter, const Fields::Store &result)
{
    if (result.isRefused())
        prompter.tell(result.key, QStringLiteral("IDS_ERROR"), Prompt::Icon::Error);
}

bool FieldBinder::isOffered(const QString &key) const
{
    return Fields::isOffered(field(key), m_doc);
}

// The control carries its field's place in the catalogue, so that tests and
// tools can drive every bound control of a form alike.
const Fields::Field &FieldBinder::bind(QWidget *control, const QString &key)
{
    control->setProperty("catalogueRecord", m_recordPath);
    control->setProperty("catalogueField", key);
    return field(key);
}

void FieldBinder::number(CNumberEdit *edit, const QString &key, int nameId)
{
    const Fields::Field &f = bind(edit, key);
    m_bindings.push_back(Binding{Control::Number, edit, &f, nameId ? nameId : ctrlId(edit), {}, {}, false, false});
    const Binding binding = m_bindings.back();
    QObject::connect(edit, &CNumberEdit::valueCommitted, edit, [this, binding](int value) {
        store(binding, [&] { return Fields::setNumber(*binding.field, m_doc, m_at, value); });
    });
}

void FieldBinder::check(QCheckBox *box, const QString &key)
{
    const Fields::Field &f = bind(box, key);
    m_bindings.push_back(Binding{Control::Check, box, &f, ctrlId(box), {}, {}, false, false});
    const Binding binding = m_bindings.back();
    QObject::connect(box, &QCheckBox::clicked, box, [this, binding](bool on) {
        store(binding, [&] { return Fields::setNumber(*binding.field, m_doc, m_at, on ? 1 : 0); });
    });
}

FieldBinder::Entries FieldBinder::languageList(const QString &section)
{
    return [section](const Language &language) { return language.GetLangList(section); };
}

void FieldBinder::list(QComboBox *box, const QString &key, Entries entries, int nameId)
{
    const Fields::Field &f = bind(box, key);
    m_bindings.push_back(Binding{Control::List, box, &f, nameId ? nameId : ctrlId(box), std::move(entries), {}, false, false});
    const Binding binding = m_bindings.back();
    // The entries are the field's values from its minimum on.
    QObject::connect(box, &QComboBox::activated, box, [this, binding](int index) {
        store(binding, [&] { return Fields::setNumber(*binding.field, m_doc, m_at, binding.field->min + index); });
    });
}

void FieldBinder::text(CTextEdit *edit, const QString &key, int nameId)
{
    const Fields::Field &f = bind(edit, key);
    m_bindings.push_back(Binding{Control::Text, edit, &f, nameId ? nameId : ctrlId(edit), {}, {}, false, false});
    const Binding binding = m_bindings.back();
    if (!f.alphabet.isEmpty()) {
        // Only the field's symbols can be typed or pasted.
        const QString count = f.maxLength > 0 ? QStringLiteral("{0,%1}").arg(f.maxLength) : QStringLiteral("*");
        const QString pattern = QStringLiteral("[%1]%2").arg(QRegularExpression::escape(f.alphabet), count);
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption), edit));
    }
    QObject::connect(edit, &CTextEdit::focusLost, edit, [this, binding, edit] {
        const QString typed = edit->text();
        store(binding, [&] { return Fields::setText(*binding.field, m_doc, m_at, typed); });
    });
}

std::vector<CNumberEdit *> FieldBinder::numberRows(QWidget &parent, QGridLayout &grid, int row,
                                                   const std::vector<NumberRow> &rows, int column)
{
    std::vector<CNumberEdit *> edits;
    for (const NumberRow &r : rows) {
        auto *caption = new QLabel(QString::fromUtf8(r.label), &parent);
        const int labelId = r.labelId ? r.labelId : r.id;
        setCtrlId(caption, labelId);
        auto *edit = new CNumberEdit(&parent);
        setCtrlId(edit, r.id);
        edit->setMinimumWidth(110);
        caption->setBuddy(edit);
        grid.addWidget(caption, row, column);
        grid.addWidget(edit, row, column + 1);
        ++row;
        number(edit, r.key, labelId);
        edits.push_back(edit);
    }
    return edits;
}

void FieldBinder::store(const Binding &binding, const std::function<Fields::Store()> &set)
{
    Fields::Store result;
    m_edit(binding.nameId, [&] { result = set(); });
    tellRefusal(m_prompter, result);
}

void FieldBinder::show(const Language &language)
{
    for (Binding &binding : m_bindings)
        showBinding(binding, language);
}

void FieldBinder::showBinding(Binding &binding, const Language &language)
{
    const Fields::Field &f = *binding.field;
    if (!binding.labelsFound) {
        binding.labels = labelsOf(m_form, binding.widget);
        binding.labelsFound = true;
    }
    // Only what the binder hid is shown again: a form may hide a control
    // for reasons of its own.
    const bool offered = Fields::isOffered(f, m_doc);
    if (offered == binding.hidden) {
        binding.hidden = !offered;
        binding.widget->setVisible(offered);
        for (QWidget *label : binding.labels)
            label->setVisible(offered);
    }
    switch (binding.kind) {
    case Control::Number: {
        auto *edit = static_cast<CNumberEdit *>(binding.widget);
        edit->Configure(f.min, f.max, charLimit(f), f.step, true);
        if (f.special)
            edit->SetSpecial(*f.special, language.GetLangString(f.specialKey));
        const int value = f.getInt(m_doc, m_at);
        if (f.kind == Fields::Kind::Decimal && f.scale == 10)
            edit->ShowTenths(value, bool(f.special));
        else
            edit->Show(value, bool(f.special));
        break;
    }
    case Control::Check:
        static_cast<QCheckBox *>(binding.widget)->setChecked(f.getInt(m_doc, m_at) != 0);
        break;
    case Control::List: {
        QStringList entries;
        if (binding.entries) {
            entries = binding.entries(language);
        } else {
            for (int n = f.min; n <= f.max; ++n)
                entries << Fields::decimalText(n, f.scale);
        }
        auto *box = static_cast<QComboBox *>(binding.widget);
        const int index = f.getInt(m_doc, m_at) - f.min;
        // Refilled only when the entries changed: long lists of names are
        // shown on every reload.
        bool same = box->count() == entries.size();
        for (int i = 0; same && i < box->count(); ++i)
            same = box->itemText(i) == entries[i];
        if (same)
            FormFields::selectIndex(box, index);
        else
            FormFields::fillItems(box, entries, index);
        break;
    }
    case Control::Text: {
        auto *edit = static_cast<CTextEdit *>(binding.widget);
        edit->setEditLimit(f.maxLength);
        edit->setText(f.getText(m_doc, m_at));
        break;
    }
    }
}
