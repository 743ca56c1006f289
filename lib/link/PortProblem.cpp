#include "link/PortProblem.h"

#include "app/Language.h"

#include <QFileInfo>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The user's own right to read and write the device; root passes any check.
bool mayOpen(const QString &device)
{
    return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0;
}

}

QString PortProblem::owningGroup(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QString();
    if (const struct group *owner = ::getgrgid(info.st_gid))
        return QString::fromLocal8Bit(owner->gr_name);
    return QString();
}

PortProblem PortProblem::diagnose(const QString &device, bool deviceFound, bool permissionError,
                                  const QString &detail)
{
    PortProblem problem;
    problem.device = device;
    if (device.isEmpty() || !deviceFound || !QFileInfo::exists(device)) {
        problem.kind = Kind::NoDevice;
    } else if (!mayOpen(device)) {
        problem.kind = Kind::NoPermission;
        problem.group = owningGroup(device);
    } else if (permissionError) {
        // Allowed, and still refused: the device is locked or opened
        // exclusively by another program.
        problem.kind = Kind::InUse;
    } else {
        problem.kind = Kind::Other;
        problem.detail = detail;
    }
    return problem;
}

QString PortProblem::message(const Language &language) const
{
    switch (kind) {
    case Kind::NoPermission:
        return language.GetLangString(group.isEmpty() ? QStringLiteral("IDS_ERROR_PORTACCESS_NOGROUP")
                                                      : QStringLiteral("IDS_ERROR_PORTACCESS"))
            .arg(device, group);
    case Kind::InUse:
        return language.GetLangString(QStringLiteral("IDS_ERROR_PORTBUSY")).arg(device);
    case Kind::Other:
        return language.GetLangString(QStringLiteral("IDS_ERROR_PORTOPEN")).arg(device, detail);
    case Kind::None:
    case Kind::NoDevice:
        break;
    }
    return QString();
}

QString PortProblem::englishText() const
{
    switch (kind) {
    case Kind::NoDevice:
        return QStringLiteral("%1 does not exist; is the programming cable plugged in?").arg(device);
    case Kind::NoPermission:
        if (group.isEmpty())
            return QStringLiteral("no permission to open %1; ask the administrator for read and write access to it")
                .arg(device);
        return QStringLiteral("no permission to open %1; it belongs to the group \"%2\": add yourself with "
                              "\"sudo usermod -aG %2 $USER\", then log out and in again")
            .arg(device, group);
    case Kind::InUse:
        return QStringLiteral("%1 is in use by another program; close that program and try again").arg(device);
    case Kind::Other:
        return QStringLiteral("%1 cannot be opened: %2").arg(device, detail);
    case Kind::None:
        break;
    }
    return QString();
}
