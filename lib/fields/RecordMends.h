#pragma once

#include "codeplug/Image.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class CPcSoftwareDoc;

// The corrections a section's form makes when it shows a record: a record
// that came in breaking a rule of its form (from a file, a radio or a text
// import) is mended before it is shown. One function per section, called by
// the form, the tree, the command line and the text imports alike, so the
// bytes never depend on which path the user took.
//
// Each mend writes only what is wrong and tells whether bytes changed, and
// which values a user sees changed: a rewrite no value shows (an unset
// channel pair stored as (0, 0)) changes bytes without a correction text.
namespace Mends {

struct Result
{
    bool bytesChanged = false;
    QStringList corrections;  // the values corrected, one text each
    bool changed() const { return bytesChanged; }
    explicit operator bool() const { return bytesChanged; }
};

// A channel in use: the mixed modes need a tone in both directions (an unset
// one becomes 67.0), and every mode stores its own bandwidth.
Result channel(CPcSoftwareDoc &doc, int zone, int channel);

// A scan list in use: a priority or designated channel whose pair names no
// channel (a half that is 0 or out of range) is stored as (0, 0). Both read
// as none, so this corrects no value.
Result scanList(CPcSoftwareDoc &doc, int list);

// The contact list: the contacts in use (number byte set) are moved to
// 1..k in their order, every reference following a moved contact, and the
// records after them are freed.
Result contacts(CPcSoftwareDoc &doc);

// The digital emergency settings: a reply channel that is not a named
// digital channel is reset with its flag, and an emergency ID that no
// offered entry has becomes the first entry's.
Result digitalEmergency(CPcSoftwareDoc &doc);

// The analog emergency settings: a reply channel that is not a named analog
// channel is reset with its designated-reply flag.
Result analogEmergency(CPcSoftwareDoc &doc);

// While an emergency form is open, after any change: a chosen reply channel
// that is no longer acceptable (its mode changed, it was deleted) is reset.
// A flag whose channel is not chosen yet stays.
Result digitalEmergencyAfterEdit(CPcSoftwareDoc &doc);
Result analogEmergencyAfterEdit(CPcSoftwareDoc &doc);

// A correction made to one record, named by its path in the YAML codeplug
// ("zones[1].channels[3]", "contacts", "digital_emergency").
struct Correction
{
    QString path;
    QString text;
};

// After a text import or a command: every record whose bytes differ from
// `before` gets the mend its form gives an edit: the mend of a record shown
// for the channels and scan lists, the after-edit mend for the emergency
// settings (a reply flag may wait for its channel there, as it may in the
// form). Records left untouched are not mended. The contact list is not
// closed up here: a text names the slots of its contacts itself (a free
// slot is null, and references keep naming their contact), and the contact
// form closes gaps only before it changes the list (see changeContacts).
QList<Correction> mendChanged(CPcSoftwareDoc &doc, const Image &before);

// A change to the contact list made as the contact form makes it: the gaps
// are closed first, so that a new contact never lands on one in use behind
// a gap. When the change leaves the list as it found it, the closing is
// taken back too. Returns what the closing did; nothing when it was taken
// back or not needed.
Result changeContacts(CPcSoftwareDoc &doc, const std::function<void()> &change);

}
