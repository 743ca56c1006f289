#pragma once

#include <QWidget>

class AppSettings;
class CPcSoftwareDoc;
class Language;
class Prompter;
class QLabel;

// What a section form is built with: the document it edits and the prompter
// its messages go through.
struct FormContext
{
    CPcSoftwareDoc &doc;
    Prompter &prompter;
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
    CPcSoftwareDoc &doc() const { return m_doc; }
    AppSettings &settings() const;
    const Language &language() const;
    Prompter &prompter() const { return m_prompter; }
    void setRecordIndex(int index) { m_recordIndex = index; }

    // A label that the "Resource" text of ctrlId relabels.
    QLabel *makeLabel(int ctrlId, const QString &builtInText);

private:
    CPcSoftwareDoc &m_doc;
    Prompter &m_prompter;
    int m_sectionCode;
    int m_dialogId;
    int m_recordIndex = 0;
};
