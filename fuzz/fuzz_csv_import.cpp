// Any text as a contacts CSV, as a channels CSV and as a repeater list
// (the repeater header put in front of it too), imported over a default
// codeplug; the first byte picks the options.

#include "FuzzSupport.h"

#include "codeplug/CPcSoftwareDoc.h"
#include "text/ChannelsCsv.h"
#include "text/ContactsCsv.h"
#include "text/RepeaterCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static std::unique_ptr<CPcSoftwareDoc> fresh = [] {
        auto doc = std::make_unique<CPcSoftwareDoc>(fuzz::settings());
        bool firstNew = true;
        fuzz::SilentPrompter silent;
        doc->OnNewDocument(firstNew, silent);
        return doc;
    }();
    if (size == 0)
        return 0;
    const QByteArray text = fuzz::bytes(data + 1, size - 1);
    CPcSoftwareDoc doc(fuzz::settings());
    doc.currentImage() = fresh->currentImage();
    doc.UpdateBandLimits();
    ContactsCsv::Options options;
    options.replace = data[0] & 1;
    options.limit = data[0] & 2 ? int(data[0] >> 2) : -1;
    if (data[0] & 0x80)
        options.match = QStringLiteral("A");
    ContactsCsv::importText(text, doc, options);
    ChannelsCsv::importText(text, doc, ChannelsCsv::Options{bool(data[0] & 4)});
    RepeaterCsv::Options repeaters;
    if (data[0] & 8)
        repeaters.zone = QStringLiteral("Zone 1");
    RepeaterCsv::importText(text, doc, repeaters);
    RepeaterCsv::importText("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                            "RxDtcsCode,CrossMode,Mode,Power\n" + text, doc, repeaters);
    ContactsCsv::exportText(doc);
    ChannelsCsv::exportText(doc);
    return 0;
}
