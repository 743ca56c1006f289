// Any text as a YAML codeplug, imported over a default codeplug.

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
    YamlCodeplug::importText(text, doc);
    return 0;
}
