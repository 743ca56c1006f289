#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <memory>

class CPcSoftwareDoc;
class Language;

// How an undo step is named in the Edit menu: by an action text of the
// language file, or by the label of the control whose field was stored.
// The name is looked up when it is shown, so it follows a language switch.
struct EditName
{
    QString key;     // [String] key of the action, "IDS_ACTION_DELETE_CHANNEL"
    int ctrlId = 0;  // else: the control whose "Resource" label names the field
    // With both: the action's text takes the label as %1 and `count` as %2
    // ("Set Power on 40 channels"); with an action alone, `count` as %1
    // ("Paste 50 cells").
    int count = 0;
    // With an action alone and a field count: the fields as %1 and `count`
    // as %2 ("Set 3 fields on 40 channels").
    int fields = 0;

    static EditName action(const QString &key) { return EditName{key, 0, 0, 0}; }
    static EditName field(int ctrlId) { return EditName{QString(), ctrlId, 0, 0}; }
    static EditName onRecords(const QString &key, int ctrlId, int count) { return EditName{key, ctrlId, count, 0}; }
    static EditName fieldsOnRecords(const QString &key, int fields, int count) { return EditName{key, 0, count, fields}; }
    QString text(const Language &language) const;
};

// The one edit path of the desktop program. Every change of the codeplug
// image (a form store, a list operation, a range change, a read from the
// radio, an import) runs through apply(), which records the bytes it changed
// as one step on the undo stack. Undo and redo write those bytes back and
// announce it, so the main window redraws the tree and every form.
class CodeplugEditor : public QObject
{
    Q_OBJECT
public:
    explicit CodeplugEditor(CPcSoftwareDoc &doc, QObject *parent = nullptr);
    ~CodeplugEditor() override;

    // Runs change() on the document and records what it changed in the
    // image as one undo step. Returns true when any byte changed. Nested
    // calls fold into the outermost step.
    bool apply(const EditName &name, const std::function<void()> &change);

    // Runs at the end of every step whose change wrote bytes, inside that
    // step: what the open forms mend in the image after a change (a reply
    // channel that is no longer acceptable), so one undo takes back both.
    void setFollowUp(std::function<void()> followUp) { m_followUp = std::move(followUp); }

    QUndoStack &stack() { return m_stack; }
    // Names the last step anew (a bulk store knows how many records took
    // its value only once it ran).
    void renameTop(const EditName &name);
    // After File New and File Open: the steps belong to another codeplug.
    void clear();

    // The current menu texts of Edit > Undo and Edit > Redo: "&Undo Delete
    // Channel", or the plain menu text when there is nothing to undo.
    QString undoText(const Language &language) const;
    QString redoText(const Language &language) const;

signals:
    // An undo or redo rewrote the image.
    void imageRestored();
    // A step was added, undone or redone: menus and the modified mark follow.
    void stackChanged();

private:
    CPcSoftwareDoc &m_doc;
    QUndoStack m_stack;
    std::function<void()> m_followUp;
    int m_depth = 0;
};
