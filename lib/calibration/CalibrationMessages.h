#pragma once

#include <QString>

// The outcomes of the service mode the user is told about. Their texts live
// in the program in both languages; the choice follows [setup] language
// (AppSettings::calibrationInChinese), not the active language file.
enum class CalibrationMessage {
    None,            // nothing to tell
    PortFailed,      // no answer to the mode word, identity done or "CSDT"
    LeaveFailed,     // no answer to "CQUT" or "CTET"
    ModelWrong,      // model reply not 16 bytes
    SerialWrong,     // serial-number reply not 15 bytes
    VersionWrong,    // version reply not 22 bytes
    ReadFailed,      // a block read was not accepted
    WriteFailed,     // a block write was not acknowledged
    ExitFailed,      // no answer to the end-of-transfer byte
    ReadSucceeded,
    WriteSucceeded,
};

namespace CalibrationMessages {
QString text(CalibrationMessage message, bool chinese);
bool isError(CalibrationMessage message);
// "错误" / "Error" for errors, in the same language as the text (not looked
// up in the language file, which may follow another language); empty for
// successes, which carry the application's title and no icon.
QString caption(CalibrationMessage message, bool chinese);
}
