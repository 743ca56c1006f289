#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class AppSettings;
class CMSComm;
class Prompter;

// The radio's programming protocol: handshake, identification, model check,
// the codeplug in 64-byte blocks either way, and the model-write exchange.
// There is no framing: every command is one send and every reply has a
// fixed length, asked for with one timed read.

enum class TransferDirection { Read, Write };

// The outcome a codeplug transfer reports; the last value set stands.
enum class TransferStatus {
    Idle,                       // nothing reported yet
    PortError,                  // no handshake, short identification, request refused
    Progress,                   // a block went through; see the progress percentage
    ReadFailed,                 // a block reply came short or the end of read was not acknowledged
    ReadDone,                   // the end of read was acknowledged
    WriteFailed,                // a write block was not acknowledged
    WriteDone,                  // the last write block was acknowledged
    ModelMismatchOverwritable,  // write to another model with [setup] basic = 1
    ModelMismatch,              // the radio is another model
};

// Which step a failed transfer stopped at, so a message can name it.
enum class TransferFailure {
    None,
    PortNotOpened,       // the port could not be opened
    NoHandshake,         // no acknowledgement of "PROGRAM" after every attempt
    NoModelReply,        // the model query went unanswered or came short
    NoQuery05Reply,      // the identification query (05) went unanswered
    NoVersionReply,      // the version query went unanswered
    RequestUnanswered,   // no reply to the read or write request
    RequestRefused,      // the radio refused the read or write request
    BlockFailed,         // a block reply came short or was not acknowledged
    EndNotAcknowledged,  // every block was read, but not the end of the read
};

// True for the failures where the radio never started the transfer:
// nothing was read or written.
bool failedBeforeTransfer(TransferFailure failure);

// True for every status after which the worker has stopped.
bool isEndStatus(TransferStatus status);
const char *statusName(TransferStatus status);

// The radio's version texts from the 22-byte version reply.
struct RadioVersionInfo
{
    QString mcuVersion;   // reply bytes 0..5, cut at a zero byte
    QString dataVersion;  // reply bytes 6..11, cut at a zero byte
    QString cid;          // reply bytes 12..21 as 20 lower-case hex digits

    static RadioVersionInfo fromReply(const uint8_t *reply, int length);
};

// The pauses and the reply time-out; tests shorten them.
struct ProtocolTimings
{
    int replyTimeoutMs = 500;     // every reply wait
    int openPauseMs = 100;        // after opening a port
    int retryPauseMs = 1000;      // between handshake attempts
    int writeDonePauseMs = 1000;  // lets the radio settle after the last block
};

namespace Protocol {

constexpr uint8_t kAck = 0x06;
constexpr int kBlockSize = 64;
constexpr int kRadioMemorySize = 0x10000;  // addresses reach 0x0000..0xFFFF only
constexpr int kReadBlockCount = 1024;      // 0x0000..0xFFC0
constexpr int kWriteBlockLimit = 840;      // blocks 0..839 (0x0000..0xD1C0)
constexpr int kCalibrationFirst = 0x0100;  // the calibration area, never written
constexpr int kCalibrationEnd = 0x0280;
constexpr int kWrittenBlockCount = 834;    // 840 minus the six calibration blocks

constexpr int kModelReplyLength = 16;
constexpr int kQuery05ReplyLength = 15;
constexpr int kVersionReplyLength = 22;
constexpr int kReadBlockReplyLength = 69;
constexpr int kWriteBlockFrameLength = 69;
constexpr int kModelIdLength = 8;

extern const QByteArray kProgramHandshake;  // "PROGRAM"
extern const QByteArray kModelWriteHandshake;  // "MODEL-W"
constexpr uint8_t kModelQuery = 0x02;
constexpr uint8_t kQuery05 = 0x05;
constexpr uint8_t kVersionQuery = 0x56;
constexpr uint8_t kReadRequest = 0x10;
constexpr uint8_t kWriteRequest = 0x15;
constexpr uint8_t kReadBlock = 0x52;
constexpr uint8_t kWriteBlock = 0x57;
constexpr uint8_t kEndOfRead = 0x45;
constexpr uint8_t kConfirm = 0x06;
constexpr uint8_t kSetModel = 0x53;

QByteArray readBlockFrame(int address);
// "W", AH, AL, 40, the 64 bytes at image + address, 00.
QByteArray writeBlockFrame(int address, const uint8_t *image);
QByteArray setModelFrame(const uint8_t *modelId);

// Whether block address a (a multiple of 64 below 0xD200) is sent by a write.
bool isWrittenBlock(int address);

// Progress after block index i: (i + 1) * 6400 / 65535 for a read,
// (i + 1) * 6400 / 53760 for a write.
int readProgress(int blockIndex);
int writeProgress(int blockIndex);

}

// What a running codeplug transfer shares with the thread that started it.
// The worker writes status, progress and the counters; the other thread
// reads them and writes only the stop request.
class TransferControl
{
public:
    std::atomic<TransferStatus> status{TransferStatus::Idle};
    std::atomic<int> progress{0};
    std::atomic<bool> portOpened{false};  // some OpenPort of this transfer succeeded
    std::atomic<int> skippedBlocks{0};    // read blocks whose header named another block every time asked
    std::atomic<int> blocksTransferred{0};  // blocks taken (read) or acknowledged (write)
    std::atomic<int> repeatedRequests{0};   // read-block requests sent again after a bad reply
    std::atomic<TransferFailure> failure{TransferFailure::None};  // set before a failure status
    // Written by the worker, read once it has ended: the skipped blocks; the
    // blocks whose sum did not match every time asked (taken as received);
    // whether the radio showed that it sends block sums.
    QList<int> skippedAddresses;
    QList<int> damagedAddresses;
    bool sumsChecked = false;

    // Version texts, valid once versionValid is set (the worker writes the
    // texts before it sets the flag).
    RadioVersionInfo version;
    std::atomic<bool> versionValid{false};

    void reset();
    void requestStop();
    bool stopRequested() const { return m_stop.load(); }
    // Sleeps for ms, or less when a stop is requested meanwhile.
    void pause(int ms);

private:
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
};

// The codeplug transfer. image is the 64 KB the protocol reaches: a read
// fills it, a write sends from it. port is opened with portName (a number
// or a device path) when it is closed, and is closed again before this
// returns, whatever the outcome. basic is [setup] basic.
void runCodeplugTransfer(CMSComm &comm, const QString &portName, TransferDirection direction,
                         uint8_t *image, int basic, const ProtocolTimings &timings,
                         TransferControl &control);

// The model-write exchange: finds the radio (the given port first, then,
// with searchOtherPorts, ports 1..16, storing a port found by the search as
// [setup] com), then writes the model identification image[0..7]. Reports
// failures through the prompter and returns true on success. Runs on the
// calling thread.
bool WriteModelIdentification(CMSComm &comm, const QString &portName, const uint8_t *image,
                              AppSettings &settings, Prompter &prompter,
                              const ProtocolTimings &timings = ProtocolTimings(), bool searchOtherPorts = true);
