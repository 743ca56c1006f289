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
}

TEST(CalibrationParameters, RowsAddressesAndEditRanges)
{
    EXPECT_EQ(CalibrationParameters::forRow(42), nullptr);
    EXPECT_EQ(CalibrationParameters::forRow(10)->address(4), 0x015E);
    EXPECT_EQ(CalibrationParameters::forRow(10)->address(5), -1);
    EXPECT_EQ(CalibrationParameters::forRow(5)->address(4), 0x01A1);  // single: the point is ignored

    // Number edit ranges of the table rows.
    const std::map<int, std::pair<int, int>> expected = {
        {8, {255, 3}}, {26, {63, 2}}, {31, {32767, 5}}, {40, {65535, 5}}, {41, {255, 3}}};
    for (const auto &[row, range] : expected) {
        EXPECT_EQ(CalibrationGrid::editRange(row).maximum, range.first) << row;
        EXPECT_EQ(CalibrationGrid::editRange(row).digits, range.second) << row;
    }
    EXPECT_EQ(CalibrationGrid::editRange(1).maximum, -1);
}

TEST(AdjustItems, ListHoldsTheFrequencyAdjustLinesOnlyAbove200MHz)
{
    const QList<int> wide = AdjustItem::listFor(47000000);
    ASSERT_EQ(wide.size(), 103);
    EXPECT_EQ(wide.mid(0, 4), (QList<int>{0, 1, 102, 2}));
    EXPECT_EQ(wide.last(), 101);

    const QList<int> narrow = AdjustItem::listFor(17400000);
    ASSERT_EQ(narrow.size(), 101);
    EXPECT_EQ(narrow[1], 2);
    EXPECT_EQ(AdjustItem::forCode(narrow[1])->label(false), QStringLiteral("High Power(CH1)"));
    EXPECT_EQ(AdjustItem::listFor(20000000).size(), 101);
    EXPECT_EQ(AdjustItem::listFor(20000001).size(), 103);
}

TEST(AdjustItems, LabelsPointsAndStartFrames)
{
    EXPECT_EQ(AdjustItem::forCode(103), nullptr);
    EXPECT_EQ(AdjustItem::forCode(69)->label(false), QStringLiteral("Open SQL 9 (CH3)"));
    EXPECT_EQ(AdjustItem::forCode(16)->label(true), QString::fromUtf8("低功率(CH5)"));
    EXPECT_EQ(AdjustItem::forCode(16)->pointLetter(), 'H');
    EXPECT_EQ(AdjustItem::forCode(1)->pointLetter(), 'M');  // single items use CH3
    EXPECT_TRUE(AdjustItem::forCode(1)->wideBand());
    EXPECT_EQ(AdjustItem::forCode(69)->startSignal(), kNoCode);
    EXPECT_TRUE(AdjustItem::forCode(102)->showsTransmitControls());
    EXPECT_FALSE(AdjustItem::forCode(97)->showsTransmitControls());
    EXPECT_EQ(AdjustItem::forCode(17)->defaultSignalIndex(), TransmitSignals::kBerTest);
}

TEST(AdjustItems, ScrollBarsFollowTheFamilyAndTheBalanceSwitch)
{
    const AdjustItem &digital = *AdjustItem::forCode(18);
    ASSERT_TRUE(digital.hasBalanceSet());
    EXPECT_EQ(digital.scrollBars(false)[0].maximum, 63);
    EXPECT_EQ(digital.scrollBars(false)[1].setCode, 0x06);
    EXPECT_EQ(digital.scrollBars(true)[0].setCode, 0x07);
    EXPECT_EQ(digital.scrollBars(true)[2].row, 10);
    const AdjustItem &dcs = *AdjustItem::forCode(52);
    EXPECT_EQ(dcs.scrollBars(false)[0].setCode, 0x16);
    EXPECT_FALSE(dcs.scrollBars(false)[1].visible);
    EXPECT_EQ(dcs.scrollBars(true)[1].setCode, 0x15);
    // A family without a balance set keeps its bars when asked for one.
    EXPECT_EQ(AdjustItem::forCode(2)->scrollBars(true)[0].setCode, 0x02);
    // Measured levels: the bar shows the stored value and tunes nothing.
    const ScrollBarSetup squelch = AdjustItem::forCode(75)->scrollBars()[0];
    EXPECT_FALSE(squelch.enabled);
    EXPECT_EQ(squelch.row, 28);
    EXPECT_EQ(squelch.setCode, kNoCode);
    EXPECT_EQ(AdjustItem::forCode(92)->scrollBars()[0].setCode, 0x18);

    EXPECT_EQ(wrapScrollPosition(0, -1, 63), 63);
    EXPECT_EQ(wrapScrollPosition(65535, +1, 65535), 0);
}

TEST(AdjustItems, MeasurementsAreTimedAndStoredPerItem)
{
    EXPECT_FALSE(AdjustItem::forCode(66)->isMeasured());
    EXPECT_EQ(AdjustItem::forCode(67)->measureCode(), 0x1A);
    EXPECT_EQ(AdjustItem::forCode(67)->measureIntervalMs(), 100);
    EXPECT_EQ(AdjustItem::forCode(94)->measureCode(), 0x18);
    EXPECT_EQ(AdjustItem::forCode(94)->measureIntervalMs(), 1000);

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
}

TEST(AdjustItems, FrequencyLabelsShowTheItemsPoint)
{
    CalibrationImage image;
    image.setBytes(0x0100 + 8 * 1, QByteArray::fromHex("50025043"));      // CH2 RX 435.00250
    image.setBytes(0x0100 + 8 * 1 + 4, QByteArray::fromHex("12036044"));  // CH2 TX 446.00312
    EXPECT_EQ(AdjustItem::forCode(3)->frequencyLabel(image, CalibrationImage::Direction::Receive, false),
              QStringLiteral("RX Freq: 435.00250"));
    // An erased point shows no number; items 1 and 102 show their fixed frequency.
    EXPECT_EQ(AdjustItem::forCode(2)->frequencyLabel(image, CalibrationImage::Direction::Receive, false),
              QStringLiteral("RX Freq: "));
    EXPECT_EQ(AdjustItem::forCode(102)->frequencyLabel(image, CalibrationImage::Direction::Transmit, false),
              QStringLiteral("TX Freq: 446.003125"));
}
