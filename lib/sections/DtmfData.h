#pragma once

#include "sections/SectionData.h"

// DTMF system at 0x7220-0x7224. Times are stored in 10 ms units and handed
// in and out in milliseconds.
class CDtmfData : public CSectionData
{
public:
    explicit CDtmfData(CPcSoftwareDoc &doc) : CSectionData(doc) {}

    static constexpr int kMaxDCode = 16;

    // Getters: byte x 10 ms. Setters: ms / 10, kept to a byte.
    int GetFirstDigitTime() const;
    void SetFirstDigitTime(int ms);
    int GetFirstDigitDelay() const;
    void SetFirstDigitDelay(int ms);
    int GetDigitInterval() const;
    void SetDigitInterval(int ms);
    int GetDigitDuration() const;
    void SetDigitDuration(int ms);

    // D code 1..16, 0 = off (returned as stored); setter refuses other values.
    int GetDCode() const;
    bool SetDCode(int code);

    // 100 ms, 100 ms, 30 ms, 30 ms, D code 0.
    void SetDefaults();
};
