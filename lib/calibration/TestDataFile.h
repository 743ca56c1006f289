#pragma once

#include "calibration/CalibrationImage.h"

#include <QString>

// A test-data file (".test"): exactly the 16384 bytes of the calibration
// image, byte i at offset i, without header or checksum.
namespace TestDataFile {

enum class LoadResult {
    Loaded,
    CannotOpen,   // missing, unreadable, or not a regular file (a FIFO would block)
    WrongSize,    // not 16384 bytes: not a test-data file, or a truncated one
};

// Loads the file into image. On any failure the image is left unchanged:
// a truncated or foreign file would otherwise mix with the values already
// there, and those could then be written to a radio.
LoadResult load(const QString &path, CalibrationImage &image);

// Writes the image through SafeFileWriter: an existing file is replaced only
// once the new one is complete and on the disk. A device, FIFO, socket or folder is refused, never
// replaced. Returns false, with the reason in error, when it cannot be written.
bool save(const QString &path, const CalibrationImage &image, QString *error = nullptr);

}
