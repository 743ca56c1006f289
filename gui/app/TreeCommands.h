#pragma once

#include "app/CTreeBar.h"
#include "sections/EditResult.h"

#include <QString>

class CPcSoftwareDoc;

// The list operations of the tree's pop-up menus: add and delete zones,
// channels, scan lists and RX group lists, copy and paste. The rules that
// decide bytes are the library's list maintenance; this class picks the
// operation for the selected node, says whether it is available, keeps the
// clipboard (numbers, not data) and tells the main window which node and
// record to show afterwards.
class CTreeCommands
{
public:
    explicit CTreeCommands(CPcSoftwareDoc &doc) : m_doc(doc) {}

    struct Outcome
    {
        bool changed = false;  // the image changed: the tree and the forms redraw
        TreeNode select;       // the node to select afterwards
        int section = 0;       // the form that shows the record (6, 7, 12), 0 for none
        int recordIndex = 0;   // its record index, as the navigation request carries it
    };

    bool isAvailable(int commandId, const TreeNode &selected) const;
    // The [String] key that names the command's undo step: "IDS_ACTION_DELETE_CHANNEL".
    static QString actionKey(int commandId, const TreeNode &selected);
    Outcome run(int commandId, const TreeNode &selected);
    const ListClipboard &clipboard() const { return m_clipboard; }

private:
    static Outcome channelOutcome(const EditResult &result, bool selectZone);
    static Outcome listOutcome(const EditResult &result, int section);

    CPcSoftwareDoc &m_doc;
    ListClipboard m_clipboard;
};
