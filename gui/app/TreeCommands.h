#pragma once

#include "app/CTreeBar.h"

class CPcSoftwareDoc;
class Prompter;

// The list operations of the tree's pop-up menus: add and delete zones,
// channels, scan lists and RX group lists, copy and paste. The rules that
// decide bytes are the library's list maintenance; this class picks the
// operation for the selected node, says whether it is available, and tells
// the main window which node and record to show afterwards.
class CTreeCommands
{
public:
    CTreeCommands(CPcSoftwareDoc &doc, Prompter &prompter);
    ~CTreeCommands();

    struct Outcome
    {
        bool changed = false;  // the image changed: the tree and the forms redraw
        TreeNode select;       // the node to select afterwards
        int section = 0;       // the form that shows the record (6, 7, 12), 0 for none
        int recordIndex = 0;   // its record index, as the navigation request carries it
    };

    bool isAvailable(int commandId, const TreeNode &selected) const;
    Outcome run(int commandId, const TreeNode &selected);

private:
    struct State;
    CPcSoftwareDoc &m_doc;
    Prompter &m_prompter;
    State *m_state;
};
