#include "calibration/CalibrationMessages.h"

namespace {

struct Texts
{
    const char *chinese;  // UTF-8
    const char *english;
};

const char kCheckPort[] = "Please check whether the port is occupied or not connected!";

Texts textsOf(CalibrationMessage message)
{
    switch (message) {
    case CalibrationMessage::None:
        return {"", ""};
    case CalibrationMessage::PortFailed:
        return {"通信失败!", kCheckPort};
    case CalibrationMessage::LeaveFailed:
        return {"通信失败,退出无效!", kCheckPort};
    case CalibrationMessage::ModelWrong:
        return {"机型回复失败!", "Model type is wrong!"};
    case CalibrationMessage::SerialWrong:
        return {"序号回复失败!", "Serial number is wrong!"};
    case CalibrationMessage::VersionWrong:
        return {"版本回复失败!", "MCU Version is wrong!"};
    case CalibrationMessage::ReadFailed:
        return {"读取失败!", "Read data fail!"};
    case CalibrationMessage::WriteFailed:
        return {"写入失败!", "Write data fail!"};
    case CalibrationMessage::ExitFailed:
        return {"退出失败!", "Exit fail!"};
    case CalibrationMessage::ReadSucceeded:
        return {"读取成功!", "Read data success!"};
    case CalibrationMessage::WriteSucceeded:
        return {"写入成功!", "Write data success!"};
    }
    return {"", ""};
}

}

QString CalibrationMessages::text(CalibrationMessage message, bool chinese)
{
    const Texts texts = textsOf(message);
    return QString::fromUtf8(chinese ? texts.chinese : texts.english);
}

bool CalibrationMessages::isError(CalibrationMessage message)
{
    return message != CalibrationMessage::None && message != CalibrationMessage::ReadSucceeded
        && message != CalibrationMessage::WriteSucceeded;
}

QString CalibrationMessages::caption(CalibrationMessage message, bool chinese)
{
    if (!isError(message))
        return {};
    return chinese ? QString::fromUtf8("错误") : QStringLiteral("Error");
}
