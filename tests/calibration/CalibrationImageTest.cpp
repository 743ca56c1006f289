#include "calibration/CalibrationGrid.h"
#include "calibration/CalibrationImage.h"
#include "calibration/TestDataFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray fileContent(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
}

}

TEST(CalibrationImage, StartsErasedAndRefusesOutOfRangeAccess)
{
    CalibrationImage image;
    EXPECT_EQ(image.toByteArray(), QByteArray(kCalibrationImageSize, char(0xFF)));
    EXPECT_EQ(image.byteAt(kCalibrationImageSize), -1);
    EXPECT_TRUE(image.bytes(kCalibrationImageSize - 1, 2).isEmpty());
    EXPECT_FALSE(image.setBytes(kCalibrationImageSize - 1, QByteArray(2, 0)));
    EXPECT_EQ(image.byteAt(kCalibrationImageSize - 1), 0xFF);
    EXPECT_EQ(image.value(10, 5), -1);
    EXPECT_FALSE(image.setValue(10, -1, 1));
}

TEST(CalibrationImage, ValuesAreStoredInTheirWidthAndRange)
{
    CalibrationImage image;
    EXPECT_TRUE(image.setValue(10, 2, 0x1234));  // VCO 2 at CH3: 0x0156 + 4
    EXPECT_EQ(image.bytes(0x015A, 2), QByteArray::fromHex("3412"));
    EXPECT_EQ(image.value(10, 2), 0x1234);
    EXPECT_TRUE(image.setValue(9, 0, 63));
    EXPECT_EQ(image.bytes(0x0151, 2), QByteArray::fromHex("3fff"));  // the next point is untouched

    // Outside the row's range nothing is written.
    EXPECT_FALSE(image.setValue(9, 0, 64));
    EXPECT_FALSE(image.setValue(31, 0, 32768));
    EXPECT_FALSE(image.setValue(6, 0, -1));
    EXPECT_EQ(image.byteAt(0x0151), 63);
    EXPECT_EQ(image.bytes(0x0252, 2), QByteArray::fromHex("ffff"));
}

TEST(CalibrationGrid, CellsHoldValuesOnlyWhereTheTableHasThem)
{
    const qint32 uhf = 47000000;
    // Frequencies and per-point rows: columns 1..5.
    EXPECT_TRUE(CalibrationGrid::isEditable(1, 1, uhf));
    EXPECT_TRUE(CalibrationGrid::isEditable(6, 5, uhf));
    EXPECT_FALSE(CalibrationGrid::isEditable(6, 6, uhf));
    EXPECT_FALSE(CalibrationGrid::isEditable(0, 1, uhf));
    EXPECT_FALSE(CalibrationGrid::isEditable(42, 1, uhf));
    // Single rows: column 3 only; the 2K5 and 3K125 adjustments only above 200 MHz.
    EXPECT_TRUE(CalibrationGrid::isEditable(3, 3, uhf));
    EXPECT_FALSE(CalibrationGrid::isEditable(3, 2, uhf));
    EXPECT_FALSE(CalibrationGrid::isEditable(40, 4, uhf));
    EXPECT_TRUE(CalibrationGrid::isEditable(4, 3, uhf));
    EXPECT_FALSE(CalibrationGrid::isEditable(4, 3, 17400000));
    EXPECT_FALSE(CalibrationGrid::isEditable(5, 3, 20000000));
    EXPECT_TRUE(CalibrationGrid::isEditable(3, 3, 17400000));

    CalibrationImage image;
    EXPECT_TRUE(CalibrationGrid::setCellValue(image, 31, 3, 1234));
    EXPECT_EQ(CalibrationGrid::cellText(image, 31, 3), QStringLiteral("1234"));
    EXPECT_TRUE(CalibrationGrid::cellText(image, 31, 2).isEmpty());
    EXPECT_FALSE(CalibrationGrid::setCellValue(image, 31, 2, 1));
    EXPECT_FALSE(CalibrationGrid::setCellValue(image, 1, 1, 1));  // frequencies take text
    // Frequencies go to RX 0x0100 + 8p and TX 0x0104 + 8p.
    EXPECT_TRUE(CalibrationGrid::setFrequencyText(image, 2, 5, QStringLiteral("446.003125")));
    EXPECT_EQ(CalibrationGrid::cellText(image, 2, 5), QStringLiteral("446.003125"));
    EXPECT_EQ(image.bytes(0x0124, 4), QByteArray::fromHex("12036044"));
    EXPECT_TRUE(CalibrationGrid::setFrequencyText(image, 1, 1, QStringLiteral("435.0025")));
    EXPECT_EQ(image.bytes(0x0100, 4), QByteArray::fromHex("50025043"));
    EXPECT_TRUE(CalibrationGrid::setFrequencyText(image, 1, 1, QString()));
    EXPECT_EQ(image.bytes(0x0100, 4), QByteArray::fromHex("ffffffff"));
    EXPECT_TRUE(CalibrationGrid::cellText(image, 1, 1).isEmpty());
    EXPECT_EQ(CalibrationGrid::cellText(image, 6, 1), QStringLiteral("255"));
    EXPECT_TRUE(CalibrationGrid::cellText(image, 6, 7).isEmpty());
    EXPECT_EQ(CalibrationGrid::columnHeader(8, false), QStringLiteral("Freq 8"));
}

TEST(TestDataFile, SaveAndLoadKeepEveryByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("radio.test"));
    CalibrationImage image;
    for (int i = 0; i < kCalibrationImageSize; ++i)
        image.data()[i] = uint8_t(i * 31 + 7);
    ASSERT_TRUE(TestDataFile::save(path, image));
    EXPECT_EQ(fileContent(path), image.toByteArray());

    CalibrationImage loaded;
    EXPECT_EQ(TestDataFile::load(path, loaded), TestDataFile::LoadResult::Loaded);
    EXPECT_EQ(loaded, image);

    // Saving again replaces the file as a whole.
    CalibrationImage erased;
    ASSERT_TRUE(TestDataFile::save(path, erased));
    EXPECT_EQ(fileContent(path), erased.toByteArray());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("radio.test")});
}

TEST(TestDataFile, WrongFilesLeaveTheImageAsItWas)
{
    QTemporaryDir dir;
    CalibrationImage image;
    image.setValue(6, 0, 42);
    const CalibrationImage before = image;

    EXPECT_EQ(TestDataFile::load(dir.filePath(QStringLiteral("missing.test")), image),
              TestDataFile::LoadResult::CannotOpen);
    const QString shortFile = dir.filePath(QStringLiteral("short.test"));
    writeFile(shortFile, QByteArray(kCalibrationImageSize - 1, 0));
    EXPECT_EQ(TestDataFile::load(shortFile, image), TestDataFile::LoadResult::WrongSize);
    const QString longFile = dir.filePath(QStringLiteral("long.test"));
    writeFile(longFile, QByteArray(kCalibrationImageSize + 1, 0));
    EXPECT_EQ(TestDataFile::load(longFile, image), TestDataFile::LoadResult::WrongSize);
    EXPECT_EQ(image, before);

    EXPECT_FALSE(TestDataFile::save(dir.filePath(QStringLiteral("no/such/folder/x.test")), image));
}
