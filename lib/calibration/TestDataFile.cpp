#include "calibration/TestDataFile.h"

#include <QFile>
#include <QSaveFile>

TestDataFile::LoadResult TestDataFile::load(const QString &path, CalibrationImage &image)
{
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

bool TestDataFile::save(const QString &path, const CalibrationImage &image)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(image.toByteArray()) != CalibrationImage::size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
