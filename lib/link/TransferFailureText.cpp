#include "link/TransferFailureText.h"

QString TransferFailureText::key(TransferFailure failure, TransferDirection direction)
{
    const bool read = direction == TransferDirection::Read;
    switch (failure) {
    case TransferFailure::PortNotOpened: return QStringLiteral("IDS_LINKSTEP_PORTNOTOPENED");
    case TransferFailure::NoHandshake: return QStringLiteral("IDS_LINKSTEP_NOHANDSHAKE");
    case TransferFailure::NoModelReply: return QStringLiteral("IDS_LINKSTEP_NOMODEL");
    case TransferFailure::NoQuery05Reply: return QStringLiteral("IDS_LINKSTEP_NOQUERY05");
    case TransferFailure::NoVersionReply: return QStringLiteral("IDS_LINKSTEP_NOVERSION");
    case TransferFailure::RequestUnanswered:
        return read ? QStringLiteral("IDS_LINKSTEP_NOREADREQUEST") : QStringLiteral("IDS_LINKSTEP_NOWRITEREQUEST");
    case TransferFailure::RequestRefused:
        return read ? QStringLiteral("IDS_LINKSTEP_READREFUSED") : QStringLiteral("IDS_LINKSTEP_WRITEREFUSED");
    case TransferFailure::None:
    case TransferFailure::BlockFailed:
    case TransferFailure::EndNotAcknowledged:
        break;
    }
    return QString();
}
