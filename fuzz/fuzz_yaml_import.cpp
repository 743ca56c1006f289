// Any text as a YAML codeplug, imported over a default codeplug: taken as
// written, or (for every other length) with references and records
// following their names, as File > Import and `import --base` take it.

#include "FuzzSupport.h"

#include "codeplug/CPcSoftwareDoc.h"
#include "text/YamlCodeplug.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static std::unique_ptr<CPcSoftwareDoc> fresh = [] {
        auto doc = std::make_unique<CPcSoftwareDoc>(fuzz::settings());
        bool firstNew = true;
        fuzz::SilentPrompter silent;
        doc->OnNewDocument(firstNew, silent);
        return doc;
    }();
    const QByteArray text = fuzz::bytes(data, size);
    YamlCodeplug::originOf(text);
    CPcSoftwareDoc doc(fuzz::settings());
    doc.currentImage() = fresh->currentImage();
    doc.UpdateBandLimits();
    YamlCodeplug::ImportOptions options;
    options.followRecords = size % 2 == 1;
    YamlCodeplug::importText(text, doc, options);
    return 0;
}
