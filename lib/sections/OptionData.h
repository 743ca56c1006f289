#pragma once

#include "sections/SectionData.h"

#include <QString>

// Option features at 0x4660-0x466A, plus the power-on password (0x00B0) and
// the embedded-information text (0x0070). Inverted bits are 0 when the
// feature is on; bits no field names are never changed.
class COptionData : public CSectionData
{
public:
    explicit COptionData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

    static constexpr int kPasswordLength = 8;
    static constexpr int kEmbeddedInfoUnits = 32;

    bool GetTxLed() const;                 // 0x4660 bit 0
    void SetTxLed(bool on);
    bool GetRxLed() const;                 // 0x4660 bit 1
    void SetRxLed(bool on);
    int GetBatterySave() const;            // 0x4660 bits 2..3, list index 0..3
    bool SetBatterySave(int index);
    bool GetWhisper() const;               // 0x4660 bit 4, inverted
    void SetWhisper(bool on);

    // Seconds: getter byte x 5, setter seconds / 5 (kept to a byte); 0 = off.
    int GetTimeOutTimer() const;
    void SetTimeOutTimer(int seconds);
    // Seconds, one byte each (kept to 0..255); 0 = off.
    int GetTotPreAlert() const;
    void SetTotPreAlert(int seconds);
    int GetTotRekey() const;
    void SetTotRekey(int seconds);
    int GetTotReset() const;
    void SetTotReset(int seconds);

    int GetSquelchLevel() const;           // list index 0..9, stored byte as it is
    bool SetSquelchLevel(int level);

    bool GetVoxEnable() const;             // 0x4666 bit 0, inverted
    void SetVoxEnable(bool on);
    bool GetPttCancelsVox() const;         // 0x4666 bit 1, inverted
    void SetPttCancelsVox(bool on);
    bool GetRxPttInhibit() const;          // 0x4666 bit 2, inverted
    void SetRxPttInhibit(bool on);

    // One byte each, returned as stored; setters keep the value to 0..255.
    int GetVoxSensitivity() const;         // 1..10
    void SetVoxSensitivity(int level);
    int GetVoxHoldTime() const;            // tenths of a second, 1..255
    void SetVoxHoldTime(int tenths);
    int GetRemoteMonitorTime() const;      // seconds, 1..255
    void SetRemoteMonitorTime(int seconds);
    int GetHangUp() const;                 // list index
    bool SetHangUp(int index);

    // Up to 8 ASCII digits filled with 0xFF. Empty when 0x00B0 and 0x00B1 are
    // both 0xFF; otherwise the text ends at the first 0xFF (or 0x00).
    QString GetPowerOnPassword() const;
    // Fills the 8 bytes with 0xFF and stores the first 8 characters (up to
    // the first one that is not ASCII).
    void SetPowerOnPassword(const QString &text);

    // 32 UTF-16LE units, zero-filled after the text; empty when the first
    // unit is 0x0000 or 0xFFFF.
    QString GetEmbeddedInfo() const;
    void SetEmbeddedInfo(const QString &text);

    // The factory values of 0x4660-0x466A (battery save 0 for TL809); the
    // password and the embedded text are left as they are.
    void SetDefaults();
};
