#include "codeplug/CPcSoftwareDoc.h"

#include "sections/5ToneSystemData.h"
#include "sections/AlertToneData.h"
#include "sections/AnalogEmergencyData.h"
#include "sections/BasicSettingData.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/DecodeSequenceData.h"
#include "sections/DisplayControlData.h"
#include "sections/DtmfData.h"
#include "sections/EmergencyData.h"
#include "sections/EncodeSequenceData.h"
#include "sections/EncryptData.h"
#include "sections/KeySettingData.h"
#include "sections/OptionData.h"
#include "sections/QuickTextData.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

// The order matters: later sections read what earlier ones wrote (the
// channels start at the band limits computed before this runs).
void CPcSoftwareDoc::applySectionDefaults()
{
    CKeySettingData(*this).SetDefaults();
    CAlertToneData(*this).SetDefaults();
    COptionData(*this).SetDefaults();
    CBasicSettingData(*this).SetDefaults();
    CScanData(*this).SetDefaults();
    CEmergencyData(*this).SetDefaults();
    CContactData(*this).SetDefaults();
    CRxGroupData(*this).SetDefaults();
    CEncryptData(*this).SetDefaults();
    CChannelData(*this).SetDefaults();
    C5ToneSystemData(*this).SetDefaults();
    CDtmfData(*this).SetDefaults();
    CAnalogEmergencyData(*this).SetDefaults();
    CEncodeSequenceData(*this).SetDefaults();
    CQuickTextData(*this).SetDefaults();
    CDisplayControlData(*this).SetDefaults();
    CDecodeSequenceData(*this).SetDefaults();
}
