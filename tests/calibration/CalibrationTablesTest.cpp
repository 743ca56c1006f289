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
    EXPECT_EQ(CalibrationParameters::forRow(2), nullptr);
    EXPECT_EQ(CalibrationParameters::forRow(42), nullptr);
    const CalibrationParameter *vco2 = CalibrationParameters::forRow(10);
    ASSERT_NE(vco2, nullptr);
    EXPECT_EQ(vco2->address(4), 0x015E);
    EXPECT_EQ(vco2->address(5), -1);
    EXPECT_EQ(CalibrationParameters::forRow(5)->address(4), 0x01A1);  // single: the point is ignored
    EXPECT_EQ(CalibrationParameters::forRow(41)->address(4), 0x026D);
    EXPECT_EQ(CalibrationParameters::forRow(33)->label(false), QStringLiteral("RSSI 1(-120dBm)"));
    EXPECT_EQ(CalibrationParameters::forRow(21)->label(true), QString::fromUtf8("DCS平衡1"));

    // Number edit ranges of the table rows.
    const std::map<int, std::pair<int, int>> expected = {
        {3, {255, 3}},   {8, {255, 3}},   {9, {63, 2}},    {10, {65535, 5}}, {25, {63, 2}},
        {26, {63, 2}},   {30, {255, 3}},  {31, {32767, 5}}, {39, {32767, 5}}, {40, {65535, 5}},
        {41, {255, 3}},
    };
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
    EXPECT_EQ(AdjustItem::forCode(-1), nullptr);
    EXPECT_EQ(AdjustItem::forCode(103), nullptr);

    const AdjustItem &openSql = *AdjustItem::forCode(69);
    EXPECT_EQ(openSql.label(false), QStringLiteral("Open SQL 9 (CH3)"));
    EXPECT_EQ(openSql.label(true), QString::fromUtf8("9级打开静噪(CH3)"));
    EXPECT_EQ(openSql.pointLetter(), 'M');
    EXPECT_EQ(openSql.startSignal(), kNoCode);

    const AdjustItem &lowPower = *AdjustItem::forCode(16);
    EXPECT_EQ(lowPower.label(false), QStringLiteral("Low Power(CH5)"));
    EXPECT_EQ(lowPower.point(), 4);
    EXPECT_EQ(lowPower.pointLetter(), 'H');
    EXPECT_EQ(lowPower.startCode(), 0x04);
    EXPECT_EQ(lowPower.startSignal(), 0x01);

    const AdjustItem &adjust2k5 = *AdjustItem::forCode(1);
    EXPECT_TRUE(adjust2k5.wideBand());
    EXPECT_EQ(adjust2k5.pointLetter(), 'M');
    EXPECT_EQ(AdjustItem::forCode(102)->startCode(), 0x24);
    EXPECT_FALSE(AdjustItem::forCode(102)->wideBand());
    EXPECT_EQ(AdjustItem::forCode(91)->label(false), QStringLiteral("RX Low Volt"));
    EXPECT_EQ(AdjustItem::forCode(91)->pointLetter(), 'M');
    EXPECT_EQ(AdjustItem::forCode(97)->label(true), QString::fromUtf8("5音/DTMF(CH1)"));
    EXPECT_EQ(AdjustItem::forCode(97)->startSignal(), 0x06);

    // Which items show the transmit controls, and the signal they start with.
    EXPECT_TRUE(AdjustItem::forCode(56)->showsTransmitControls());
    EXPECT_TRUE(AdjustItem::forCode(102)->showsTransmitControls());
    EXPECT_FALSE(AdjustItem::forCode(97)->showsTransmitControls());
    EXPECT_EQ(AdjustItem::forCode(16)->defaultSignalIndex(), TransmitSignals::kCarrier);
    EXPECT_EQ(AdjustItem::forCode(17)->defaultSignalIndex(), TransmitSignals::kBerTest);
    EXPECT_EQ(AdjustItem::forCode(102)->defaultSignalIndex(), TransmitSignals::kCarrier);
    EXPECT_EQ(TransmitSignals::all()[TransmitSignals::kBerTest].label(false), QStringLiteral("TX BER Test"));
}

TEST(AdjustItems, ScrollBarsFollowTheFamilyAndTheBalanceSwitch)
{
    const AdjustItem &digital = *AdjustItem::forCode(18);
    ASSERT_TRUE(digital.hasBalanceSet());
    const ScrollBarSet deviation = digital.scrollBars(false);
    EXPECT_EQ(deviation[0].row, 9);
    EXPECT_EQ(deviation[0].maximum, 63);
    EXPECT_EQ(deviation[1].setCode, 0x06);
    EXPECT_EQ(deviation[2].caption(false), QStringLiteral("Digital Modulate Plus"));
    const ScrollBarSet balance = digital.scrollBars(true);
    EXPECT_EQ(balance[0].setCode, 0x07);
    EXPECT_EQ(balance[0].caption(true), QString::fromUtf8("数字TCXO调制1"));
    EXPECT_EQ(balance[2].row, 10);

    const AdjustItem &dcs = *AdjustItem::forCode(52);
    EXPECT_EQ(dcs.scrollBars(false)[0].setCode, 0x16);
    EXPECT_FALSE(dcs.scrollBars(false)[1].visible);
    EXPECT_EQ(dcs.scrollBars(true)[1].setCode, 0x15);
    EXPECT_EQ(dcs.rows(), (QList<int>{21, 22, 23}));

    // A family without a balance set keeps its bars when asked for one.
    EXPECT_FALSE(AdjustItem::forCode(2)->hasBalanceSet());
    EXPECT_EQ(AdjustItem::forCode(2)->scrollBars(true)[0].setCode, 0x02);

    // Measured levels: the bar shows the stored value and tunes nothing.
    const ScrollBarSetup squelch = AdjustItem::forCode(75)->scrollBars()[0];
    EXPECT_TRUE(squelch.visible);
    EXPECT_FALSE(squelch.enabled);
    EXPECT_EQ(squelch.row, 28);
    EXPECT_EQ(squelch.setCode, kNoCode);
    // The bit-error-rate items tune the digital receive gain.
    const ScrollBarSetup ber = AdjustItem::forCode(92)->scrollBars()[0];
    EXPECT_TRUE(ber.enabled);
    EXPECT_EQ(ber.setCode, 0x18);
    EXPECT_EQ(ber.maximum, 63);

    EXPECT_EQ(wrapScrollPosition(0, -1, 63), 63);
    EXPECT_EQ(wrapScrollPosition(65535, +1, 65535), 0);
    EXPECT_EQ(wrapScrollPosition(10, +1, 255), 11);
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
    EXPECT_EQ(AdjustItem::forCode(3)->frequencyLabel(image, CalibrationImage::Direction::Transmit, true),
              QString::fromUtf8("发射频率: 446.00312"));
    // An erased point shows no number; items 1 and 102 show their fixed frequency.
    EXPECT_EQ(AdjustItem::forCode(2)->frequencyLabel(image, CalibrationImage::Direction::Receive, false),
              QStringLiteral("RX Freq: "));
    EXPECT_EQ(AdjustItem::forCode(102)->frequencyLabel(image, CalibrationImage::Direction::Transmit, false),
              QStringLiteral("TX Freq: 446.003125"));
}
