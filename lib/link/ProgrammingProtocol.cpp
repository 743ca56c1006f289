#include "link/ProgrammingProtocol.h"

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "link/CMSComm.h"
#include "link/PortNames.h"
#include "link/ReadBlockCheck.h"

#include <chrono>
#include <cstring>

// ---------------------------------------------------------------------------
// Status, version texts, frames

bool isEndStatus(TransferStatus status)
{
    return status != TransferStatus::Idle && status != TransferStatus::Progress;
}

bool failedBeforeTransfer(TransferFailure failure)
{
    switch (failure) {
    case TransferFailure::PortNotOpened:
    case TransferFailure::NoHandshake:
    case TransferFailure::NoModelReply:
    case TransferFailure::NoQuery05Reply:
    case TransferFailure::NoVersionReply:
    case TransferFailure::RequestUnanswered:
    case TransferFailure::RequestRefused:
        return true;
    case TransferFailure::None:
    case TransferFailure::BlockFailed:
    case TransferFailure::EndNotAcknowledged:
        break;
    }
    return false;
}

const char *statusName(TransferStatus status)
{
    switch (status) {
    case TransferStatus::Idle: return "Idle";
    case TransferStatus::PortError: return "PortError";
    case TransferStatus::Progress: return "Progress";
    case TransferStatus::ReadFailed: return "ReadFailed";
    case TransferStatus::ReadDone: return "ReadDone";
    case TransferStatus::WriteFailed: return "WriteFailed";
    case TransferStatus::WriteDone: return "WriteDone";
    case TransferStatus::ModelMismatchOverwritable: return "ModelMismatchOverwritable";
    case TransferStatus::ModelMismatch: return "ModelMismatch";
    }
    return "?";
}

namespace {

// Up to six bytes as text, ending at a zero byte.
QString versionText(const uint8_t *bytes, int width)
{
    int length = 0;
    while (length < width && bytes[length] != 0)
        ++length;
    return QString::fromLatin1(reinterpret_cast<const char *>(bytes), length);
}

}

RadioVersionInfo RadioVersionInfo::fromReply(const uint8_t *reply, int length)
{
    RadioVersionInfo info;
    if (!reply || length < Protocol::kVersionReplyLength)
        return info;
    info.mcuVersion = versionText(reply, 6);
    info.dataVersion = versionText(reply + 6, 6);
    info.cid = QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(reply + 12), 10).toHex());
    return info;
}

namespace Protocol {

const QByteArray kProgramHandshake = QByteArrayLiteral("PROGRAM");
const QByteArray kModelWriteHandshake = QByteArrayLiteral("MODEL-W");

QByteArray readBlockFrame(int address)
{
    QByteArray frame(4, 0);
    frame[0] = char(kReadBlock);
    frame[1] = char((address >> 8) & 0xFF);
    frame[2] = char(address & 0xFF);
    frame[3] = char(kBlockSize);
    return frame;
}

QByteArray writeBlockFrame(int address, const uint8_t *image)
{
    QByteArray frame(kWriteBlockFrameLength, 0);
    frame[0] = char(kWriteBlock);
    frame[1] = char((address >> 8) & 0xFF);
    frame[2] = char(address & 0xFF);
    frame[3] = char(kBlockSize);
    std::memcpy(frame.data() + 4, image + address, kBlockSize);
    frame[68] = 0;
    return frame;
}

QByteArray setModelFrame(const uint8_t *modelId)
{
    QByteArray frame(2 + kModelIdLength, 0);
    frame[0] = char(kSetModel);
    std::memcpy(frame.data() + 1, modelId, kModelIdLength);
    return frame;
}

bool isWrittenBlock(int address)
{
    return address >= 0 && address < kWriteBlockLimit * kBlockSize && address % kBlockSize == 0
        && (address < kCalibrationFirst || address >= kCalibrationEnd);
}

int readProgress(int blockIndex)
{
    return (blockIndex + 1) * 6400 / 65535;
}

int writeProgress(int blockIndex)
{
    return (blockIndex + 1) * 6400 / 53760;
}

}

// ---------------------------------------------------------------------------
// Shared control block

void TransferControl::reset()
{
    status = TransferStatus::Idle;
    progress = 0;
    portOpened = false;
    skippedBlocks = 0;
    blocksTransferred = 0;
    repeatedRequests = 0;
    failure = TransferFailure::None;
    skippedAddresses.clear();
    damagedAddresses.clear();
    sumsChecked = false;
    versionValid = false;
    version = RadioVersionInfo();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stop = false;
}

void TransferControl::requestStop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
}

void TransferControl::pause(int ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stop.load(); });
}

// ---------------------------------------------------------------------------
// The codeplug transfer

namespace {

using namespace Protocol;

// One exchange: send the command, wait for a reply of the expected length.
class Exchange
{
public:
    Exchange(CMSComm &comm, int timeoutMs) : m_comm(comm), m_timeoutMs(timeoutMs) {}

    // True when exactly `length` bytes came back.
    bool ask(const QByteArray &command, uint8_t *reply, int length)
    {
        if (m_comm.SendBytes(command) < 0)
            return false;
        return m_comm.ReadBytes(reply, length, m_timeoutMs) == length;
    }
    bool ask(uint8_t command, uint8_t *reply, int length)
    {
        return ask(QByteArray(1, char(command)), reply, length);
    }
    // True when the one-byte reply is 06.
    bool acked(const QByteArray &command)
    {
        uint8_t reply = 0;
        return ask(command, &reply, 1) && reply == kAck;
    }

private:
    CMSComm &m_comm;
    int m_timeoutMs;
};

class CodeplugTransfer
{
public:
    CodeplugTransfer(CMSComm &comm, const QString &device, TransferDirection direction, uint8_t *image,
                     int basic, const ProtocolTimings &timings, TransferControl &control)
        : m_comm(comm), m_device(device), m_direction(direction), m_image(image), m_basic(basic),
          m_timings(timings), m_control(control), m_exchange(comm, timings.replyTimeoutMs)
    {
    }

    void run()
    {
        if (!handshake()) {
            // Stopped, or no answer after every attempt.
            if (!m_control.stopRequested())
                fail(TransferStatus::PortError, m_control.portOpened ? TransferFailure::NoHandshake
                                                                     : TransferFailure::PortNotOpened);
            return;
        }
        if (m_control.stopRequested() || !identify())
            return;
        if (m_direction == TransferDirection::Read)
            readBlocks();
        else
            writeBlocks();
    }

private:
    // An end status is published only after the port is closed, so whoever
    // sees it knows the worker is done with the port.
    void report(TransferStatus status)
    {
        if (isEndStatus(status))
            m_comm.ClosePort();
        m_control.status = status;
    }

    void fail(TransferStatus status, TransferFailure failure)
    {
        m_control.failure = failure;
        report(status);
    }

    bool openIfClosed()
    {
        if (!m_comm.IsPortOpen() && m_comm.OpenPort(m_device, CMSComm::kBaudRate))
            m_control.portOpened = true;
        return m_comm.IsPortOpen();
    }

    // Three attempts of up to three "PROGRAM" each; the port is reopened
    // between attempts.
    bool handshake()
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            openIfClosed();
            m_control.pause(m_timings.openPauseMs);
            if (m_comm.IsPortOpen()) {
                for (int tries = 0; tries < 3; ++tries) {
                    if (m_exchange.acked(kProgramHandshake))
                        return true;
                    if (m_control.stopRequested())
                        return false;
                }
            }
            m_comm.ClosePort();
            m_control.pause(m_timings.retryPauseMs);
            if (m_control.stopRequested())
                return false;
        }
        return false;
    }

    // Model query, model check, query 05, version query.
    bool identify()
    {
        uint8_t model[kModelReplyLength];
        if (!m_exchange.ask(kModelQuery, model, kModelReplyLength)) {
            fail(TransferStatus::PortError, TransferFailure::NoModelReply);
            return false;
        }
        const bool sameModel = std::memcmp(model, m_image, kModelIdLength) == 0;
        if (!sameModel) {
            if (m_direction == TransferDirection::Write) {
                report(m_basic == 1 ? TransferStatus::ModelMismatchOverwritable : TransferStatus::ModelMismatch);
                return false;
            }
            if (m_basic != 1) {
                report(TransferStatus::ModelMismatch);
                return false;
            }
        }
        uint8_t query05[kQuery05ReplyLength];
        uint8_t version[kVersionReplyLength];
        if (!m_exchange.ask(kQuery05, query05, kQuery05ReplyLength)) {
            fail(TransferStatus::PortError, TransferFailure::NoQuery05Reply);
            return false;
        }
        if (!m_exchange.ask(kVersionQuery, version, kVersionReplyLength)) {
            fail(TransferStatus::PortError, TransferFailure::NoVersionReply);
            return false;
        }
        m_control.version = RadioVersionInfo::fromReply(version, kVersionReplyLength);
        m_control.versionValid = true;
        return true;
    }

    // The radio accepts a read or write request with any byte except 06.
    bool requestAccepted(uint8_t request)
    {
        uint8_t reply = 0;
        if (!m_exchange.ask(request, &reply, 1)) {
            fail(TransferStatus::PortError, TransferFailure::RequestUnanswered);
            return false;
        }
        if (reply == kAck) {
            fail(TransferStatus::PortError, TransferFailure::RequestRefused);
            return false;
        }
        return true;
    }

    // Asks for the block at address until its reply is good, at most
    // ReadBlockCheck::kRepeats times more, repeating the read-block request
    // the radio has just accepted. False when a reply came short.
    bool readBlock(int address, uint8_t *reply, ReadBlockCheck::Verdict &verdict, const BlockSumJudge &sums)
    {
        using ReadBlockCheck::Verdict;
        for (int repeats = 0;; ++repeats) {
            if (!m_exchange.ask(readBlockFrame(address), reply, kReadBlockReplyLength))
                return false;
            verdict = ReadBlockCheck::judge(reply, address);
            if (verdict == Verdict::Good || repeats == ReadBlockCheck::kRepeats
                || (verdict == Verdict::BadSum && !sums.worthRepeating()) || m_control.stopRequested())
                return true;
            ++m_control.repeatedRequests;
        }
    }

    void readBlocks()
    {
        if (!requestAccepted(kReadRequest))
            return;
        uint8_t reply[kReadBlockReplyLength];
        BlockSumJudge sums;
        for (int i = 0; i < kReadBlockCount; ++i) {
            const int address = i * kBlockSize;
            ReadBlockCheck::Verdict verdict;
            if (!readBlock(address, reply, verdict, sums)) {
                fail(TransferStatus::ReadFailed, TransferFailure::BlockFailed);
                return;
            }
            if (verdict != ReadBlockCheck::Verdict::WrongAddress) {
                // A block whose sum stays wrong is taken as received; the
                // read's end decides whether it counts as damaged.
                sums.record(reply, address);
                std::memcpy(m_image + address, reply + 4, kBlockSize);
                ++m_control.blocksTransferred;
                m_control.progress = readProgress(i);
                report(TransferStatus::Progress);
            } else {
                // A reply for another block is passed over; the image keeps its bytes.
                m_control.skippedAddresses.append(address);
                ++m_control.skippedBlocks;
            }
            if (m_control.stopRequested())
                return;
        }
        m_control.damagedAddresses = sums.damagedAddresses();
        m_control.sumsChecked = sums.radioSendsSums();
        if (m_exchange.acked(QByteArray(1, char(kEndOfRead))))
            report(TransferStatus::ReadDone);
        else
            fail(TransferStatus::ReadFailed, TransferFailure::EndNotAcknowledged);
    }

    void writeBlocks()
    {
        if (!requestAccepted(kWriteRequest))
            return;
        for (int i = 0; i < kWriteBlockLimit; ++i) {
            const int address = i * kBlockSize;
            if (!isWrittenBlock(address))
                continue;
            if (!m_exchange.acked(writeBlockFrame(address, m_image))) {
                fail(TransferStatus::WriteFailed, TransferFailure::BlockFailed);
                return;
            }
            ++m_control.blocksTransferred;
            m_control.progress = writeProgress(i);
            report(TransferStatus::Progress);
            if (m_control.stopRequested())
                return;
        }
        // The radio stores what it got; give it a moment before anything
        // else opens the port.
        m_comm.ClosePort();
        m_control.pause(m_timings.writeDonePauseMs);
        report(TransferStatus::WriteDone);
    }

    CMSComm &m_comm;
    QString m_device;
    TransferDirection m_direction;
    uint8_t *m_image;
    int m_basic;
    ProtocolTimings m_timings;
    TransferControl &m_control;
    Exchange m_exchange;
};

}

void runCodeplugTransfer(CMSComm &comm, const QString &portName, TransferDirection direction,
                         uint8_t *image, int basic, const ProtocolTimings &timings,
                         TransferControl &control)
{
    CodeplugTransfer(comm, portName, direction, image, basic, timings, control).run();
    comm.ClosePort();
}

// ---------------------------------------------------------------------------
// The model-write exchange

namespace {

void pauseMs(int ms)
{
    TransferControl idle;
    idle.pause(ms);
}

bool answersModelWrite(Exchange &exchange, CMSComm &comm)
{
    if (!comm.IsPortOpen())
        return false;
    for (int tries = 0; tries < 3; ++tries)
        if (exchange.acked(kModelWriteHandshake))
            return true;
    return false;
}

// The given port first, then (when searching) ports 1..16. A port found by
// the search is stored as [setup] com.
bool modelWriteHandshake(CMSComm &comm, const QString &portName, AppSettings &settings,
                         const ProtocolTimings &timings, bool searchOtherPorts)
{
    Exchange exchange(comm, timings.replyTimeoutMs);
    if (!comm.IsPortOpen()) {
        comm.OpenPort(portName, CMSComm::kBaudRate);
        pauseMs(timings.openPauseMs);
    }
    int foundPort = 0;
    for (int n = PortNames::kFirstPort;; ++n) {
        if (answersModelWrite(exchange, comm)) {
            if (foundPort != 0)
                settings.writeSetting(QStringLiteral("setup"), QStringLiteral("com"), QString::number(foundPort));
            return true;
        }
        comm.ClosePort();
        if (!searchOtherPorts || n > PortNames::kLastPort)
            return false;
        pauseMs(timings.openPauseMs);
        foundPort = 0;
        if (comm.OpenPort(n, CMSComm::kBaudRate)) {
            pauseMs(timings.openPauseMs);
            foundPort = n;
        }
    }
}

}

bool WriteModelIdentification(CMSComm &comm, const QString &portName, const uint8_t *image,
                              AppSettings &settings, Prompter &prompter, const ProtocolTimings &timings,
                              bool searchOtherPorts)
{
    const QString error = QStringLiteral("IDS_ERROR");
    if (!modelWriteHandshake(comm, portName, settings, timings, searchOtherPorts)) {
        prompter.tell(QStringLiteral("IDS_ERROR_PORTCONN"), error, Prompt::Icon::Error);
        return false;
    }
    Exchange exchange(comm, timings.replyTimeoutMs);
    uint8_t reply[kVersionReplyLength];
    if (!exchange.ask(kModelQuery, reply, kModelReplyLength) || !exchange.ask(kQuery05, reply, kQuery05ReplyLength)
        || !exchange.ask(kVersionQuery, reply, kVersionReplyLength)) {
        comm.ClosePort();
        prompter.tell(QStringLiteral("IDS_ERROR_PORTCONN"), error, Prompt::Icon::Error);
        return false;
    }
    if (!exchange.acked(QByteArray(1, char(kConfirm)))) {
        comm.ClosePort();
        prompter.tell(QStringLiteral("IDS_PROMPT_WRITEFAIL"), error, Prompt::Icon::Error);
        return false;
    }
    return exchange.acked(setModelFrame(image));
}
