#include "calibration/AdjustItems.h"
#include "calibration/CalibrationGrid.h"
#include "calibration/CalibrationParameters.h"

#include <gtest/gtest.h>

#include <map>

TEST(CalibrationParameters, EveryValueHasItsOwnBytesInsideTheExchangedArea)
{
    std::map<int, int> owner;  // address -> row
    for (const CalibrationParameter &parameter : CalibrationParameters::all()) {
        const int points = parameter.perPoint ? kFrequencyPointCount : 1;
        for (int point = 0; point < points; ++point) {
            for (int i = 0; i < parameter.byteWidth(); ++i) {
                const int address = parameter.address(point) + i;
                EXPECT_GE(address, kCalibrationAreaStart + 8 * kFrequencyPointCount) << "row " << parameter.row;
                EXPECT_LT(address, kCalibrationAreaEnd) << "row " << parameter.row;
                const auto [it, inserted] = owner.emplace(address, parameter.row);
                EXPECT_TRUE(inserted) << "rows " << it->second << " and " << parameter.row << " share 0x"
                                      << std::hex << address;
            }
        }
    }
    EXPECT_EQ(CalibrationParameters::all().size(), 39);
    EXPECT_EQ(CalibrationParameters::forRow(42), nullptr);
    EXPECT_EQ(CalibrationParameters::forRow(10)->address(4), 0x015E);
    EXPECT_EQ(CalibrationParameters::forRow(5)->address(4), 0x01A1);  // single: the point is ignored

    // Number edit ranges of the table rows: maximum and digits.
    const std::map<int, std::pair<int, int>> expected = {
        {8, {255, 3}}, {26, {63, 2}}, {31, {32767, 5}}, {40, {65535, 5}}, {41, {255, 3}}};
    for (const auto &[row, range] : expected) {
        EXPECT_EQ(CalibrationGrid::editRange(row).maximum, range.first) << row;
        EXPECT_EQ(CalibrationGrid::editRange(row).digits, range.second) << row;
    }
}

TEST(AdjustItems, ListHoldsTheFrequencyAdjustLinesOnlyAbove200MHz)
{
    const QList<int> wide = AdjustItem::listFor(47000000);
    ASSERT_EQ(wide.size(), 103);
    EXPECT_EQ(wide.mid(0, 4), (QList<int>{0, 1, 102, 2}));
    EXPECT_EQ(wide.last(), 101);

    const QList<int> narrow = AdjustItem::listFor(17400000);
    ASSERT_EQ(narrow.size(), 101);
    EXPECT_EQ(AdjustItem::forCode(narrow[1])->label(false), QStringLiteral("High Power(CH1)"));
    EXPECT_EQ(AdjustItem::forCode(narrow[1])->startCode(), 2);
    EXPECT_EQ(AdjustItem::listFor(20000000).size(), 101);
    EXPECT_EQ(AdjustItem::listFor(20000001).size(), 103);
}

TEST(AdjustItems, LabelsPointsAndStartFrames)
{
    // code, label (Chinese when chinese), point letter, start code, TX signal
    struct Expected
    {
        int code;
        const char *label;
        bool chinese;
        char point;
        int startCode;
        int signal;
    };
    const Expected items[] = {
        {1, "Freq Adjust 2K5", false, 'M', 0x01, 0x01},
        {102, "频率调整3K125", true, 'M', 0x24, 0x01},
        {16, "低功率(CH5)", true, 'H', 0x04, 0x01},
        {18, "Digital Modulate(Mod1 and Mod2)(CH2)", false, 'l', 0x05, 0x06},
        {69, "Open SQL 9 (CH3)", false, 'M', 0x1A, kNoCode},
        {88, "VOX 十级开启电平", true, 'M', 0x1F, kNoCode},
        {97, "5 Tone/DTMF(CH1)", false, 'L', 0x23, 0x06},
    };
    for (const Expected &e : items) {
        const AdjustItem &item = *AdjustItem::forCode(e.code);
        EXPECT_EQ(item.label(e.chinese), QString::fromUtf8(e.label)) << e.code;
        EXPECT_EQ(item.pointLetter(), e.point) << e.code;
        EXPECT_EQ(item.startCode(), e.startCode) << e.code;
        EXPECT_EQ(item.startSignal(), e.signal) << e.code;
        EXPECT_EQ(item.wideBand(), e.code == 1) << e.code;
        // Transmit controls for 0-56 and 102; the BER test signal preset for 17-101.
        EXPECT_EQ(item.showsTransmitControls(), e.code <= 56 || e.code == 102) << e.code;
        EXPECT_EQ(item.defaultSignalIndex(), e.code >= 17 && e.code <= 101 ? TransmitSignals::kBerTest
                                                                           : TransmitSignals::kCarrier);
    }
    EXPECT_EQ(AdjustItem::forCode(103), nullptr);
}

TEST(AdjustItems, ScrollBarsFollowTheFamilyAndTheBalanceSwitch)
{
    // Digital modulation: VCO 1 / VCO 2 / gain, or TCXO 1 / TCXO 2 / VCO 2 in the balance set.
    const AdjustItem &digital = *AdjustItem::forCode(18);
    EXPECT_EQ(digital.scrollBars(false)[0].maximum, 63);
    EXPECT_EQ(digital.scrollBars(true)[0].setCode, 0x07);
    EXPECT_EQ(digital.scrollBars(true)[2].setCode, 0x06);
    EXPECT_EQ(AdjustItem::forCode(52)->scrollBars(true)[1].setCode, 0x15);  // DCS balance 2
    EXPECT_EQ(AdjustItem::forCode(2)->scrollBars(true)[0].setCode, 0x02);  // no balance set: unchanged
    // Measured levels: the bar shows the stored value and tunes nothing.
    const ScrollBarSetup squelch = AdjustItem::forCode(75)->scrollBars()[0];
    EXPECT_FALSE(squelch.enabled);
    EXPECT_EQ(squelch.row, 28);
    EXPECT_EQ(squelch.setCode, kNoCode);
    // Stepping left from the minimum wraps to the maximum and back.
    EXPECT_EQ(wrapScrollPosition(0, -1, 63), 63);
    EXPECT_EQ(wrapScrollPosition(65535, +1, 65535), 0);
}

TEST(AdjustItems, MeasuredValuesAndFrequencyStatics)
{
    EXPECT_EQ(AdjustItem::forCode(67)->measureCode(), 0x1A);
    EXPECT_EQ(AdjustItem::forCode(91)->measureIntervalMs(), 100);
    EXPECT_EQ(AdjustItem::forCode(94)->measureCode(), 0x18);
    EXPECT_EQ(AdjustItem::forCode(92)->measureIntervalMs(), 1000);

    CalibrationImage image;
    EXPECT_TRUE(AdjustItem::forCode(87)->storeMeasurement(image, 1234));  // VOX 1, a word
    EXPECT_EQ(image.bytes(0x0252, 2), QByteArray::fromHex("d204"));
    EXPECT_TRUE(AdjustItem::forCode(71)->storeMeasurement(image, 77));    // 9_Noise_Open CH5
    EXPECT_EQ(image.byteAt(0x022A + 4), 77);
    // A level beyond the byte is kept at the largest value, not cut to its low byte.
    EXPECT_TRUE(AdjustItem::forCode(89)->storeMeasurement(image, 300));
    EXPECT_EQ(image.byteAt(0x0256), 255);
    // The bit-error-rate items store nothing.
    const CalibrationImage before = image;
    EXPECT_FALSE(AdjustItem::forCode(93)->storeMeasurement(image, 5));
    EXPECT_EQ(image, before);

    // The frequency statics show the item's point; items 1 and 102 their fixed frequency.
    image.setBytes(0x0100 + 8 * 1, QByteArray::fromHex("50025043"));  // CH2 RX 435.00250
    EXPECT_EQ(AdjustItem::forCode(3)->frequencyLabel(image, CalibrationImage::Direction::Receive, false),
              QStringLiteral("RX Freq: 435.00250"));
    EXPECT_EQ(AdjustItem::forCode(2)->frequencyLabel(image, CalibrationImage::Direction::Receive, false),
              QStringLiteral("RX Freq: "));
    EXPECT_EQ(AdjustItem::forCode(102)->frequencyLabel(image, CalibrationImage::Direction::Transmit, true),
              QString::fromUtf8("发射频率: 446.003125"));
}

TEST(AdjustItems, UnconfirmedItemsAreThoseWhoseValuesDifferFromTheConfirmedImage)
{
    CalibrationImage confirmed;
    confirmed.setBytes(kCalibrationAreaStart, QByteArray(kCalibrationAreaEnd - kCalibrationAreaStart, 0));
    CalibrationImage tuned = confirmed;
    const QList<int> codes = AdjustItem::listFor(48000000);
    EXPECT_TRUE(AdjustItem::unconfirmedItems(tuned, confirmed, codes).isEmpty());
    tuned.setValue(6, 1, 200);      // High Power at CH2: item 3
    tuned.setValue(12, 4, 65535);   // TCXO 2 at CH5, a balance bar of item 21
    tuned.setValue(31, 2, 1234);    // VOX 1, measured: item 87
    EXPECT_EQ(AdjustItem::unconfirmedItems(tuned, confirmed, codes), (QList<int>{3, 21, 87}));
    // Only the listed items are named.
    EXPECT_EQ(AdjustItem::unconfirmedItems(tuned, confirmed, {2, 3}), QList<int>{3});
}
