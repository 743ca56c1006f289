#include "calibration/TestDataFile.h"

#include "app/FilePaths.h"
#include "app/SafeFileWriter.h"

#include <QFile>

TestDataFile::LoadResult TestDataFile::load(const QString &path, CalibrationImage &image)
{
    if (!FilePaths::whyNotReadable(path).isEmpty())
        return LoadResult::CannotOpen;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadResult::CannotOpen;
    // Read one byte more than needed so that an over-long file is noticed
    // without reading all of it.
    const QByteArray content = file.read(CalibrationImage::size() + 1);
    if (content.size() != CalibrationImage::size())
        return LoadResult::WrongSize;
    image.setBytes(0, content);
    return LoadResult::Loaded;
}

bool TestDataFile::save(const QString &path, const CalibrationImage &image, QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (const QString refused = FilePaths::whyNotWritable(path); !refused.isEmpty())
        return fail(refused);
    return SafeFileWriter::writeFile(path, image.toByteArray(), error);
}
