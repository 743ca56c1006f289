// Any bytes as a .test file, then every cell of the calibration table.

#include "FuzzSupport.h"

#include "calibration/CalibrationGrid.h"
#include "calibration/TestDataFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz::writeInput(QStringLiteral("input.test"), fuzz::bytes(data, size));
    CalibrationImage image;
    if (TestDataFile::load(path, image) != TestDataFile::LoadResult::Loaded)
        return 0;
    for (int row = 0; row <= CalibrationGrid::kRowCount; ++row)
        for (int column = 0; column <= CalibrationGrid::kColumnCount; ++column) {
            CalibrationGrid::cellText(image, row, column);
            CalibrationGrid::isEditable(row, column, 17400000);
        }
    return 0;
}
