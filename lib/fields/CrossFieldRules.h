#pragma once

#include <QList>
#include <QString>

class CPcSoftwareDoc;

// The rules by which storing one field changes others. The forms, the text
// import and the command line all store through these, so the same entry
// gives the same bytes whichever path made it.
namespace CrossFieldRules {

// A channel's mode, with what follows from it: the compulsory tones of the
// mixed modes, the mode's bandwidth and both colour codes from the
// frequencies.
void changeMode(CPcSoftwareDoc &doc, int zone, int channel, int mode);

// A typed frequency, with the colour code of its direction recomputed from
// the stored frequency. Returns the stored frequency's text.
QString enterFrequency(CPcSoftwareDoc &doc, int zone, int channel, bool transmit, const QString &text);

// The bandwidth a channel of its mode stores (analog 2, every other mode 3):
// the bandwidth any entry ends as.
int bandwidthFor(CPcSoftwareDoc &doc, int zone, int channel);

// Encode sequence n's type, and decode sequence n's receive signalling: a
// sequence written for one kind means nothing to the other, so a changed
// kind starts again from "12345". The same kind changes nothing. False for
// a value the section refuses.
bool changeSequenceType(CPcSoftwareDoc &doc, int n, int type);
bool changeRxSignaling(CPcSoftwareDoc &doc, int n, int signaling);

// The group-call start ID as the form enters it (0 or nothing becomes 1).
// Contacts at or above it are group contacts: those that change sides change
// type, and an RX group list shows only group contacts, though the member
// bytes stay. Returns the contacts whose type changed, so that what shows
// them can redraw; nothing when the text is refused.
struct StartIdChange
{
    bool accepted = false;
    QList<int> retyped;
};
StartIdChange enterStartId(CPcSoftwareDoc &doc, const QString &text);

}
