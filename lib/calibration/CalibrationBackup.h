#pragma once

#include "calibration/CalibrationImage.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Keeps a copy of every calibration image read from a radio, so that a
// radio's factory values can always be written back. Each copy is a
// complete test-data file named after the radio's serial number (when it
// gave a readable one) and the time of the read:
//   calibration-<serial>-20261207-153012.test
// An existing copy is never overwritten.
class CalibrationBackup
{
public:
    // The folder the desktop program and the command line share: the user's
    // data folder of the program ("rq381"), sub-folder "calibration".
    static QString defaultFolder();
    // Points defaultFolder() elsewhere (tests); an empty text restores it.
    static void setDefaultFolder(const QString &folder);

    explicit CalibrationBackup(const QString &folder = defaultFolder()) : m_folder(folder) {}
    QString folder() const { return m_folder; }

    // Writes the copy, creating the folder when needed. Returns the file's
    // path, or an empty text when it could not be written.
    QString save(const CalibrationImage &image, const QByteArray &serialReply = QByteArray(),
                 const QDateTime &when = QDateTime::currentDateTime()) const;

    // The part of a serial-number reply that may stand in a file name:
    // letters, digits and '-'; empty when the reply holds none.
    static QString serialTag(const QByteArray &serialReply);

private:
    QString m_folder;
};
