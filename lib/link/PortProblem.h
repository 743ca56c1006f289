#pragma once

#include <QString>

class Language;

// Why a serial port could not be opened, in terms the user can act on:
// a device that is missing, one the user may not open (on Linux: not a
// member of the group that owns it, usually "dialout"), or one another
// program holds.
struct PortProblem
{
    enum class Kind {
        None,          // opened, or never tried
        NoDevice,      // the port names no device
        NoPermission,  // the device exists, the user may not open it
        InUse,         // another program holds the device
        Other,         // anything else the system reported
    };

    Kind kind = Kind::None;
    QString device;
    QString group;    // NoPermission: the group that owns the device, when known
    QString detail;   // Other: the system's own words

    // What the system says about a device that did not open. permissionError
    // is the serial port's report of a refused open, which covers both a
    // missing right and a device held elsewhere; the device's access rights
    // tell the two apart.
    static PortProblem diagnose(const QString &device, bool deviceFound, bool permissionError,
                                const QString &detail = QString());
    // The group that owns a file, empty when unknown.
    static QString owningGroup(const QString &path);

    // A message that says how to fix it, from the language file (the
    // desktop program); empty for None and NoDevice, which keep the
    // program's general port message.
    QString message(const Language &language) const;
    // The same in English for the command line.
    QString englishText() const;
};
