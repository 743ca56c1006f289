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
    EXPECT_TRUE(isWrittenBlock(0x00C0));
    EXPECT_FALSE(isWrittenBlock(0x0100));
    EXPECT_FALSE(isWrittenBlock(0x0240));
    EXPECT_TRUE(isWrittenBlock(0x0280));
    EXPECT_TRUE(isWrittenBlock(0xD1C0));
    EXPECT_FALSE(isWrittenBlock(0xD200));
    EXPECT_FALSE(isWrittenBlock(0x0290));  // not a block start
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

TEST(Protocol, EndStatuses)
{
    EXPECT_FALSE(isEndStatus(TransferStatus::Idle));
    EXPECT_FALSE(isEndStatus(TransferStatus::Progress));
    for (TransferStatus s : {TransferStatus::PortError, TransferStatus::ReadFailed, TransferStatus::ReadDone,
                             TransferStatus::WriteFailed, TransferStatus::WriteDone,
                             TransferStatus::ModelMismatchOverwritable, TransferStatus::ModelMismatch})
        EXPECT_TRUE(isEndStatus(s)) << statusName(s);
}

TEST(TransferPreparation, StampsTheTimeAsPackedDigits)
{
    uint8_t image[0x10000];
    std::fill(std::begin(image), std::end(image), 0xFF);
    TransferPreparation::stampProgramTime(image, QDateTime(QDate(2024, 3, 5), QTime(7, 8, 59)));
    EXPECT_EQ(bytesAt(image, 0x30, 7), "20 24 03 05 07 08 59");
    EXPECT_EQ(image[0x2F], 0xFF);
    EXPECT_EQ(image[0x37], 0xFF);
}

TEST(TransferPreparation, ResetsDependOnTheModel)
{
    const QDateTime now(QDate(2023, 12, 31), QTime(23, 59, 0));
    auto prepared = [&](const QString &model) {
        std::vector<uint8_t> image(0x10000, 0xFF);
        TransferPreparation::prepareCommon(image.data(), model, now);
        return image;
    };
    const auto rq381 = prepared(QStringLiteral("RQ381"));
    EXPECT_EQ(rq381[0x8002], 0);
    EXPECT_EQ(rq381[0x4C28], 0xFF);
    EXPECT_EQ(rq381[0x4660], 0xFF);
    const auto tl809 = prepared(QStringLiteral("TL809"));
    EXPECT_EQ(tl809[0x8002], 0xFF);
    EXPECT_EQ(tl809[0x4C28], 0);
    EXPECT_EQ(tl809[0x4660], 0xF3);
    for (const QString &model : {QStringLiteral("RQ381S"), QStringLiteral("VK214")}) {
        auto other = prepared(model);
        EXPECT_EQ(bytesAt(other.data(), 0x30, 7), "20 23 12 31 23 59 00");
        std::fill_n(other.begin() + 0x30, 7, 0xFF);
        EXPECT_TRUE(allBytesAre(other.data(), 0, 0x10000, 0xFF)) << qPrintable(model);
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
    int n = 0;
    EXPECT_TRUE(PortNames::isNumber(QStringLiteral(" 12 "), &n));
    EXPECT_EQ(n, 12);
    EXPECT_FALSE(PortNames::isNumber(QStringLiteral("/dev/ttyUSB0")));
    EXPECT_EQ(PortNames::resolve(&settings, QStringLiteral("/dev/ttyUSB0")), "/dev/ttyUSB0");
    EXPECT_EQ(PortNames::resolve(&settings, QStringLiteral("0")), "");
    EXPECT_EQ(PortNames::resolve(&settings, QStringLiteral("17")), "");
    settings.writeSetting(QStringLiteral("ports"), QStringLiteral("2"), QStringLiteral("/dev/radio-cable"));
    EXPECT_EQ(PortNames::resolve(&settings, QStringLiteral("2")), "/dev/radio-cable");

    config.writeSettings("[setup]\nmodel=RQ381\n");
    EXPECT_EQ(PortNames::storedPort(settings), "1");  // absent: port 1
    config.writeSettings("[setup]\ncom=\n");
    EXPECT_EQ(PortNames::storedPort(settings), "");  // present but empty: no port
    config.writeSettings("[setup]\ncom=/dev/pts/9\n");
    EXPECT_EQ(PortNames::storedPort(settings), "/dev/pts/9");
}
