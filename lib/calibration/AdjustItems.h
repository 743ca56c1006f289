#pragma once

#include "calibration/CalibrationImage.h"

#include <QList>
#include <QString>
#include <array>

// The items of the single-item adjust mode: what each item is called, which
// frames start it, which parameters its three scroll bars tune, and whether
// the radio measures it. Item codes run 0..102; families of five items serve
// the frequency points CH1..CH5 in turn.

constexpr int kAdjustItemCount = 103;
constexpr qint32 kNarrowBandLimit = 20000000;  // 200 MHz in 10 Hz units
constexpr int kScrollBarCount = 3;             // controls 1781, 1783, 1785

// One of the signals the radio transmits while a transmit item is tuned.
struct TransmitSignal
{
    int code;               // s of the "CPT" s frame
    const char *chinese;    // UTF-8
    const char *english;
    QString label(bool chinese) const;
};

namespace TransmitSignals {
// In the order of the signal list: carrier, 4FSK, 100 Hz, 400 Hz, analog tone, BER test.
const QList<TransmitSignal> &all();
constexpr int kCarrier = 0;
constexpr int kAnalogTone = 4;   // sent as the 7-byte tone frame
constexpr int kBerTest = 5;
constexpr int kToneFrequencyMin = 1;
constexpr int kToneFrequencyMax = 3000;
constexpr int kToneFrequencyDefault = 1000;
constexpr int kToneLevelMax = 255;
}

// A scroll bar step of -1 or +1 that wraps from 0 to maximum and back.
int wrapScrollPosition(int position, int step, int maximum);

// What one scroll bar does for an item.
struct ScrollBarSetup
{
    bool visible = false;
    bool enabled = false;
    int row = 0;                   // parameter row it shows and tunes
    int setCode = kNoCode;         // code of the set-value frame; kNoCode sends nothing
    int maximum = 0;               // range 0..maximum
    const char *chineseCaption = "";  // empty: the caption stays hidden
    const char *englishCaption = "";
    QString caption(bool chinese) const;
};
using ScrollBarSet = std::array<ScrollBarSetup, kScrollBarCount>;

class AdjustItem
{
public:
    // The item of a code, or nullptr for a code outside 0..102.
    static const AdjustItem *forCode(int code);
    // The lines of the item list in order: 0, 1, 102, 2..101; without 1 and
    // 102 when the band ends at or below 200 MHz (101 lines instead of 103).
    static QList<int> listFor(qint32 upperBandLimit);

    int code() const { return m_code; }
    // 0..4 for CH1..CH5; single items use CH3.
    int point() const { return m_point; }
    QString label(bool chinese) const;
    int startCode() const;
    char pointLetter() const;        // 'L', 'l', 'M', 'h', 'H'
    bool wideBand() const;           // "CBWU" instead of "CBNU"
    // The signal the item start ends with, or kNoCode for receive items.
    int startSignal() const;
    // The transmit-signal controls are shown (items 0-56 and 102).
    bool showsTransmitControls() const;
    // Position in the signal list when the item starts: BER test for items
    // 17-101, carrier otherwise.
    int defaultSignalIndex() const;
    // Has a deviation and a balance set of scroll bars (items 17-21, 52-56).
    bool hasBalanceSet() const;
    ScrollBarSet scrollBars(bool balance = false) const;
    // Parameter rows the item tunes (copied by save, restored by quit).
    QList<int> rows() const;

    // Measured items (67-96) poll the radio instead of setting a value.
    bool isMeasured() const { return m_code >= 67 && m_code <= 96; }
    int measureCode() const;         // kNoCode unless measured
    bool measuresBitErrorRate() const { return m_code >= 92 && m_code <= 96; }
    int measureIntervalMs() const { return measuresBitErrorRate() ? 1000 : 100; }
    // The row a latched measurement is stored into, or 0 when nothing is
    // stored (the bit-error-rate items).
    int latchRow() const;
    // Stores a latched measurement at the item's point: byte rows as one
    // byte, the VOX levels as a word. A value above the row's range is
    // stored as its maximum rather than cut to its low byte. False when
    // the item stores nothing.
    bool storeMeasurement(CalibrationImage &image, quint32 value) const;

    // Whether the item's parameters at its point differ between two images.
    bool differs(const CalibrationImage &a, const CalibrationImage &b) const;
    // The items of codes whose values in tuned the radio has not confirmed:
    // those that differ from confirmed, the image of the last accepted save.
    static QList<int> unconfirmedItems(const CalibrationImage &tuned, const CalibrationImage &confirmed,
                                       const QList<int> &codes);

    // "RX Freq: 435.00250" / "接收频率: ..." for the item's point; items 1
    // and 102 show the fixed frequency of their raster.
    QString frequencyLabel(const CalibrationImage &image, CalibrationImage::Direction direction,
                           bool chinese) const;

private:
    explicit AdjustItem(int code);

    int m_code = 0;
    int m_point = 2;
};
