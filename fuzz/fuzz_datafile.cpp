// A .dat file of any content, then every field the YAML export reads (every
// getter of every section) and every list operation with arguments taken
// from the input.

#include "FuzzSupport.h"

#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/DataFile.h"
#include "sections/ChannelData.h"
#include "sections/ContactRules.h"
#include "sections/EncryptRules.h"
#include "sections/ListMaintenance.h"
#include "sections/QuickTextRules.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"
#include "text/YamlCodeplug.h"

namespace {

void runListOperations(CPcSoftwareDoc &doc, fuzz::ByteStream &ops)
{
    fuzz::SilentPrompter prompter;
    CListMaintenance lists(doc);
    auto n = [&] { return ops.nextInt(40) - 2; };  // also 0, negative and past every list
    for (int step = 0; step < 24 && !ops.empty(); ++step) {
        ListClipboard clip;
        switch (ops.nextInt(17)) {
        case 0: lists.addZone(); break;
        case 1: lists.deleteZone(n()); break;
        case 2: lists.addChannel(n()); break;
        case 3: lists.deleteChannel(n(), n()); break;
        case 4: lists.addScanList(); break;
        case 5: lists.deleteScanList(n()); break;
        case 6: lists.addRxGroup(); break;
        case 7: lists.deleteRxGroup(n()); break;
        case 8: clip.copyChannel(n(), n()); lists.pasteChannel(clip, n(), n()); break;
        case 9: clip.copyScanList(n()); lists.pasteScanList(clip, n()); break;
        case 10: clip.copyRxGroup(n()); lists.pasteRxGroup(clip, n()); break;
        case 11: { CContactRules contacts(doc); contacts.compact(); contacts.add(prompter); break; }
        case 12: CContactRules(doc).insert(n(), prompter); break;
        case 13: CContactRules(doc).remove(n()); break;
        case 14: CEncryptRules(doc).insert(n()); break;
        case 15: CEncryptRules(doc).remove(n()); break;
        default: CQuickTextRules(doc).remove(n()); CQuickTextRules(doc).add(); break;
        }
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The whole input is the file; its last byte also picks the model (2 or
    // 16 zone slots) and its last 64 bytes choose the list operations.
    AppSettings &settings = fuzz::settings();
    settings.setModelName(size > 0 && (data[size - 1] & 1) ? QStringLiteral("VK214") : QStringLiteral("RQ381"));
    CPcSoftwareDoc doc(settings);
    DataFile::loadBytes(doc, fuzz::bytes(data, size));
    doc.GetModel();
    doc.GetLastProgramTime();
    doc.GetSerialNumber();
    doc.FreqRangeLabels();
    YamlCodeplug::exportText(doc);
    const CChannelData channels(doc);
    for (int zone = 1; zone <= settings.zoneSlotCount(); ++zone)
        channels.CountChannels(zone);
    CScanData(doc).CountLists();
    CRxGroupData(doc).CountLists();

    if (size > 0) {
        const size_t opBytes = size < 64 ? size : 64;
        fuzz::ByteStream ops(data + size - opBytes, opBytes);
        runListOperations(doc, ops);
    }
    DataFile::toBytes(doc);
    return 0;
}
