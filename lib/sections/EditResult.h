#pragma once

// What a list operation did and which record the form should show next.
// Operations that are not available, or that the user's entry refuses,
// change nothing and say why.
enum class Refusal {
    None,          // done
    OnlyRecord,    // deleting the only record of a list is not offered
    ListFull,      // the list already holds all the records it can
    NoSuchRecord,  // a record number outside the used records
    SameRecord,    // pasting a record onto itself
    NothingCopied, // the clipboard holds nothing of the target's kind
    Rejected,      // the entry was refused (a message may have been shown)
};

struct EditResult
{
    Refusal refusal = Refusal::None;
    int zone = 0;     // channel form: the zone and channel to show next
    int channel = 0;
    int record = 0;   // list forms and grids: the record or row to show next

    bool ok() const { return refusal == Refusal::None; }
    static EditResult refused(Refusal why) { return EditResult{why, 0, 0, 0}; }
    static EditResult showChannel(int zone, int channel) { return EditResult{Refusal::None, zone, channel, 0}; }
    static EditResult showRecord(int record) { return EditResult{Refusal::None, 0, 0, record}; }
};

// The records the tree can copy: it keeps numbers, not data, so a paste
// reads whatever record holds the copied number at that moment.
struct ListClipboard
{
    enum class Kind { Nothing = 0, Channel = 1, ScanList = 2, RxGroup = 3 };

    Kind kind = Kind::Nothing;
    int zone = 0;     // a copied channel
    int channel = 0;
    int number = 0;   // a copied scan list or RX group list

    void copyChannel(int z, int c) { *this = ListClipboard{Kind::Channel, z, c, 0}; }
    void copyScanList(int list) { *this = ListClipboard{Kind::ScanList, 0, 0, list}; }
    void copyRxGroup(int list) { *this = ListClipboard{Kind::RxGroup, 0, 0, list}; }
};
