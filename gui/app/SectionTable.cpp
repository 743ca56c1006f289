#include "app/SectionTable.h"

#include "app/CommandIds.h"
#include "sections/C5ToneSystemView.h"
#include "sections/CAlertToneView.h"
#include "sections/CAnalogEmergencyView.h"
#include "sections/CBasicSettingView.h"
#include "sections/CChannelView.h"
#include "sections/CContactView.h"
#include "sections/CDecodeSequenceView.h"
#include "sections/CDisplayControlView.h"
#include "sections/CDtmfView.h"
#include "sections/CEmergencyView.h"
#include "sections/CEncodeSequenceView.h"
#include "sections/CEncryptView.h"
#include "sections/CKeySettingView.h"
#include "sections/COptionView.h"
#include "sections/CPcSoftwareView.h"
#include "sections/CQuickTextView.h"
#include "sections/CRxGroupView.h"
#include "sections/CScanView.h"

#include <array>

namespace SectionTable {

namespace {

struct Entry
{
    int parent;     // tree item the section hangs under
    int command;    // Edit-menu command
    FormFactory factory;
};

template <class Form>
CSectionForm *make(const FormContext &context)
{
    return new Form(context);
}

// Index = section code; entry 0 is the tree's root.
const std::array<Entry, kSectionCount + 1> &entries()
{
    static const std::array<Entry, kSectionCount + 1> table = {{
        {-1, 0, nullptr},                              // 0 root
        {0, Cmd::EditBasicInfo, &make<CPcSoftwareView>}, // 1 basic information
        {0, 0, nullptr},                               // 2 radio settings (group)
        {2, Cmd::EditKeySetting, &make<CKeySettingView>}, // 3 programmable keys
        {2, Cmd::EditAlertTone, &make<CAlertToneView>}, // 4 alert tones
        {2, Cmd::EditOptionFeature, &make<COptionView>}, // 5 option features
        {0, Cmd::EditChannel, &make<CChannelView>},    // 6 channels
        {0, Cmd::EditScan, &make<CScanView>},          // 7 scan lists
        {0, Cmd::EditEmergency, &make<CEmergencyView>}, // 8 emergency
        {0, 0, nullptr},                               // 9 digital parameters (group)
        {9, Cmd::EditBasicSetting, &make<CBasicSettingView>}, // 10 digital basic settings
        {9, Cmd::EditContact, &make<CContactView>},     // 11 contacts
        {9, Cmd::EditRxGroup, &make<CRxGroupView>},     // 12 RX group lists
        {9, Cmd::EditEncrypt, &make<CEncryptView>},     // 13 encryption list
        {0, Cmd::EditAnalogEmergency, &make<CAnalogEmergencyView>}, // 14 analog emergency
        {0, Cmd::EditDtmfSystem, &make<CDtmfView>}, // 15 DTMF system
        {0, Cmd::Edit5ToneSystem, &make<C5ToneSystemView>}, // 16 5-tone system
        {0, Cmd::EditEncodeSequence, &make<CEncodeSequenceView>}, // 17 encode sequences
        {0, Cmd::EditQuickText, &make<CQuickTextView>}, // 18 quick texts
        {0, Cmd::EditDisplayControl, &make<CDisplayControlView>}, // 19 display control
        {0, Cmd::EditDecodeSequence, &make<CDecodeSequenceView>}, // 20 decode sequences
    }};
    return table;
}

bool validCode(int code) { return code >= 0 && code <= kSectionCount; }

// Index = section code.
const char *const kNames[kSectionCount + 1] = {
    "",                "basic",           "radio-settings",   "keys",           "alert-tones",
    "options",         "channels",        "scan-lists",       "emergency",      "digital",
    "digital-basic",   "contacts",        "rx-groups",        "encryption",     "analog-emergency",
    "dtmf",            "5-tone",          "encode-sequences", "quick-texts",    "display",
    "decode-sequences",
};

}

int treeParent(int code)
{
    return validCode(code) ? entries()[code].parent : -1;
}

bool offeredForModel(int code, const QString &model)
{
    if (code == QuickTexts || code == DisplayControl)
        return model == QLatin1String("VK214") || model == QLatin1String("TL809");
    if (code == DecodeSequences)
        return model == QLatin1String("TL809");
    return validCode(code);
}

bool isGroupOnly(int code)
{
    return code == RadioSettings || code == DigitalParameters;
}

bool holdsRecords(int code)
{
    return code == Channels || code == ScanLists || code == RxGroups;
}

int commandFor(int code)
{
    return validCode(code) ? entries()[code].command : 0;
}

int codeForCommand(int commandId)
{
    for (int code = 1; code <= kSectionCount; ++code) {
        if (entries()[code].command == commandId)
            return code;
    }
    return 0;
}

QString nameOf(int code)
{
    return validCode(code) ? QLatin1String(kNames[code]) : QString();
}

int codeForName(const QString &name)
{
    for (int code = 1; code <= kSectionCount; ++code) {
        if (name == QLatin1String(kNames[code]))
            return code;
    }
    return 0;
}

FormFactory formFactory(int code)
{
    return (code >= 1 && code <= kSectionCount) ? entries()[code].factory : nullptr;
}

bool hasForm(int code)
{
    return formFactory(code) != nullptr;
}

}
