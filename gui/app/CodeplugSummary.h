#pragma once

#include <QString>

class CPcSoftwareDoc;
class Language;

// The codeplug as a printable page: the radio information, every zone with
// its channels (frequencies, mode, tones, power, colour codes and digital
// references), the contacts, the RX group lists and the scan lists. The
// headings and choices come from the language file, so the page prints in
// the language the program shows.
namespace CodeplugSummary {

QString html(CPcSoftwareDoc &doc, const Language &language);

}
