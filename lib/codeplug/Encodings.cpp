#include "codeplug/Encodings.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

// Parsed numbers stop growing here: far beyond every field, far below the
// 64-bit limit, so a text of any length cannot overflow.
constexpr qint64 kSaturation = Q_INT64_C(1000000000000000000);

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isOctalDigit(QChar c) { return c >= u'0' && c <= u'7'; }
bool isBcdDigit(int nibble) { return nibble <= 9; }

// Where the number of a text starts as the C library reads it: past leading
// white space and an optional sign, which sets *negative.
qsizetype skipSpaceAndSign(const QString &text, bool *negative)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    *negative = i < text.size() && text.at(i) == u'-';
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    return i;
}

// The leading decimal integer of a text as the C library reads it: leading
// white space, an optional sign, then digits. Saturates instead of overflowing.
std::optional<qint64> leadingInteger(const QString &text)
{
    bool negative = false;
    qsizetype i = skipSpaceAndSign(text, &negative);
    if (i >= text.size() || !isAsciiDigit(text.at(i)))
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size() && isAsciiDigit(text.at(i)); ++i)
        value = value >= kSaturation / 10 ? kSaturation : value * 10 + (text.at(i).unicode() - u'0');
    return negative ? -value : value;
}

// Reads a decimal text scaled by 10^places: the point moves `places` digits to
// the right (zeros fill in) and further decimals are dropped. Works on the
// text as typed, so "430", "430.1" and " 430.12345678" all read sensibly.
std::optional<qint64> scaledInteger(const QString &text, int places)
{
    // The zeros filled in below must not turn a text without digits into 0.
    if (!std::any_of(text.cbegin(), text.cend(), isAsciiDigit))
        return std::nullopt;
    QString moved = text + QString(places, u'0');
    const qsizetype point = text.indexOf(u'.');
    if (point >= 0) {
        moved.insert(point + places + 1, u'.');
        moved.remove(point, 1);
    }
    return leadingInteger(moved);
}

// The decimal digit of value at position (0 = units), for packing as BCD.
int bcdDigit(qint64 value, int position)
{
    for (int i = 0; i < position; ++i)
        value /= 10;
    return int(value % 10);
}

constexpr qint32 kMaxFrequencyUnits = 99999999;  // 999.99999 MHz
constexpr qint64 kMaxFrequencyHz = qint64(kMaxFrequencyUnits) * 10 + 9;

// Snaps a frequency in Hz to the channel raster: 6.25 kHz when that stays
// within the same kHz, else 2.5 kHz unless it already lies on 2.5 or 3.125 kHz.
qint64 snapToRaster(qint64 hz)
{
    const qint64 onRaster625 = ((hz + 750) / 6250) * 6250;
    if (onRaster625 / 1000 == hz / 1000)
        return onRaster625;
    if (hz % 2500 != 0 && hz % 3125 != 0)
        return (hz / 2500) * 2500;
    return hz;
}

}  // namespace

// ---------------------------------------------------------------- frequency

namespace FrequencyBcd {

qint32 toUnits(const uint8_t *bytes)
{
    qint32 units = 0;
    for (int i = 3; i >= 0; --i) {
        const int high = bytes[i] >> 4;
        const int low = bytes[i] & 0x0F;
        if (!isBcdDigit(high) || !isBcdDigit(low))
            return -1;
        units = units * 100 + high * 10 + low;
    }
    return units;
}

QString unitsToText(qint32 units)
{
    return QString::asprintf("%03d.%05d", units / 100000, units % 100000);
}

QString toText(const uint8_t *bytes)
{
    const qint32 units = toUnits(bytes);
    if (units < 0)
        return QString();
    // The 10 Hz resolution loses the trailing 5 Hz of the 3.125 kHz raster;
    // a value on neither the 6.25 nor the 2.5 kHz raster gets it back.
    const qint64 tenTimes = qint64(units) * 10;
    const bool onCommonRaster = tenTimes % 6250 == 0 || tenTimes % 2500 == 0;
    return unitsToText(units) + (onCommonRaster ? u'0' : u'5');
}

void fromText(const QString &text, uint8_t *bytes)
{
    const std::optional<qint64> parsed = text.isEmpty() ? std::nullopt : scaledInteger(text, 6);
    if (!parsed) {
        std::memset(bytes, 0xFF, 4);
        return;
    }
    // Clamp to what eight BCD digits of 10 Hz can hold before snapping; the
    // snap never leaves that range.
    const qint64 hz = snapToRaster(std::clamp<qint64>(*parsed, 0, kMaxFrequencyHz));
    // Pack the 10 Hz count itself, so frequencies below 100 MHz keep their
    // value instead of being shifted by a missing leading digit.
    const qint64 units = hz / 10;
    for (int byte = 0; byte < 4; ++byte)
        bytes[byte] = uint8_t(bcdDigit(units, 2 * byte + 1) << 4 | bcdDigit(units, 2 * byte));
}

qint64 textToUnits(const QString &text)
{
    const std::optional<qint64> units = scaledInteger(text, 5);
    return (units && *units >= 0) ? *units : -1;
}

int checkInBand(const QString &text, qint32 lower, qint32 upper)
{
    if (text.isEmpty())
        return 0;
    // A text holding no number lies below every band (textToUnits gives -1).
    const qint64 units = textToUnits(text);
    if (units > upper)
        return 1;
    if (units < lower)
        return -1;
    return 0;
}

}  // namespace FrequencyBcd

// --------------------------------------------------------------------- tone

namespace ToneCode {

namespace {

constexpr double kDcsCoefficientHz = 134.4;
constexpr uint8_t kNoTone = 0xFF;
constexpr int kMaxCtcssTenths = 7999;  // byte 1 must stay below 0x80

void storeWord(uint16_t word, uint8_t *at)
{
    at[0] = uint8_t(word & 0xFF);
    at[1] = uint8_t(word >> 8);
}

void storeNoTone(uint8_t *code, uint8_t *coefficients)
{
    std::memset(code, kNoTone, 2);
    std::memset(coefficients, 0xFF, 4);
}

void storeCoefficients(double hz, uint8_t *coefficients)
{
    const ToneCoefficients words = coefficientsFor(hz);
    storeWord(words.first, coefficients);
    storeWord(words.second, coefficients + 2);
}

QStringList buildDcsList(QChar suffix)
{
    static const char *const codes[] = {
        "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
        "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
        "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
        "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
        "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
        "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
        "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
        "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};
    QStringList list;
    for (const char *code : codes)
        list << QStringLiteral("D") + QLatin1String(code) + suffix;
    return list;
}

}  // namespace

ToneCoefficients coefficientsFor(double hz)
{
    if (!std::isfinite(hz))
        return ToneCoefficients{};
    const double first = std::floor(
        2048.0 * std::sqrt(1.999 * (1.0 - std::cos(hz * 0.0010471752447772135))) + 0.5);
    const double second = std::floor(0.5 - 2047.0 * 512.0 * std::cos(hz * 0.0005235876223886067));
    // Both values are bounded by the cosine, so the integer casts are safe.
    return ToneCoefficients{uint16_t(qint64(first)), uint16_t((1 << 20) + qint64(second))};
}

QString toText(const uint8_t *code, const QString &noneText)
{
    const int high = code[1];
    const int low = code[0];
    if (high == kNoTone)
        return noneText;
    if (high < 0x80) {
        // CTCSS: four BCD digits of tenths of a hertz.
        if (!isBcdDigit(high >> 4) || !isBcdDigit(high & 0x0F) || !isBcdDigit(low >> 4)
            || !isBcdDigit(low & 0x0F))
            return noneText;
        return QString::asprintf("%x%x.%x", high, low >> 4, low & 0x0F);
    }
    // DCS: three octal digits, polarity in the top bits of byte 1.
    const int firstDigit = high & 0x0F;
    if (firstDigit > 7 || (low >> 4) > 7 || (low & 0x0F) > 7)
        return noneText;
    return QString::asprintf(high >= 0xC0 ? "D%x%02xI" : "D%x%02xN", firstDigit, low);
}

QString printedText(const uint8_t *code, const QString &noneText)
{
    const int high = code[1];
    const int low = code[0];
    if (high == kNoTone)
        return noneText;
    if (high < 0x80)
        return QString::asprintf("%x%x.%x", high, low >> 4, low & 0x0F);
    return QString::asprintf(high >= 0xC0 ? "D%x%02xI" : "D%x%02xN", high & 0x0F, low);
}

void fromText(const QString &text, uint8_t *code, uint8_t *coefficients)
{
    if (text.isEmpty()) {
        storeNoTone(code, coefficients);
        return;
    }
    const QChar first = text.at(0);
    if (first == u'D' || first == u'd') {
        if (text.size() == 5 && isOctalDigit(text.at(1)) && isOctalDigit(text.at(2))
            && isOctalDigit(text.at(3))) {
            const bool inverted = text.at(4) == u'I' || text.at(4) == u'i';
            code[1] = uint8_t((inverted ? 0xC0 : 0x80) + (text.at(1).unicode() - u'0'));
            code[0] = uint8_t((text.at(2).unicode() - u'0') * 16 + (text.at(3).unicode() - u'0'));
        }
        storeCoefficients(kDcsCoefficientHz, coefficients);
        return;
    }
    if (!isAsciiDigit(first)) {
        storeNoTone(code, coefficients);  // e.g. the "none" entry of a selector
        return;
    }
    // CTCSS in tenths of a hertz; a value whose code would run into the DCS
    // range (800 Hz and up) is no tone the radio has.
    const qint64 tenths = scaledInteger(text, 1).value_or(0);
    if (tenths > kMaxCtcssTenths) {
        storeNoTone(code, coefficients);
        return;
    }
    code[1] = uint8_t(bcdDigit(tenths, 3) << 4 | bcdDigit(tenths, 2));
    code[0] = uint8_t(bcdDigit(tenths, 1) << 4 | bcdDigit(tenths, 0));
    // The words follow the stored tone, so "67.05" gets those of 67.0.
    storeCoefficients(double(tenths) / 10.0, coefficients);
}

const QStringList &ctcssTones()
{
    static const QStringList tones = QStringLiteral(
        "67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 "
        "114.8 118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 159.8 162.2 165.5 167.9 "
        "171.3 173.8 177.3 179.9 183.5 186.2 189.9 192.8 196.6 199.5 203.5 206.5 210.7 218.1 "
        "225.7 229.1 233.6 241.8 250.3 254.1").split(u' ');
    return tones;
}

const QStringList &dcsNormal()
{
    static const QStringList codes = buildDcsList(u'N');
    return codes;
}

const QStringList &dcsInverted()
{
    static const QStringList codes = buildDcsList(u'I');
    return codes;
}

const QStringList &allTones()
{
    static const QStringList tones = ctcssTones() + dcsNormal() + dcsInverted();
    return tones;
}

}  // namespace ToneCode

// ------------------------------------------------------------------ call ID

namespace CallIdBcd {

namespace {

constexpr int kDigits = 7;
constexpr int kWildcardNibble = 0xA;

int nibbleAt(const uint8_t *bytes, int k)
{
    return (k % 2 == 0) ? bytes[k / 2] >> 4 : bytes[k / 2] & 0x0F;
}

void setNibble(uint8_t *bytes, int k, int value)
{
    uint8_t &byte = bytes[k / 2];
    byte = (k % 2 == 0) ? uint8_t((byte & 0x0F) | value << 4) : uint8_t((byte & 0xF0) | value);
}

}  // namespace

QString toText(const uint8_t *bytes, bool allowWildcard)
{
    QString text;
    for (int k = 0; k < kDigits; ++k) {
        const int nibble = nibbleAt(bytes, k);
        if (isBcdDigit(nibble))
            text += QChar(u'0' + nibble);
        else
            text += (allowWildcard && nibble == kWildcardNibble) ? u'*' : u'0';
    }
    return text;
}

void fromText(const QString &text, uint8_t *bytes, bool allowWildcard)
{
    const QChar pad = (allowWildcard && text.contains(u'*')) ? u'*' : u'0';
    // Only seven digits fit; a longer text keeps its first seven.
    const QString digits = text.left(kDigits).rightJustified(kDigits, pad);
    for (int k = 0; k < kDigits; ++k) {
        const QChar c = digits.at(k);
        int value = 0;
        if (isAsciiDigit(c))
            value = c.unicode() - u'0';
        else if (allowWildcard && c == u'*')
            value = kWildcardNibble;
        setNibble(bytes, k, value);
    }
    setNibble(bytes, kDigits, 0);
}

qint32 toNumber(const uint8_t *bytes)
{
    qint32 number = 0;
    for (int k = 0; k < kDigits; ++k) {
        const int nibble = nibbleAt(bytes, k);
        if (!isBcdDigit(nibble))
            return -1;
        number = number * 10 + nibble;
    }
    return number;
}

}  // namespace CallIdBcd

// --------------------------------------------------------------------- name

namespace NameField {

namespace {

constexpr char16_t kErasedUnit = 0xFFFF;

char16_t unitAt(const uint8_t *bytes, int i)
{
    return char16_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
}

}  // namespace

int length(const uint8_t *bytes, int units)
{
    int n = 0;
    // Padding ends the name; an erased unit is padding of an unwritten field.
    while (n < units && unitAt(bytes, n) != 0 && unitAt(bytes, n) != kErasedUnit)
        ++n;
    return n;
}

QString toText(const uint8_t *bytes, int units)
{
    // Every list count reads names: one allocation per name, not per character.
    const int n = length(bytes, units);
    QString text(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i)
        text[i] = QChar(unitAt(bytes, i));
    return text;
}

void fromText(const QString &text, uint8_t *bytes, int units)
{
    if (units <= 0)
        return;
    std::memset(bytes, 0, size_t(units) * 2);
    qsizetype count = std::min<qsizetype>(text.size(), units);
    // Do not leave half of a surrogate pair at the cut.
    if (count < text.size() && count > 0 && text.at(count - 1).isHighSurrogate())
        --count;
    for (qsizetype i = 0; i < count; ++i) {
        const char16_t unit = text.at(i).unicode();
        bytes[2 * i] = uint8_t(unit & 0xFF);
        bytes[2 * i + 1] = uint8_t(unit >> 8);
    }
}

QString truncated(const QString &text, int units)
{
    if (units <= 0)
        return QString();
    // A field wider than the text reads back the whole text; no need to allocate it.
    const int width = int(std::min<qsizetype>(units, text.size() + 1));
    QByteArray field(width * 2, '\0');
    auto *bytes = reinterpret_cast<uint8_t *>(field.data());
    fromText(text, bytes, width);
    return toText(bytes, width);
}

}  // namespace NameField

namespace DecimalTenths {

qint64 fromText(const QString &text)
{
    bool negative = false;
    qsizetype i = skipSpaceAndSign(text, &negative);
    // Hundredths: the whole units, then at most two decimals; the second
    // decides the rounding, later ones cannot change it.
    qint64 hundredths = 0;
    for (; i < text.size() && isAsciiDigit(text.at(i)); ++i)
        hundredths = hundredths >= kSaturation / 10 ? kSaturation : hundredths * 10 + (text.at(i).unicode() - u'0');
    hundredths = hundredths >= kSaturation / 100 ? kSaturation : hundredths * 100;
    if (i < text.size() && text.at(i) == u'.') {
        ++i;
        for (int place = 10; place >= 1 && i < text.size() && isAsciiDigit(text.at(i)); place /= 10, ++i)
            hundredths += (text.at(i).unicode() - u'0') * place;
    }
    const qint64 tenths = (hundredths + 5) / 10;
    return negative ? -tenths : tenths;
}

}  // namespace DecimalTenths
