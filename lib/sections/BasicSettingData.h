#pragma once

#include "sections/SectionData.h"

#include <QString>

// Digital basic settings at 0x4C20-0x4C2C: the radio's own call ID, the
// group-call start ID, three call hang times, the wake-up preamble and four
// call permissions.
class CBasicSettingData : public CSectionData
{
public:
    explicit CBasicSettingData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

    static constexpr int kMaxHangTime = 60;       // list index, steps of 0.5 s
    static constexpr int kMaxPreambleFrames = 8;

    // IDs as 7-digit texts; a non-digit nibble reads as "0". Setting pads on
    // the left with "0" and stores any non-digit character as 0.
    QString GetRadioId() const;
    void SetRadioId(const QString &text);
    QString GetGroupCallStartId() const;
    void SetGroupCallStartId(const QString &text);
    // The numeric values of the two ID texts, for comparing call IDs.
    int GetRadioIdValue() const;
    int GetGroupCallStartIdValue() const;

    // Hang times as list indices 0..60 (0.0..30.0 s); the stored byte is
    // returned as it is. Setters refuse indices outside 0..60.
    int GetGroupHangTime() const;
    bool SetGroupHangTime(int index);
    int GetPrivateHangTime() const;
    bool SetPrivateHangTime(int index);
    int GetMixedHangTime() const;
    bool SetMixedHangTime(int index);

    // Call permissions: bits 0..3 of 0x4C27; bits 4..7 are kept.
    bool GetAllowGroupCall() const;
    void SetAllowGroupCall(bool on);
    bool GetAllowAllCall() const;
    void SetAllowAllCall(bool on);
    bool GetRemoteKillDecode() const;
    void SetRemoteKillDecode(bool on);
    bool GetPrivateCallEnable() const;
    void SetPrivateCallEnable(bool on);

    // Wake-up preamble frames 0..8 (stored byte as it is; setter refuses others).
    int GetPreambleFrames() const;
    bool SetPreambleFrames(int frames);

    // Radio ID 0000001, hang times 2.5 / 1.5 / 2.5 s, group and all calls
    // allowed, remote kill decoding and private calls off, no preamble,
    // start ID 1000000.
    void SetDefaults();
};
