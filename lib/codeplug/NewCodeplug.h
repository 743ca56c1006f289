#pragma once

#include <QString>

class AppSettings;
class CPcSoftwareDoc;

// A new codeplug: the default codeplug of the settings' model for one
// frequency range of setting.ini [FreqRange]. One check decides whether a
// range can make one, and one message says why not; the desktop program and
// every command line recipe make new codeplugs through here.
namespace NewCodeplug {

// The range a new document starts with (the only one RQ381S is built for).
constexpr int kStartRange = 6;

// Empty when range n gives a usable codeplug for the settings' model, else
// why not: n outside 0..15, no entry dataN, an entry that is not a usable
// band, an entry the range list does not reach (an earlier one is missing),
// or a model tied to another range.
QString rangeProblem(const AppSettings &settings, int range);

// Replaces the document's header and images by the default codeplug of
// range n; the baseline stays blank, as for a document not yet saved.
// Returns rangeProblem's message and changes nothing when n cannot make one.
QString make(CPcSoftwareDoc &doc, int range);

// The same within an open document (a change of its range): only the
// codeplug image is replaced, so the file, its header and the saved
// baseline stay and an undo step can take the change back.
QString replaceImage(CPcSoftwareDoc &doc, int range);

// The same for a document that must exist whatever setting.ini holds (the
// desktop program's start-up, which names unusable entries itself): an
// unusable range still gives the default codeplug over the fallback band.
// Returns the problem, if any.
QString makeAnyway(CPcSoftwareDoc &doc, int range);

}
