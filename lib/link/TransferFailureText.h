#pragma once

#include "link/ProgrammingProtocol.h"

#include <QString>

// The language key of the sentence that names the step a transfer failed
// at ("IDS_LINKSTEP_..."); empty when there is no step to name.
namespace TransferFailureText {
QString key(TransferFailure failure, TransferDirection direction);
}
