#include "calibration/CalibrationBackup.h"
#include "calibration/CalibrationGrid.h"
#include "calibration/CalibrationImage.h"
#include "calibration/TestDataFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

TEST(CalibrationImage, ValuesKeepTheirWidthRangeAndBounds)
{
    CalibrationImage image;
    EXPECT_EQ(image.toByteArray(), QByteArray(kCalibrationImageSize, char(0xFF)));
    EXPECT_TRUE(image.setValue(10, 2, 0x1234));  // VCO 2 at CH3: 0x0156 + 2 * 2, low byte first
    EXPECT_EQ(image.bytes(0x015A, 2), QByteArray::fromHex("3412"));
    EXPECT_TRUE(image.setValue(9, 0, 63));
    EXPECT_EQ(image.bytes(0x0151, 2), QByteArray::fromHex("3fff"));  // the next point is untouched

    // Outside the row's range, the point range or the image nothing is written.
    EXPECT_FALSE(image.setValue(9, 0, 64));
    EXPECT_FALSE(image.setValue(31, 0, 32768));
    EXPECT_FALSE(image.setValue(10, -1, 1));
    EXPECT_EQ(image.value(10, 5), -1);
    EXPECT_FALSE(image.setBytes(kCalibrationImageSize - 1, QByteArray(2, 0)));
    EXPECT_EQ(image.byteAt(kCalibrationImageSize), -1);
    EXPECT_EQ(image.byteAt(0x0151), 63);
    EXPECT_EQ(image.bytes(0x0252, 2), QByteArray::fromHex("ffff"));
}

TEST(CalibrationGrid, CellsHoldValuesOnlyWhereTheTableHasThem)
{
    const qint32 uhf = 47000000;
    EXPECT_TRUE(CalibrationGrid::isEditable(6, 5, uhf));
    EXPECT_FALSE(CalibrationGrid::isEditable(6, 6, uhf));  // columns 6..8 never
    EXPECT_FALSE(CalibrationGrid::isEditable(42, 1, uhf));
    // Single rows: column 3 only; the 2K5 and 3K125 adjustments only above 200 MHz.
    EXPECT_TRUE(CalibrationGrid::isEditable(3, 3, 17400000));
    EXPECT_FALSE(CalibrationGrid::isEditable(40, 4, uhf));
    EXPECT_TRUE(CalibrationGrid::isEditable(4, 3, uhf));
    EXPECT_FALSE(CalibrationGrid::isEditable(4, 3, 17400000));
    EXPECT_FALSE(CalibrationGrid::isEditable(5, 3, 20000000));

    CalibrationImage image;
    EXPECT_TRUE(CalibrationGrid::setCellValue(image, 31, 3, 1234));
    EXPECT_EQ(CalibrationGrid::cellText(image, 31, 3), QStringLiteral("1234"));
    EXPECT_TRUE(CalibrationGrid::cellText(image, 31, 2).isEmpty());
    EXPECT_FALSE(CalibrationGrid::setCellValue(image, 31, 2, 1));
    EXPECT_FALSE(CalibrationGrid::setCellValue(image, 1, 1, 1));  // frequencies take text

    // Frequencies go to RX 0x0100 + 8p and TX 0x0104 + 8p and read back with six decimals.
    EXPECT_TRUE(CalibrationGrid::setFrequencyText(image, 2, 5, QStringLiteral("446.003125")));
    EXPECT_EQ(image.bytes(0x0124, 4), QByteArray::fromHex("12036044"));
    EXPECT_EQ(CalibrationGrid::cellText(image, 2, 5), QStringLiteral("446.003125"));
    EXPECT_TRUE(CalibrationGrid::setFrequencyText(image, 1, 1, QStringLiteral("435.0025")));
    EXPECT_EQ(image.bytes(0x0100, 4), QByteArray::fromHex("50025043"));
    EXPECT_EQ(CalibrationGrid::cellText(image, 1, 1), QStringLiteral("435.002500"));
    EXPECT_TRUE(CalibrationGrid::setFrequencyText(image, 1, 1, QString()));
    EXPECT_EQ(image.bytes(0x0100, 4), QByteArray::fromHex("ffffffff"));
    EXPECT_TRUE(CalibrationGrid::cellText(image, 1, 1).isEmpty());
}

TEST(CalibrationGrid, MalformedFrequencyTextChangesNothing)
{
    CalibrationImage image;
    ASSERT_TRUE(CalibrationGrid::setFrequencyText(image, 1, 1, QStringLiteral("435.0025")));
    for (const char *typo : {"435.0025x", "435,0025", "435.00.25", "abc", "-435", "+435", "4350", ".5", "4 35"}) {
        EXPECT_FALSE(CalibrationImage::isFrequencyText(QLatin1String(typo))) << typo;
        EXPECT_FALSE(CalibrationGrid::setFrequencyText(image, 1, 1, QLatin1String(typo))) << typo;
        EXPECT_EQ(image.bytes(0x0100, 4), QByteArray::fromHex("50025043")) << typo;
    }
    // Well-formed: below 100 MHz, a bare point, blanks around the number.
    EXPECT_TRUE(CalibrationGrid::setFrequencyText(image, 1, 1, QStringLiteral("86.5")));
    EXPECT_EQ(CalibrationGrid::cellText(image, 1, 1), QStringLiteral("086.500000"));
    EXPECT_TRUE(CalibrationGrid::setFrequencyText(image, 1, 1, QStringLiteral(" 435. ")));
    EXPECT_EQ(image.bytes(0x0100, 4), QByteArray::fromHex("00005043"));
}

TEST(TestDataFile, SaveAndLoadKeepEveryByteAndWrongFilesChangeNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("radio.test"));
    CalibrationImage image;
    for (int i = 0; i < kCalibrationImageSize; ++i)
        image.data()[i] = uint8_t(i * 31 + 7);
    ASSERT_TRUE(TestDataFile::save(path, image));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), image.toByteArray());
    CalibrationImage loaded;
    EXPECT_EQ(TestDataFile::load(path, loaded), TestDataFile::LoadResult::Loaded);
    EXPECT_EQ(loaded, image);

    // A missing, truncated or over-long file leaves the image as it was.
    const CalibrationImage before = loaded;
    EXPECT_EQ(TestDataFile::load(dir.filePath(QStringLiteral("missing.test")), loaded),
              TestDataFile::LoadResult::CannotOpen);
    for (int size : {kCalibrationImageSize - 1, kCalibrationImageSize + 1}) {
        QFile wrong(dir.filePath(QStringLiteral("wrong.test")));
        ASSERT_TRUE(wrong.open(QIODevice::WriteOnly | QIODevice::Truncate));
        wrong.write(QByteArray(size, 0));
        wrong.close();
        EXPECT_EQ(TestDataFile::load(wrong.fileName(), loaded), TestDataFile::LoadResult::WrongSize) << size;
    }
    EXPECT_EQ(loaded, before);
    EXPECT_FALSE(TestDataFile::save(dir.filePath(QStringLiteral("no/such/folder/x.test")), image));
}

TEST(CalibrationBackup, KeepsEveryReadUnderItsOwnNameAndNeverOverwrites)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("data/calibration"));  // made on first use
    const CalibrationBackup backup(folder);
    CalibrationImage image;
    image.setValue(6, 0, 0x42);
    const QDateTime when(QDate(2026, 12, 7), QTime(15, 30, 12));

    // Only letters, digits and '-' of the serial reply reach the file name.
    const QString first = backup.save(image, QByteArray("AB12/..\xff\x00-7", 11), when);
    EXPECT_EQ(QFileInfo(first).fileName(), QStringLiteral("calibration-AB12-7-20261207-153012.test"));
    CalibrationImage loaded;
    loaded.setValue(6, 0, 0);
    ASSERT_EQ(TestDataFile::load(first, loaded), TestDataFile::LoadResult::Loaded);
    EXPECT_EQ(loaded, image);

    // A second read in the same second keeps both; an unreadable serial is left out.
    const QString second = backup.save(CalibrationImage(), QByteArray("AB12/..\xff\x00-7", 11), when);
    EXPECT_EQ(QFileInfo(second).fileName(), QStringLiteral("calibration-AB12-7-20261207-153012-2.test"));
    ASSERT_EQ(TestDataFile::load(first, loaded), TestDataFile::LoadResult::Loaded);
    EXPECT_EQ(loaded, image);
    EXPECT_EQ(QFileInfo(backup.save(image, QByteArray(15, char(0xFF)), when)).fileName(),
              QStringLiteral("calibration-20261207-153012.test"));

    // A folder that cannot be made gives no path rather than a false one.
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_TRUE(CalibrationBackup(dir.filePath(QStringLiteral("file/calibration"))).save(image).isEmpty());
}
