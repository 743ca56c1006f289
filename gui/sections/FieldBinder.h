#pragma once

#include "fields/FieldCatalogue.h"
#include "widgets/CEditGrid.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class CNumberEdit;
class CTextEdit;
class Language;
class Prompter;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QWidget;

// Binds a form's controls to the fields of one record of the field
// catalogue. A number edit's limits, raster and special word, a list's
// entries, a text's typing limit and symbols, and whether the model offers
// the field at all come from the field; every committed value is stored
// through the field's rule, as the YAML and CSV files store it. A form
// keeps its layout and control ids and leaves the values to the binder.
// Each bound control carries the properties "catalogueRecord" and
// "catalogueField": the record path and the field's key.
class FieldBinder
{
public:
    // Runs the store of a value as the form's edit step, named by control
    // nameId, and redraws the form.
    using Edit = std::function<void(int nameId, const std::function<void()> &change)>;

    // recordPath names the record as Fields::recordSchema does
    // ("option_features"); form holds the controls and their labels.
    FieldBinder(const QString &recordPath, QWidget &form, Fields::Doc &doc, Prompter &prompter, Edit edit);

    // Each binds a control to the field `key`; nameId is the control whose
    // label names the undo step (the control itself when 0).
    void number(CNumberEdit *edit, const QString &key, int nameId = 0);
    void check(QCheckBox *box, const QString &key);
    // A list's entries in the current language, one per value of the field
    // from its minimum on. Without them a list shows the values of a number
    // field's range ("0.0", "0.5", ...).
    using Entries = std::function<QStringList(const Language &)>;
    static Entries languageList(const QString &section);
    void list(QComboBox *box, const QString &key, Entries entries = {}, int nameId = 0);
    void text(CTextEdit *edit, const QString &key, int nameId = 0);

    // A labelled number edit per row, laid out in grid from `row` on (label
    // in `column`, edit beside it) and bound to its field. The label takes
    // labelId (the edit's own id when 0) and names the undo step.
    struct NumberRow
    {
        int id;
        const char *label;
        QString key;
        int labelId = 0;
    };
    std::vector<CNumberEdit *> numberRows(QWidget &parent, QGridLayout &grid, int row, const std::vector<NumberRow> &rows,
                                          int column = 0);

    // The record the controls show and store (lists of records).
    void setRecord(Fields::At at) { m_at = at; }
    // Shows every bound control's stored value, hides those of fields the
    // model does not offer (with their labels) and relabels lists and
    // special words from the language.
    void show(const Language &language);

    const Fields::Field &field(const QString &key) const;
    bool isOffered(const QString &key) const;

    // For forms that store cells of a grid themselves: a field by record
    // path and key, the editor rules of a column that enters it, and the
    // message of a refused store.
    static const Fields::Field &catalogueField(const QString &recordPath, const QString &key);
    static CEditGrid::ColumnEditor columnEditor(const Fields::Field &field);
    static void tellRefusal(Prompter &prompter, const Fields::Store &result);

private:
    enum class Control { Number, Check, List, Text };
    struct Binding
    {
        Control kind;
        QWidget *widget;
        const Fields::Field *field;
        int nameId;
        Entries entries;
        std::vector<QWidget *> labels;  // found when first shown
        bool labelsFound = false;
        bool hidden = false;  // by the binder: the model does not offer the field
    };

    const Fields::Field &bind(QWidget *control, const QString &key);
    void store(const Binding &binding, const std::function<Fields::Store()> &set);
    void showBinding(Binding &binding, const Language &language);

    QString m_recordPath;
    const Fields::RecordSchema &m_record;
    QWidget &m_form;
    Fields::Doc &m_doc;
    Prompter &m_prompter;
    Edit m_edit;
    Fields::At m_at;
    std::vector<Binding> m_bindings;
};
