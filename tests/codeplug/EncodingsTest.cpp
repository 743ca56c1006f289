#include "codeplug/Encodings.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace {

using Bytes4 = std::array<uint8_t, 4>;

std::string hex(const uint8_t *bytes, int count) { return bytesAt(bytes, 0, count).toStdString(); }

std::string storedFrequency(const QString &text)
{
    Bytes4 bytes{0x12, 0x34, 0x56, 0x78};
    FrequencyBcd::fromText(text, bytes.data());
    return hex(bytes.data(), 4);
}

struct StoredTone
{
    std::string code;
    std::string coefficients;
};

StoredTone storedTone(const QString &text, Bytes4 initialCode = {0x11, 0x22})
{
    std::array<uint8_t, 6> field{initialCode[0], initialCode[1], 0, 0, 0, 0};
    ToneCode::fromText(text, field.data(), field.data() + 2);
    return {hex(field.data(), 2), hex(field.data() + 2, 4)};
}

}  // namespace

TEST(FrequencyBcdTest, TextToBytesSnapsToTheChannelRaster)
{
    const struct { const char *text; const char *bytes; } cases[] = {
        {"434.125", "00 25 41 43"},
        {"433.003125", "12 03 30 43"},  // on the 3.125 kHz raster: kept
        {"434.126", "00 25 41 43"},     // snapped to 434.125
        {"150.0125", "50 12 00 15"},    // on the 2.5 kHz raster: kept
        {"150.0138", "50 12 00 15"},    // 2.5 kHz raster
        {"145.00625", "25 06 50 14"},   // 6.25 kHz raster within the same kHz
        {"430", "00 00 00 43"},
        {"  430.1", "00 00 01 43"},     // leading blanks are skipped
        {"", "FF FF FF FF"},
        {"abc", "FF FF FF FF"},
        {".", "FF FF FF FF"},
        {".5", "00 00 05 00"},
        {"54.125", "00 25 41 05"},      // below 100 MHz keeps its value
        {"-5", "00 00 00 00"},          // clamped to the field
        {"99999999999999999999999999999999999999999999999999", "50 97 99 99"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(storedFrequency(QString::fromUtf8(c.text)), c.bytes) << c.text;
}

TEST(FrequencyBcdTest, BytesToTextRestoresTheTrailingFiveHertz)
{
    const struct { Bytes4 bytes; const char *text; qint32 units; } cases[] = {
        {{0x00, 0x25, 0x41, 0x43}, "434.125000", 43412500},
        {{0x12, 0x03, 0x30, 0x43}, "433.003125", 43300312},
        {{0x50, 0x12, 0x00, 0x15}, "150.012500", 15001250},
        {{0x00, 0x25, 0x41, 0x05}, "054.125000", 5412500},
        {{0xFF, 0xFF, 0xFF, 0xFF}, "", -1},
        {{0x00, 0x00, 0x00, 0xA0}, "", -1},  // not BCD: not a frequency
        {{0x0A, 0x00, 0x00, 0x43}, "", -1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FrequencyBcd::toText(c.bytes.data()), c.text) << c.text;
        EXPECT_EQ(FrequencyBcd::toUnits(c.bytes.data()), c.units) << c.text;
    }
    // Every displayed text stores back to the same value.
    for (const char *text : {"433.003125", "150.012500", "446.006250", "054.125000", "999.997500"}) {
        Bytes4 bytes;
        FrequencyBcd::fromText(text, bytes.data());
        EXPECT_EQ(FrequencyBcd::toText(bytes.data()), text);
    }
}

TEST(FrequencyBcdTest, UnitsAndBandCheck)
{
    EXPECT_EQ(FrequencyBcd::unitsToText(10000000), "100.00000");
    EXPECT_EQ(FrequencyBcd::unitsToText(13600000), "136.00000");
    EXPECT_EQ(FrequencyBcd::unitsToText(5), "000.00005");

    const struct { const char *text; qint64 units; int band; } cases[] = {
        {"430.125", 43012500, 0},
        {"430", 43000000, 0},
        {"470.00000", 47000000, 0},
        {"470.00001", 47000001, 1},
        {"399.99999", 39999999, -1},
        {"400.000009", 40000000, 0},  // the sixth decimal is dropped
        {"", -1, 0},                  // empty is no entry yet
        {"x", -1, -1},
        {"-430", -1, -1},
        {"1.2.3.4", 12, -1},          // read up to the second point
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FrequencyBcd::textToUnits(c.text), c.units) << c.text;
        EXPECT_EQ(FrequencyBcd::checkInBand(c.text, 40000000, 47000000), c.band) << c.text;
    }
    const QString fiftyDigits(50, u'9');
    EXPECT_GT(FrequencyBcd::textToUnits(fiftyDigits), 47000000);
    EXPECT_EQ(FrequencyBcd::checkInBand(fiftyDigits + ".5", 40000000, 47000000), 1);
    EXPECT_EQ(FrequencyBcd::checkInBand("430." + fiftyDigits, 40000000, 47000000), 0);
}

TEST(ToneCodeTest, TextToCodeAndCoefficients)
{
    const struct { const char *text; const char *code; const char *words; } cases[] = {
        {"67.0", "70 06", "90 00 85 04"},     // 144, 1157
        {"100.0", "00 10", "D6 00 9C 07"},    // 214, 1948
        {"100", "00 10", "D6 00 9C 07"},
        {"67.05", "70 06", "90 00 85 04"},    // further decimals dropped
        {"254.1", "41 25", "1F 02 2E 26"},    // 543, 9774
        {"D023N", "23 80", "20 01 22 0C"},    // 288, 3106
        {"d754i", "54 C7", "20 01 22 0C"},
        {"D754I", "54 C7", "20 01 22 0C"},
        {"D089N", "11 22", "20 01 22 0C"},    // malformed: code kept
        {"D02", "11 22", "20 01 22 0C"},
        {"D0231", "23 80", "20 01 22 0C"},    // any fifth character but I is normal
        {"", "FF FF", "FF FF FF FF"},
        {"None", "FF FF", "FF FF FF FF"},
        {" 67.0", "FF FF", "FF FF FF FF"},
        {"800", "FF FF", "FF FF FF FF"},      // would read as a DCS code
        {"99999999999999999999999999999999999999999999999999", "FF FF", "FF FF FF FF"},
    };
    for (const auto &c : cases) {
        const StoredTone stored = storedTone(QString::fromUtf8(c.text));
        EXPECT_EQ(stored.code, c.code) << c.text;
        EXPECT_EQ(stored.coefficients, c.words) << c.text;
    }
    EXPECT_EQ(ToneCode::coefficientsFor(std::nan("")).first, 0xFFFF);
}

TEST(ToneCodeTest, CodeToText)
{
    const struct { Bytes4 code; const char *text; } cases[] = {
        {{0x70, 0x06}, "67.0"},
        {{0x00, 0x10}, "100.0"},
        {{0x41, 0x25}, "254.1"},
        {{0x23, 0x80}, "D023N"},
        {{0x54, 0xC7}, "D754I"},
        {{0xFF, 0xFF}, "none"},
        {{0x7A, 0x06}, "none"},  // not BCD
        {{0x28, 0x80}, "none"},  // not octal
    };
    for (const auto &c : cases)
        EXPECT_EQ(ToneCode::toText(c.code.data(), "none"), c.text) << c.text;
}

TEST(ToneCodeTest, ListsAreInSelectorOrderAndRoundTrip)
{
    EXPECT_EQ(ToneCode::ctcssTones().size(), 50);
    EXPECT_EQ(ToneCode::ctcssTones().first(), "67.0");
    EXPECT_EQ(ToneCode::ctcssTones().at(12), "100.0");
    EXPECT_EQ(ToneCode::ctcssTones().last(), "254.1");
    EXPECT_EQ(ToneCode::dcsNormal().size(), 104);
    EXPECT_EQ(ToneCode::dcsNormal().first(), "D023N");
    EXPECT_EQ(ToneCode::dcsInverted().last(), "D754I");
    ASSERT_EQ(ToneCode::allTones().size(), 258);
    EXPECT_EQ(ToneCode::allTones().at(50), "D023N");
    EXPECT_EQ(ToneCode::allTones().at(154), "D023I");
    for (const QString &tone : ToneCode::allTones()) {
        std::array<uint8_t, 6> field{};
        ToneCode::fromText(tone, field.data(), field.data() + 2);
        EXPECT_EQ(ToneCode::toText(field.data(), "none"), tone);
    }
}

TEST(CallIdBcdTest, BothWays)
{
    const struct { const char *text; bool wildcard; const char *bytes; const char *readBack; } cases[] = {
        {"1000001", false, "10 00 00 10", "1000001"},
        {"12", false, "00 00 01 20", "0000012"},
        {"12*", true, "AA AA 12 A0", "****12*"},
        {"12*", false, "00 00 12 00", "0000120"},  // "*" is no digit for radio IDs
        {"12", true, "00 00 01 20", "0000012"},
        {"", false, "00 00 00 00", "0000000"},
        {"123456789", false, "12 34 56 70", "1234567"},  // only seven digits fit
        {"12ä4", false, "00 01 20 40", "0001204"},
    };
    for (const auto &c : cases) {
        Bytes4 bytes{0xFF, 0xFF, 0xFF, 0xFF};
        CallIdBcd::fromText(QString::fromUtf8(c.text), bytes.data(), c.wildcard);
        EXPECT_EQ(hex(bytes.data(), 4), c.bytes) << c.text;
        EXPECT_EQ(CallIdBcd::toText(bytes.data(), c.wildcard), c.readBack) << c.text;
    }
    const Bytes4 wild{0xAA, 0xAA, 0x12, 0xA0}, unset{0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(CallIdBcd::toText(wild.data(), false), "0000120");
    EXPECT_EQ(CallIdBcd::toText(unset.data(), true), "0000000");
    EXPECT_EQ(CallIdBcd::toNumber(wild.data()), -1);
    const Bytes4 id{0x10, 0x00, 0x00, 0x1F};
    EXPECT_EQ(CallIdBcd::toNumber(id.data()), 1000001);  // the eighth nibble is not a digit
}

TEST(NameFieldTest, FixedWidthUtf16)
{
    std::array<uint8_t, 40> field;
    field.fill(0xEE);
    const QString twenty = "ABCDEFGHIJKLMNOPQRST";
    NameField::fromText(twenty, field.data(), NameField::kNameUnits);
    EXPECT_EQ(NameField::toText(field.data(), NameField::kNameUnits), "ABCDEFGHIJKLMN");
    EXPECT_EQ(NameField::truncated(twenty, NameField::kNameUnits), "ABCDEFGHIJKLMN");
    EXPECT_EQ(field[28], 0xEE);  // nothing written past the field

    NameField::fromText(QString::fromUtf8("Zone ä中"), field.data(), NameField::kNameUnits);
    EXPECT_EQ(bytesAt(field.data(), 10, 6), "E4 00 2D 4E 00 00");
    EXPECT_EQ(NameField::toText(field.data(), NameField::kNameUnits), QString::fromUtf8("Zone ä中"));

    // A surrogate pair cut by the field width is dropped whole.
    const QString emoji = QString(13, u'x') + QString::fromUtf8("😀");
    EXPECT_EQ(NameField::truncated(emoji, NameField::kNameUnits), QString(13, u'x'));

    for (uint8_t fill : {0x00, 0xFF}) {
        field.fill(fill);
        EXPECT_EQ(NameField::toText(field.data(), NameField::kQuickTextUnits), "");
    }
    EXPECT_EQ(NameField::truncated("abc", 0), "");
}

TEST(ListRefTest, OutOfRangeIsNone)
{
    EXPECT_EQ(ListRef::read(0x00, 16), 0);
    EXPECT_EQ(ListRef::read(0xFF, 200), 0);
    EXPECT_EQ(ListRef::read(17, 16), 0);
    EXPECT_EQ(ListRef::read(16, 16), 16);
    EXPECT_EQ(ListRef::encode(0, 16), 0xFF);
    EXPECT_EQ(ListRef::encode(17, 16), 0xFF);
    EXPECT_EQ(ListRef::encode(200, 200), 200);
}
