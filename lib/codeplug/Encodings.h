#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// The recurring encodings of the codeplug image. Every conversion is a pure
// function over bytes and text; out-of-form input gives the documented
// fallback, never an error. Pointers name the first byte of the field; the
// caller guarantees the field's width lies inside its buffer.

// Frequency: 4 bytes of packed BCD in 10 Hz units, low byte first
// (434.125 MHz is stored 00 25 41 43); FF FF FF FF is unset.
namespace FrequencyBcd {
// "434.125000": six decimals, the sixth restores a trailing 5 Hz of the
// 3.125 kHz raster. Empty when unset.
QString toText(const uint8_t *bytes);
// Stores a typed text, snapped to the 6.25 kHz or 2.5 kHz raster; an empty
// text stores FF FF FF FF.
void fromText(const QString &text, uint8_t *bytes);
// The 10 Hz count as "%03d.%05d" (10000000 gives "100.00000").
QString unitsToText(qint32 units);
// The stored 10 Hz count, or -1 when the bytes are not a frequency.
qint32 toUnits(const uint8_t *bytes);
// A typed text read as a 10 Hz count (digits beyond the fifth decimal
// dropped), or -1 when it holds no number.
qint64 textToUnits(const QString &text);
// -1 below lower, +1 above upper, 0 inside or for an empty text.
int checkInBand(const QString &text, qint32 lower, qint32 upper);
}

// The two 16-bit words the radio's tone detector needs, stored beside a
// tone code whenever it is set; 0xFFFF in both for no tone.
struct ToneCoefficients
{
    uint16_t first = 0xFFFF;
    uint16_t second = 0xFFFF;
};

// Sub-audio tone: 2 bytes (CTCSS in BCD tenths of a hertz, DCS in octal with
// the polarity in the high byte) and its coefficient words.
namespace ToneCode {
// The coefficient words for a tone of hz (DCS codes use 134.4).
ToneCoefficients coefficientsFor(double hz);
// "67.0", "D023N", "D754I", or noneText when no tone is set.
QString toText(const uint8_t *code, const QString &noneText);
// Stores the tone named by text: code into code[0..1], the coefficient words
// into coefficients[0..3] (low byte first). An empty text or one that starts
// with neither a digit nor "D" stores no tone (FF FF and FFFF FFFF). A
// malformed "D" text leaves the code bytes as they were.
void fromText(const QString &text, uint8_t *code, uint8_t *coefficients);
const QStringList &ctcssTones();   // the 50 CTCSS tones
const QStringList &dcsNormal();    // the 104 DCS codes, suffix "N"
const QStringList &dcsInverted();  // the same codes, suffix "I"
const QStringList &allTones();     // the 258 entries of a tone selector, in that order
}

// Call ID: 7 decimal digits as packed BCD, most significant first; the eighth
// nibble is 0. Contact IDs also admit the wildcard digit 0xA, shown as "*".
namespace CallIdBcd {
QString toText(const uint8_t *bytes, bool allowWildcard);
void fromText(const QString &text, uint8_t *bytes, bool allowWildcard);
// The numeric value of a stored ID, or -1 when a nibble is not a digit.
qint32 toNumber(const uint8_t *bytes);
}

// Name: a fixed number of UTF-16LE units padded with 0x0000; a first unit of
// 0x0000 or 0xFFFF is the empty name.
namespace NameField {
constexpr int kNameUnits = 14;       // zones, channels, contacts, lists, keys
constexpr int kQuickTextUnits = 16;  // quick texts
QString toText(const uint8_t *bytes, int units);
// The number of UTF-16 units toText reads (0: no name).
int length(const uint8_t *bytes, int units);
// Clears the field and stores the first `units` UTF-16 units of text.
void fromText(const QString &text, uint8_t *bytes, int units);
// The text as it would read back after fromText (cut to the field width).
QString truncated(const QString &text, int units);
}

// A time typed in whole seconds and stored in tenths (VOX hold time, scan
// look-back times).
namespace DecimalTenths {
// The typed number in tenths, rounded to the nearest tenth with halves away
// from zero: "2.57" is 26, "2.54" 25, "3" 30, ".5" 5. Reading stops at the
// first character that is not part of the number; no digits give 0.
qint64 fromText(const QString &text);
}

// One-byte 1-based reference into another list; 0 is none and stores 0xFF.
namespace ListRef {
inline int read(uint8_t byte, int bound) { return (byte >= 1 && byte <= bound) ? byte : 0; }
inline uint8_t encode(int number, int bound)
{
    return (number >= 1 && number <= bound) ? uint8_t(number) : uint8_t(0xFF);
}
}

// A (zone, channel) pair naming a channel; (0, 0) is no channel.
struct ChannelRef
{
    int zone = 0;
    int channel = 0;
    bool isSet() const { return zone != 0 && channel != 0; }
    bool operator==(const ChannelRef &) const = default;
};
