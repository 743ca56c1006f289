#pragma once

#include <QString>

class CSectionForm;
struct FormContext;

// The sections of the codeplug as the desktop program shows them. The section
// code (1..20) keys the navigation tree's label ("TreeMainMenu"), the Edit
// menu command, the form that edits it and the open-frame table.
namespace SectionTable {

constexpr int kSectionCount = 20;
constexpr int kStaticItemCount = 30;  // tree items 0..29; 21..29 stay empty

// Section codes that have a meaning of their own.
enum Code {
    Root = 0,
    BasicInfo = 1,
    RadioSettings = 2,  // group only
    Channels = 6,
    ScanLists = 7,
    DigitalParameters = 9,  // group only
    RxGroups = 12,
    QuickTexts = 18,
    DisplayControl = 19,
    DecodeSequences = 20,
};

// The tree item under which item `code` goes: 0 for the root's children,
// -1 for the root itself and for codes that have no item.
int treeParent(int code);
// Whether the configured model offers the section: quick texts and display
// control only on VK214 and TL809, decode sequences only on TL809.
bool offeredForModel(int code, const QString &model);
// Items that only group others: clicking them opens nothing.
bool isGroupOnly(int code);
// Items that hold record nodes: 6 zones, 7 scan lists, 12 RX group lists.
bool holdsRecords(int code);

// The Edit-menu command that opens the section, 0 when there is none.
int commandFor(int code);
// The section a command opens, 0 when the command opens none.
int codeForCommand(int commandId);

// The short English name of a section ("channels", "scan-lists", ...), used
// on the command line; and the section a name gives, 0 for none.
QString nameOf(int code);
int codeForName(const QString &name);

// Makes the form of a section, or nullptr when that form does not exist
// (yet). Each form adds its line in SectionTable.cpp.
using FormFactory = CSectionForm *(*)(const FormContext &context);
FormFactory formFactory(int code);
bool hasForm(int code);

}
