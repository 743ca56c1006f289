#include "calibration/ServiceProtocol.h"

#include "app/AppSettings.h"

#include <QThread>

namespace {

// Reply lengths and time-outs (ms) of the service mode.
constexpr int kAckTimeout = 50;
constexpr int kReplyTimeout = 500;
constexpr int kLatchTimeout = 200;
constexpr int kSettleAfterOpen = 100;
constexpr int kPauseBeforeBlockWrite = 200;
constexpr int kTriesPerPort = 3;
constexpr int kLastPortNumber = 16;
constexpr int kDrainLength = 1000;
constexpr int kModelReplyLength = 16;
constexpr int kSerialReplyLength = 15;
constexpr int kVersionReplyLength = 22;
constexpr int kShortReplyLength = 3;     // item start, point, bandwidth, measure
constexpr int kBerReplyLength = 5;
constexpr int kBlockReplyLength = 69;    // "G", address high, low, 0x40, 64 bytes, one more

constexpr uint8_t kModelQuery = 0x02;
constexpr uint8_t kSerialQuery = 0x05;
constexpr uint8_t kVersionQuery = 'V';
constexpr uint8_t kBlockRead = 'F';
constexpr uint8_t kBlockWrite = 'G';
constexpr uint8_t kEndOfTransfer = 'E';

bool isAck(const QByteArray &reply)
{
    return !reply.isEmpty() && uint8_t(reply[0]) == ServiceProtocol::kAck;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray frame;
    for (int value : values)
        frame.append(char(uint8_t(value)));
    return frame;
}

}

ServiceProtocol::ServiceProtocol(ServicePort &port, std::function<void(int)> pause)
    : m_port(port), m_pause(std::move(pause))
{
    if (!m_pause)
        m_pause = [](int ms) { QThread::msleep(ulong(ms)); };
}

// ---- frames ----------------------------------------------------------------

QByteArray ServiceProtocol::modeWord(Mode mode)
{
    switch (mode) {
    case Mode::Adjust:
        return QByteArrayLiteral("TUNINGT");
    case Mode::TableRead:
        return QByteArrayLiteral("TUNINGR");
    case Mode::TableWrite:
        return QByteArrayLiteral("TUNINGW");
    }
    return {};
}

QByteArray ServiceProtocol::blockReadFrame(int address)
{
    return bytes({kBlockRead, (address >> 8) & 0xFF, address & 0xFF, kCalibrationBlockSize});
}

QByteArray ServiceProtocol::blockWriteFrame(int address, const CalibrationImage &image)
{
    QByteArray frame = bytes({kBlockWrite, (address >> 8) & 0xFF, address & 0xFF, kCalibrationBlockSize});
    QByteArray data = image.bytes(address, kCalibrationBlockSize);
    data.resize(kCalibrationBlockSize, char(0xFF));
    frame += data;
    frame.append(char(0xFF));
    return frame;
}

QByteArray ServiceProtocol::itemStartFrame(int startCode)
{
    return bytes({'C', 'T', startCode, 'U'});
}

QByteArray ServiceProtocol::pointFrame(char pointLetter)
{
    return bytes({'C', 'F', pointLetter, 'U'});
}

QByteArray ServiceProtocol::bandwidthFrame(bool wide)
{
    return wide ? QByteArrayLiteral("CBWU") : QByteArrayLiteral("CBNU");
}

QByteArray ServiceProtocol::signalFrame(int signalCode)
{
    return bytes({'C', 'P', 'T', signalCode});
}

QByteArray ServiceProtocol::toneFrame(int toneFrequency, int toneLevel)
{
    return bytes({'C', 'P', 'T', 0x05, toneFrequency & 0xFF, (toneFrequency >> 8) & 0xFF, toneLevel});
}

QByteArray ServiceProtocol::setValueFrame(int parameterCode, int value)
{
    return bytes({'C', 'D', parameterCode, value & 0xFF, (value >> 8) & 0xFF});
}

QByteArray ServiceProtocol::measureFrame(int measureCode)
{
    return bytes({'C', 0x02, measureCode, 'U'});
}

QByteArray ServiceProtocol::latchFrame(int measureCode)
{
    return bytes({'C', 0x06, measureCode, 'U'});
}

std::optional<ServiceProtocol::Measurement> ServiceProtocol::decodeMeasurement(int measureCode,
                                                                              const QByteArray &reply)
{
    const auto byte = [&](int i) { return quint32(uint8_t(reply[i])); };
    Measurement result;
    if (measureCode == kBitErrorRateCode) {
        if (reply.size() < kBerReplyLength)
            return std::nullopt;
        result.value = byte(0) | (byte(1) << 8) | (byte(2) << 16) | (byte(3) << 24);
        result.text = QString::asprintf("%.5f %%", result.value * 0.0001);
        return result;
    }
    if (reply.size() < kShortReplyLength)
        return std::nullopt;
    result.value = byte(0) + 256 * byte(1);
    result.text = QString::number(result.value);
    return result;
}

// ---- exchanges ---------------------------------------------------------------

QByteArray ServiceProtocol::exchange(const QByteArray &frame, int replyLength, int timeoutMs)
{
    m_lastReceived = 0;
    if (m_port.SendBytes(frame) < 0) {
        m_portLost = true;
        return {};
    }
    QByteArray reply(replyLength, '\0');
    const int received = m_port.ReadBytes(reinterpret_cast<uint8_t *>(reply.data()), replyLength, timeoutMs);
    if (received < 0 && m_port.IsPortOpen())
        m_portLost = true;
    reply.truncate(qBound(0, received, replyLength));
    m_lastReceived = int(reply.size());
    return reply;
}

CalibrationMessage ServiceProtocol::failAt(ServiceFailure::Step step, CalibrationMessage message, int expected,
                                           int address)
{
    m_failure.step = step;
    m_failure.address = address;
    m_failure.expected = expected;
    m_failure.received = m_lastReceived;
    m_failure.portLost = m_portLost;
    return message;
}

QString ServiceFailure::englishText() const
{
    const QString at = QStringLiteral("0x%1").arg(address, 4, 16, QLatin1Char('0'));
    QString what;
    switch (step) {
    case Step::None:
        return QString();
    case Step::ModeWord:
        return portLost ? QStringLiteral("the port failed while the service-mode word was offered")
                        : QStringLiteral("no radio answered the service-mode word");
    case Step::IdentityDone:
        return portLost ? QStringLiteral("the port failed at the end of the identification")
                        : QStringLiteral("the radio did not acknowledge the end of the identification");
    case Step::EndOfTransfer:
        return portLost ? QStringLiteral("the port failed at the end of the transfer")
                        : QStringLiteral("the radio did not acknowledge the end of the transfer");
    case Step::BlockWrite:
        return portLost ? QStringLiteral("the port failed while writing the block at %1").arg(at)
                        : QStringLiteral("the radio did not acknowledge the block written at %1").arg(at);
    case Step::ModelQuery: what = QStringLiteral("model query"); break;
    case Step::SerialQuery: what = QStringLiteral("serial-number query"); break;
    case Step::VersionQuery: what = QStringLiteral("version query"); break;
    case Step::BlockRead: what = QStringLiteral("block read at %1").arg(at); break;
    }
    if (portLost)
        return QStringLiteral("the port failed during the %1").arg(what);
    if (received == 0)
        return QStringLiteral("no answer to the %1").arg(what);
    return QStringLiteral("the reply to the %1 came short (%2 of %3 bytes)").arg(what).arg(received).arg(expected);
}

bool ServiceProtocol::exchangeAck(const QByteArray &frame, int timeoutMs)
{
    return isAck(exchange(frame, 1, timeoutMs));
}

void ServiceProtocol::drainInput()
{
    QByteArray discarded(kDrainLength, '\0');
    m_port.ReadBytes(reinterpret_cast<uint8_t *>(discarded.data()), kDrainLength, kReplyTimeout);
}

bool ServiceProtocol::tryModeWord(Mode mode)
{
    for (int attempt = 0; attempt < kTriesPerPort; ++attempt) {
        // The table link-ups first let a radio still talking finish.
        if (mode != Mode::Adjust)
            drainInput();
        if (exchangeAck(modeWord(mode), kAckTimeout))
            return true;
    }
    return false;
}

CalibrationMessage ServiceProtocol::identify()
{
    using Step = ServiceFailure::Step;
    m_modelReply = exchange(QByteArray(1, char(kModelQuery)), kModelReplyLength, kReplyTimeout);
    if (m_modelReply.size() != kModelReplyLength)
        return failAt(Step::ModelQuery, CalibrationMessage::ModelWrong, kModelReplyLength);
    m_serialReply = exchange(QByteArray(1, char(kSerialQuery)), kSerialReplyLength, kReplyTimeout);
    if (m_serialReply.size() != kSerialReplyLength)
        return failAt(Step::SerialQuery, CalibrationMessage::SerialWrong, kSerialReplyLength);
    m_versionReply = exchange(QByteArray(1, char(kVersionQuery)), kVersionReplyLength, kReplyTimeout);
    if (m_versionReply.size() != kVersionReplyLength)
        return failAt(Step::VersionQuery, CalibrationMessage::VersionWrong, kVersionReplyLength);
    if (!exchangeAck(QByteArray(1, char(kAck)), kAckTimeout))
        return failAt(Step::IdentityDone, CalibrationMessage::PortFailed, 1);
    return CalibrationMessage::None;
}

int ServiceProtocol::tablePortNumber(const AppSettings &settings)
{
    return settings.settingInt(QStringLiteral("setup"), QStringLiteral("com"), 1);
}

CalibrationMessage ServiceProtocol::linkUp(Mode mode, int firstPort, bool scanOtherPorts)
{
    m_foundPort = 0;
    m_failure = ServiceFailure();
    m_portLost = false;
    m_modelReply.clear();
    m_serialReply.clear();
    m_versionReply.clear();
    if (!m_port.IsPortOpen())
        m_port.OpenPort(firstPort);
    m_pause(kSettleAfterOpen);

    // Pass 1 tries the port opened first, passes 2..17 try COM1..COM16.
    bool answered = false;
    for (int pass = 1; pass <= kLastPortNumber + 1; ++pass) {
        if (m_port.IsPortOpen() && tryModeWord(mode)) {
            answered = true;
            break;
        }
        m_port.ClosePort();
        if (pass == kLastPortNumber + 1 || !scanOtherPorts)
            break;
        if (m_port.OpenPort(pass)) {
            m_pause(kSettleAfterOpen);
            m_foundPort = pass;
        }
    }
    if (!answered) {
        m_port.ClosePort();
        m_foundPort = 0;
        return failAt(ServiceFailure::Step::ModeWord, CalibrationMessage::PortFailed, 1);
    }
    const CalibrationMessage result = identify();
    if (result != CalibrationMessage::None)
        m_port.ClosePort();
    return result;
}

CalibrationMessage ServiceProtocol::readBlocks(CalibrationImage &image)
{
    // Read into a copy so that a broken transfer leaves the user's values as they were.
    CalibrationImage staging = image;
    m_failure = ServiceFailure();
    for (int address = kCalibrationAreaStart; address < kCalibrationAreaEnd; address += kCalibrationBlockSize) {
        const QByteArray reply = exchange(blockReadFrame(address), kBlockReplyLength, kReplyTimeout);
        // The header byte is not checked: radios are known to answer with
        // another first byte. A short reply is refused, whatever it begins
        // with, since its data bytes are missing.
        if (reply.size() != kBlockReplyLength)
            return failAt(ServiceFailure::Step::BlockRead, CalibrationMessage::ReadFailed, kBlockReplyLength, address);
        staging.setBytes(address, reply.mid(4, kCalibrationBlockSize));
    }
    if (!exchangeAck(QByteArray(1, char(kEndOfTransfer)), kAckTimeout))
        return failAt(ServiceFailure::Step::EndOfTransfer, CalibrationMessage::ExitFailed, 1);
    image = staging;
    m_port.ClosePort();
    return CalibrationMessage::ReadSucceeded;
}

CalibrationMessage ServiceProtocol::writeBlocks(const CalibrationImage &image)
{
    m_failure = ServiceFailure();
    for (int address = kCalibrationAreaStart; address < kCalibrationAreaEnd; address += kCalibrationBlockSize) {
        m_pause(kPauseBeforeBlockWrite);
        if (!exchangeAck(blockWriteFrame(address, image), kReplyTimeout))
            return failAt(ServiceFailure::Step::BlockWrite, CalibrationMessage::WriteFailed, 1, address);
    }
    if (!exchangeAck(QByteArray(1, char(kEndOfTransfer)), kAckTimeout))
        return failAt(ServiceFailure::Step::EndOfTransfer, CalibrationMessage::ExitFailed, 1);
    m_port.ClosePort();
    return CalibrationMessage::WriteSucceeded;
}

// ---- adjust mode -------------------------------------------------------------

void ServiceProtocol::startItem(const AdjustItem &item)
{
    exchange(itemStartFrame(item.startCode()), kShortReplyLength, kReplyTimeout);
    exchange(pointFrame(item.pointLetter()), kShortReplyLength, kReplyTimeout);
    exchange(bandwidthFrame(item.wideBand()), kShortReplyLength, kReplyTimeout);
    if (item.startSignal() != kNoCode)
        exchange(signalFrame(item.startSignal()), 1, kAckTimeout);
}

bool ServiceProtocol::sendSignal(int signalIndex, int toneFrequency, int toneLevel)
{
    const QList<TransmitSignal> &signalList = TransmitSignals::all();
    if (signalIndex < 0 || signalIndex >= signalList.size())
        return false;
    if (signalIndex != TransmitSignals::kAnalogTone) {
        exchange(signalFrame(signalList[signalIndex].code), 1, kAckTimeout);
        return true;
    }
    if (toneFrequency < TransmitSignals::kToneFrequencyMin || toneFrequency > TransmitSignals::kToneFrequencyMax
        || toneLevel < 0 || toneLevel > TransmitSignals::kToneLevelMax)
        return false;
    exchange(toneFrame(toneFrequency, toneLevel), 1, kAckTimeout);
    return true;
}

bool ServiceProtocol::setValue(int parameterCode, int value)
{
    if (parameterCode < 0 || parameterCode > 0xFF || value < 0 || value > 0xFFFF)
        return false;
    exchange(setValueFrame(parameterCode, value), 1, kAckTimeout);
    return true;
}

std::optional<ServiceProtocol::Measurement> ServiceProtocol::measure(int measureCode)
{
    const int length = measureCode == kBitErrorRateCode ? kBerReplyLength : kShortReplyLength;
    return decodeMeasurement(measureCode, exchange(measureFrame(measureCode), length, kReplyTimeout));
}

void ServiceProtocol::latch(int measureCode)
{
    exchange(latchFrame(measureCode), 1, kLatchTimeout);
}

CalibrationMessage ServiceProtocol::saveItem()
{
    if (exchangeAck(QByteArrayLiteral("CSDT"), kAckTimeout))
        return CalibrationMessage::None;
    m_port.ClosePort();
    return CalibrationMessage::PortFailed;
}

CalibrationMessage ServiceProtocol::quitItem()
{
    if (exchangeAck(QByteArrayLiteral("CQUT"), kAckTimeout))
        return CalibrationMessage::None;
    m_port.ClosePort();
    return CalibrationMessage::LeaveFailed;
}

CalibrationMessage ServiceProtocol::leave()
{
    const bool acknowledged = exchangeAck(QByteArrayLiteral("CTET"), kAckTimeout);
    m_port.ClosePort();
    return acknowledged ? CalibrationMessage::None : CalibrationMessage::LeaveFailed;
}
