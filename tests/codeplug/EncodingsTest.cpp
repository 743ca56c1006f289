#include "codeplug/Encodings.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace {

using Bytes4 = std::array<uint8_t, 4>;

std::string hex(const uint8_t *bytes, int count) { return bytesAt(bytes, 0, count).toStdString(); }

// The code and its coefficient words as stored over a code of 11 22.
std::string storedTone(const QString &text)
{
    std::array<uint8_t, 6> field{0x11, 0x22, 0, 0, 0, 0};
    ToneCode::fromText(text, field.data(), field.data() + 2);
    return hex(field.data(), 6);
}

const QString kFiftyNines(50, u'9');

}  // namespace

TEST(FrequencyBcdTest, TextToBytesAndBack)
{
    const struct { QString text; const char *bytes; const char *shown; } cases[] = {
        {"434.125", "00 25 41 43", "434.125000"}, {"434.126", "00 25 41 43", "434.125000"},
        {"433.003125", "12 03 30 43", "433.003125"}, {"145.00625", "25 06 50 14", "145.006250"},
        {"150.0125", "50 12 00 15", "150.012500"}, {"150.0138", "50 12 00 15", "150.012500"},
        {"430", "00 00 00 43", "430.000000"}, {"  430.1", "00 00 01 43", "430.100000"},
        {".5", "00 00 05 00", "000.500000"}, {"54.125", "00 25 41 05", "054.125000"},
        {"", "FF FF FF FF", ""}, {"abc", "FF FF FF FF", ""}, {".", "FF FF FF FF", ""},
        {"-5", "00 00 00 00", "000.000000"}, {kFiftyNines, "50 97 99 99", "999.997500"},  // clamped
    };
    for (const auto &c : cases) {
        Bytes4 bytes{0x12, 0x34, 0x56, 0x78};
        FrequencyBcd::fromText(c.text, bytes.data());
        EXPECT_EQ(hex(bytes.data(), 4), c.bytes) << c.text.toStdString();
        EXPECT_EQ(FrequencyBcd::toText(bytes.data()), c.shown) << c.text.toStdString();
    }
    const Bytes4 notBcd{0x0A, 0x00, 0x00, 0x43}, frequency{0x12, 0x03, 0x30, 0x43};
    EXPECT_EQ(FrequencyBcd::toText(notBcd.data()), "");
    EXPECT_EQ(FrequencyBcd::toUnits(notBcd.data()), -1);
    EXPECT_EQ(FrequencyBcd::toUnits(frequency.data()), 43300312);
}

TEST(FrequencyBcdTest, UnitsAndBandCheck)
{
    EXPECT_EQ(FrequencyBcd::unitsToText(10000000), "100.00000");
    const struct { QString text; qint64 units; int band; } cases[] = {
        {"430", 43000000, 0}, {"470.00000", 47000000, 0}, {"470.00001", 47000001, 1},
        {"399.99999", 39999999, -1}, {"400.000009", 40000000, 0},  // the sixth decimal is dropped
        {"", -1, 0}, {"x", -1, -1}, {"-430", -1, -1}, {"430." + kFiftyNines, 43099999, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FrequencyBcd::textToUnits(c.text), c.units) << c.text.toStdString();
        EXPECT_EQ(FrequencyBcd::checkInBand(c.text, 40000000, 47000000), c.band) << c.text.toStdString();
    }
    EXPECT_EQ(FrequencyBcd::checkInBand(kFiftyNines + ".5", 40000000, 47000000), 1);
}

TEST(ToneCodeTest, TextToCodeAndCoefficients)
{
    const struct { QString text; const char *stored; } cases[] = {
        {"67.0", "70 06 90 00 85 04"}, {"67.05", "70 06 90 00 85 04"},  // words 144, 1157
        {"100.0", "00 10 D6 00 9C 07"}, {"100", "00 10 D6 00 9C 07"},    // 214, 1948
        {"254.1", "41 25 1F 02 2E 26"},                                   // 543, 9774
        {"D023N", "23 80 20 01 22 0C"}, {"D754I", "54 C7 20 01 22 0C"},  // 288, 3106
        {"d754i", "54 C7 20 01 22 0C"}, {"D0231", "23 80 20 01 22 0C"},
        {"D089N", "11 22 20 01 22 0C"}, {"D02", "11 22 20 01 22 0C"},    // malformed: code kept
        {"", "FF FF FF FF FF FF"}, {"None", "FF FF FF FF FF FF"}, {" 67.0", "FF FF FF FF FF FF"},
        {"800", "FF FF FF FF FF FF"},  // its code would read as a DCS code
        {kFiftyNines, "FF FF FF FF FF FF"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(storedTone(c.text), c.stored) << c.text.toStdString();
    EXPECT_EQ(ToneCode::coefficientsFor(std::nan("")).first, 0xFFFF);
}

TEST(ToneCodeTest, SelectorListsInOrderAndEveryEntryRoundTrips)
{
    EXPECT_EQ(ToneCode::ctcssTones().size(), 50);
    EXPECT_EQ(ToneCode::dcsNormal().size(), 104);
    ASSERT_EQ(ToneCode::allTones().size(), 258);
    EXPECT_EQ(ToneCode::allTones().mid(48, 3), QStringList({"250.3", "254.1", "D023N"}));
    EXPECT_EQ(ToneCode::allTones().mid(153, 2), QStringList({"D754N", "D023I"}));
    for (const QString &tone : ToneCode::allTones()) {
        std::array<uint8_t, 6> field{};
        ToneCode::fromText(tone, field.data(), field.data() + 2);
        EXPECT_EQ(ToneCode::toText(field.data(), "none"), tone);
    }
    for (Bytes4 code : {Bytes4{0xFF, 0xFF}, Bytes4{0x7A, 0x06}, Bytes4{0x28, 0x80}})
        EXPECT_EQ(ToneCode::toText(code.data(), "none"), "none");  // unset, not BCD, not octal
}

TEST(CallIdBcdTest, BothWays)
{
    const struct { QString text; bool wildcard; const char *bytes; const char *readBack; } cases[] = {
        {"1000001", false, "10 00 00 10", "1000001"}, {"12", false, "00 00 01 20", "0000012"},
        {"12*", true, "AA AA 12 A0", "****12*"}, {"12", true, "00 00 01 20", "0000012"},
        {"12*", false, "00 00 12 00", "0000120"},  // "*" is no digit for radio IDs
        {"", false, "00 00 00 00", "0000000"}, {"12ä4", false, "00 01 20 40", "0001204"},
        {"123456789", false, "12 34 56 70", "1234567"},  // only seven digits fit
    };
    for (const auto &c : cases) {
        Bytes4 bytes{0xFF, 0xFF, 0xFF, 0xFF};
        CallIdBcd::fromText(c.text, bytes.data(), c.wildcard);
        EXPECT_EQ(hex(bytes.data(), 4), c.bytes) << c.text.toStdString();
        EXPECT_EQ(CallIdBcd::toText(bytes.data(), c.wildcard), c.readBack) << c.text.toStdString();
    }
    const Bytes4 wild{0xAA, 0xAA, 0x12, 0xA0}, id{0x10, 0x00, 0x00, 0x1F};
    EXPECT_EQ(CallIdBcd::toText(wild.data(), false), "0000120");
    EXPECT_EQ(CallIdBcd::toNumber(wild.data()), -1);
    EXPECT_EQ(CallIdBcd::toNumber(id.data()), 1000001);  // the eighth nibble is ignored
}

TEST(NameFieldTest, FixedWidthUtf16)
{
    std::array<uint8_t, 40> field;
    field.fill(0xEE);
    NameField::fromText("ABCDEFGHIJKLMNOPQRST", field.data(), NameField::kNameUnits);
    EXPECT_EQ(NameField::toText(field.data(), NameField::kNameUnits), "ABCDEFGHIJKLMN");
    EXPECT_EQ(field[28], 0xEE);  // nothing written past the field

    NameField::fromText("Zone ä中", field.data(), NameField::kNameUnits);
    EXPECT_EQ(hex(field.data() + 10, 6), "E4 00 2D 4E 00 00");
    EXPECT_EQ(NameField::toText(field.data(), NameField::kNameUnits), "Zone ä中");

    // A surrogate pair cut by the field width is dropped whole.
    EXPECT_EQ(NameField::truncated(QString(13, u'x') + "😀", NameField::kNameUnits), QString(13, u'x'));
    EXPECT_EQ(NameField::truncated("abc", 0), "");
    for (uint8_t fill : {0x00, 0xFF}) {
        field.fill(fill);
        EXPECT_EQ(NameField::toText(field.data(), NameField::kQuickTextUnits), "");
    }
}

TEST(ListRefTest, OutOfRangeIsNone)
{
    for (uint8_t outOfRange : {0x00, 0x11, 0xFF})
        EXPECT_EQ(ListRef::read(outOfRange, 16), 0);
    EXPECT_EQ(ListRef::read(16, 16), 16);
    EXPECT_EQ(ListRef::encode(0, 16), 0xFF);
    EXPECT_EQ(ListRef::encode(17, 16), 0xFF);
}

TEST(DecimalTenthsTest, RoundsToTheNearestTenth)
{
    const std::pair<const char *, qint64> cases[] = {
        {"2.57", 26}, {"2.54", 25}, {"2.55", 26}, {"2.5", 25}, {"3", 30}, {".5", 5},
        {"25.59", 256},  // the caller clamps to its limits
        {"2.549", 25},   // only the hundredths decide
        {" -1.25", -13}, {"2.5x7", 25}, {"2.", 20}, {"", 0}, {"abc", 0},
    };
    for (const auto &[text, tenths] : cases)
        EXPECT_EQ(DecimalTenths::fromText(QString::fromLatin1(text)), tenths) << text;
    EXPECT_GT(DecimalTenths::fromText(kFiftyNines), 0);  // saturates, never wraps
}
