#pragma once

#include <QWidget>
#include <functional>
#include <memory>

class AppSettings;
class CNumberEdit;
class CodeplugEditor;
class FieldBinder;
struct EditName;
class CPcSoftwareDoc;
class Language;
class Prompter;
class QComboBox;
class QGridLayout;
class QLabel;

// What a section form is built with: the document it edits, the edit path
// every change goes through and the prompter its messages go through.
struct FormContext
{
    CPcSoftwareDoc &doc;
    Prompter &prompter;
    CodeplugEditor &editor;
};

// Base of every section form. A form is a view of the one document: it
// stores each change into the image at once through a freshly built
// accessor, then reloads, and tells the main window what else must redraw.
class CSectionForm : public QWidget
{
    Q_OBJECT
public:
    CSectionForm(const FormContext &context, int sectionCode, int dialogId, QWidget *parent = nullptr);

    int sectionCode() const { return m_sectionCode; }
    int dialogId() const { return m_dialogId; }
    int recordIndex() const { return m_recordIndex; }

    // Called once after the form is placed in its frame; recordIndex is the
    // record the main window remembered for this section.
    virtual void OnInitialUpdate(int recordIndex);
    // Every update of all views: relabel from the language file and reload.
    virtual void OnUpdate();
    // Reads every field from the image.
    virtual void Reload() = 0;
    // Selects a record (channel, scan-list and RX-group forms) and reloads.
    virtual void ShowRecord(int recordIndex);
    // Runs inside every edit step while the form is open, after the change:
    // resets what the form would no longer show as chosen. Nothing by default.
    virtual void MendAfterEdit() {}
    // Stores what is typed into the form's focused field, as its focus loss
    // would. Every button of the form runs this when it is pressed, before
    // its command: pressed comes first whether the button is clicked, keyed
    // or activated by an assistive tool, which moves no focus.
    virtual void CommitPendingEdit();

signals:
    // Names of zones, channels, scan lists or RX group lists changed: the
    // tree relabels its record nodes.
    void namesChanged();
    // Data other open forms show changed: they reload.
    void dataChanged();
    // Records were added, deleted or moved: the tree's record nodes are
    // rebuilt and the other forms reload.
    void recordsChanged();
    // The whole codeplug was rebuilt: the tree's record nodes are rebuilt
    // and every form reloads.
    void codeplugReplaced();

protected:
    // What a change touched besides the form that made it.
    enum class Redraw {
        OtherForms,  // every other open form reloads
        TreeLabels,  // and the tree renews its record labels (a name changed)
        TreeNodes,   // and the tree rebuilds its record nodes (records added, deleted or moved)
    };

    // Runs change() on the image as one undo step, named by the label of
    // control ctrlId, then redraws what `redraw` names. True when bytes
    // changed. The form reloads its own controls afterwards.
    bool storeField(int ctrlId, const std::function<void()> &change, Redraw redraw = Redraw::OtherForms);
    // The same for a list operation or another action, named by a [String]
    // key of the language file ("IDS_ACTION_ADD_ZONE").
    bool runEdit(const QString &actionKey, const std::function<void()> &change, Redraw redraw = Redraw::TreeNodes);
    // The same under any name ("Set Name on 12 contacts").
    bool recordEdit(const EditName &name, const std::function<void()> &change, Redraw redraw);

    CPcSoftwareDoc &doc() const { return m_doc; }
    CodeplugEditor &editor() const { return m_editor; }
    AppSettings &settings() const;
    const Language &language() const;
    Prompter &prompter() const { return m_prompter; }
    void setRecordIndex(int index) { m_recordIndex = index; }

    // A label that the "Resource" text of ctrlId relabels.
    QLabel *makeLabel(int ctrlId, const QString &builtInText);
    // A row of grid: the label in column 0 and the field it names (which
    // takes the same control id) in column 1.
    void addLabelledRow(QGridLayout *grid, int row, int ctrlId, const QString &label, QWidget *field);
    // The same at any column, with a label that labelId's text relabels; returns the label.
    QLabel *addLabelledField(QGridLayout *grid, int row, int column, int labelId, int ctrlId, const QString &label,
                             QWidget *field);
    QComboBox *addComboRow(QGridLayout *grid, int row, int ctrlId, const QString &label, int minimumChars);
    // A binder of this form's controls to the catalogue record `recordPath`:
    // each value is stored as an edit step named by its control's label,
    // then the form reloads.
    std::unique_ptr<FieldBinder> bindFields(const QString &recordPath);
    // The number field stores each committed value through store(ctrlId, value).
    CNumberEdit *addNumberRow(QGridLayout *grid, int row, int ctrlId, const QString &label,
                              const std::function<void(int ctrlId, int value)> &store);

private:
    CPcSoftwareDoc &m_doc;
    Prompter &m_prompter;
    CodeplugEditor &m_editor;
    int m_sectionCode;
    int m_dialogId;
    int m_recordIndex = 0;
};
