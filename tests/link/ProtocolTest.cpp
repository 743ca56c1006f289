#include "TestSupport.h"

#include "link/PortNames.h"
#include "link/ProgrammingProtocol.h"
#include "link/TransferPreparation.h"

#include <gtest/gtest.h>

using namespace Protocol;

TEST(Protocol, FramesCarryAddressHighByteFirst)
{
    EXPECT_EQ(readBlockFrame(0xD1C0).toHex(' '), "52 d1 c0 40");
    uint8_t image[0x10000];
    for (int i = 0; i < 0x10000; ++i)
        image[i] = uint8_t(i * 3);
    const QByteArray frame = writeBlockFrame(0x0280, image);
    ASSERT_EQ(frame.size(), 69);
    EXPECT_EQ(frame.left(4).toHex(' '), "57 02 80 40");
    EXPECT_EQ(frame.mid(4, 64), QByteArray(reinterpret_cast<const char *>(image + 0x0280), 64));
    EXPECT_EQ(frame[68], 0);
    const uint8_t model[8] = {'R', 'Q', '3', '8', '1', 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(setModelFrame(model).toHex(' '), "53 52 51 33 38 31 ff ff ff 00");
}

TEST(Protocol, WriteSkipsCalibrationAreaAndEverythingFrom0xD200)
{
    int written = 0;
    for (int a = 0; a < 0x10000; a += 64)
        written += isWrittenBlock(a);
    EXPECT_EQ(written, kWrittenBlockCount);
    for (int a : {0x00C0, 0x0280, 0xD1C0})
        EXPECT_TRUE(isWrittenBlock(a)) << a;
    for (int a : {0x0100, 0x0240, 0xD200, 0x0290})
        EXPECT_FALSE(isWrittenBlock(a)) << a;
}

TEST(Protocol, ProgressReachesHundredOnTheLastBlock)
{
    EXPECT_EQ(readProgress(0), 0);
    EXPECT_EQ(readProgress(511), 50);
    EXPECT_EQ(readProgress(1022), 99);
    EXPECT_EQ(readProgress(1023), 100);
    EXPECT_EQ(writeProgress(3), 0);
    EXPECT_EQ(writeProgress(419), 50);
    EXPECT_EQ(writeProgress(839), 100);
}

TEST(Protocol, VersionTextsFromTheVersionReply)
{
    QByteArray reply = QByteArray("V1.02A") + QByteArray("D2\0xyz", 6) + QByteArray::fromHex("00ff10a0b0c0d0e0f001");
    const RadioVersionInfo info = RadioVersionInfo::fromReply(reinterpret_cast<const uint8_t *>(reply.constData()), 22);
    EXPECT_EQ(info.mcuVersion, "V1.02A");  // six characters without a zero byte
    EXPECT_EQ(info.dataVersion, "D2");     // cut at the zero byte
    EXPECT_EQ(info.cid, "00ff10a0b0c0d0e0f001");
    EXPECT_TRUE(RadioVersionInfo::fromReply(reinterpret_cast<const uint8_t *>(reply.constData()), 21).cid.isEmpty());
}

TEST(TransferPreparation, StampsTheTimeAndResetsFieldsByModel)
{
    // The time as packed digits; then, by model, 0x8002, 0x4C28 and 0x4660 (bits 2..3) of an erased image.
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("RQ381"), QStringLiteral("00 FF FF")}, {QStringLiteral("TL809"), QStringLiteral("FF 00 F3")},
        {QStringLiteral("RQ381S"), QStringLiteral("FF FF FF")}, {QStringLiteral("VK214"), QStringLiteral("FF FF FF")}};
    for (const auto &[model, expected] : cases) {
        std::vector<uint8_t> image(0x10000, 0xFF);
        TransferPreparation::prepareCommon(image.data(), model, QDateTime(QDate(2024, 3, 5), QTime(7, 8, 59)));
        EXPECT_EQ(bytesAt(image.data(), 0x30, 7), "20 24 03 05 07 08 59");
        const uint8_t fields[] = {image[0x8002], image[0x4C28], image[0x4660]};
        EXPECT_EQ(bytesAt(fields, 0, 3), expected) << qPrintable(model);
        std::fill_n(image.begin() + 0x30, 7, 0xFF);
        image[0x8002] = image[0x4C28] = image[0x4660] = 0xFF;
        EXPECT_TRUE(allBytesAre(image.data(), 0, 0x10000, 0xFF)) << "other bytes changed for " << qPrintable(model);
    }
}

TEST(TransferPreparation, WriteSetsWriteOnlyBytesAndTheDefaultTable)
{
    TestDocument fresh;
    TestDocument edited;
    std::fill_n(edited.image() + 0x4580, 192, 0x00);
    std::fill_n(edited.image() + 0x7100, 5, 0x00);
    TransferPreparation::prepareWrite(*edited.doc, QDateTime::currentDateTime());
    EXPECT_EQ(bytesAt(edited.image(), 0x7100, 5), "FF FF FF 01 01");
    EXPECT_EQ(bytesAt(edited.image(), 0x4580, 192), bytesAt(fresh.image(), 0x4580, 192));
}

TEST(PortNames, NumbersPathsAndTheStoredPort)
{
    TestConfig config;
    AppSettings &settings = config.settings();
    EXPECT_EQ(PortNames::resolve(&settings, QStringLiteral("/dev/ttyUSB0")), "/dev/ttyUSB0");
    settings.writeSetting(QStringLiteral("ports"), QStringLiteral("2"), QStringLiteral("/dev/radio-cable"));
    EXPECT_EQ(PortNames::resolve(&settings, QStringLiteral(" 2 ")), "/dev/radio-cable");

    config.writeSettings("[setup]\nmodel=RQ381\n");
    EXPECT_EQ(PortNames::storedPort(settings), "1");  // absent: port 1
    config.writeSettings("[setup]\ncom=\n");
    EXPECT_EQ(PortNames::storedPort(settings), "");  // present but empty: no port
}
