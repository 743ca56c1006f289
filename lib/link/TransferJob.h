#pragma once

#include "link/PortProblem.h"
#include "link/ProgrammingProtocol.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class CMSComm;
class CPcSoftwareDoc;
class Prompter;
class QThread;

// One read or write of the radio's codeplug, run on a worker thread.
//
// The window (or command) that owns the job calls start(), then polls
// status() and progress() (every 20 ms in the desktop program) and calls
// poll() on every tick, which collects the worker and applies the outcome
// once an end status shows. cancel() stops a running transfer.
//
// Threads: the worker touches only the port, a private 64 KB copy of the
// image and the atomics of the job. The document is read and written only
// by the thread that calls start(), poll() and cancel():
//  - a read fills the private copy; the document's image takes it over
//    (0x0000..0xFFFF) only when the read ends ReadDone, so a failed or
//    cancelled read leaves the codeplug exactly as it was;
//  - a write stamps the document first (last programming time, model
//    resets, write-only bytes, default table) and sends a copy of it.
// The worker opens the port itself and closes it before it ends, so the
// port is closed whenever no worker runs.
// What a write's read-back showed, block by block over the blocks a write
// sends: those that came back different, and those that could not be
// compared because the read-back did not bring them back intact (another
// address, or a sum that stayed wrong). An unverified block is no pass.
struct WriteVerification
{
    int differingBlocks = 0;
    int firstDifferingAddress = -1;   // -1 when none
    int unverifiedBlocks = 0;
    int firstUnverifiedAddress = -1;  // -1 when none
    bool passed() const { return differingBlocks == 0 && unverifiedBlocks == 0; }
};

// The one comparison of a write with its read-back (64 KB images); notReadBack
// lists the addresses the read-back did not bring back intact.
WriteVerification verifyWrittenBlocks(const uint8_t *sent, const uint8_t *readBack, const QList<int> &notReadBack);

class TransferJob
{
public:
    TransferJob(CPcSoftwareDoc &doc, CMSComm &comm);
    ~TransferJob();  // cancels a running transfer
    TransferJob(const TransferJob &) = delete;
    TransferJob &operator=(const TransferJob &) = delete;

    // The port to open: a number 1..16 or a device path. Empty (the
    // default) reads [setup] com of setting.ini at every start.
    void setPortName(const QString &port) { m_portName = port; }
    QString portName() const { return m_portName; }
    void setTimings(const ProtocolTimings &timings) { m_timings = timings; }
    const ProtocolTimings &timings() const { return m_timings; }

    // OK of the transfer dialog: prepares the image, resets status
    // (Idle), progress and stop flag, and starts the worker. False when a
    // worker still runs.
    bool start(TransferDirection direction);
    // As start(), with the time stamped into the image given.
    bool start(TransferDirection direction, const QDateTime &now);

    TransferDirection direction() const { return m_direction; }
    // Safe to call from any thread at any time.
    TransferStatus status() const { return m_control.status.load(); }
    int progress() const { return m_control.progress.load(); }  // 0..100

    // True from start() until poll() or cancel() has collected the worker.
    bool isRunning() const { return m_worker != nullptr; }

    // Returns the status. The first time it is an end status, waits for the
    // worker (which has finished its port use by then) and applies the
    // outcome: after ReadDone the read image replaces 0x0000..0xFFFF of the
    // document's image and the band limits are recomputed; whenever the
    // version reply arrived, the version texts go into AppSettings.
    TransferStatus poll();

    // Waits for the end of the transfer and returns poll() (for callers
    // without a timer, such as the command line). Never hangs: the worker
    // ends after its last reply time-out at the latest.
    TransferStatus waitForEnd();
    // Waits at most timeoutMs for the worker to end; when it has ended,
    // collects it as poll() does and returns true.
    bool waitForEnd(int timeoutMs);

    // Cancel: sets the stop flag and waits for the worker, which notices it
    // after the reply it is waiting for (one reply time-out at most). No
    // further status is set and the document keeps what a cancel leaves
    // (a cancelled read changes nothing).
    void cancel();

    // After a write that ended WriteDone: reads the radio back into the
    // job's own copy, never into the document, and compares it with what
    // the write sent. Poll it as any read; once it has ended ReadDone,
    // verification() holds the outcome. Bytes of blocks the read-back did
    // not fill can never pass for written ones. False when a worker still
    // runs or the last transfer was no completed write.
    bool startVerify();
    bool isVerifying() const { return m_verifying; }
    WriteVerification verification() const { return m_verification; }

    // The model-write exchange with this job's port and the document's
    // model identification (after ModelMismatchOverwritable). Runs on the
    // calling thread; reports its failures through the prompter. Without
    // searchOtherPorts only the job's port is tried and [setup] com stays.
    bool writeModelIdentification(Prompter &prompter, bool searchOtherPorts = true);

    // Details of the last transfer, valid once it has ended:
    bool portOpened() const { return m_control.portOpened.load(); }  // tells a missing port from a silent radio
    // Why the port did not open (PortProblem::Kind::None when it did).
    PortProblem openProblem() const;
    int skippedBlocks() const { return m_control.skippedBlocks.load(); }  // read blocks whose reply named another address
    QList<int> skippedAddresses() const;                                   // their addresses
    // Read blocks whose sum stayed wrong; they hold the bytes as received.
    QList<int> damagedAddresses() const;
    // The blocks a read did not bring back intact: skipped and damaged,
    // each counted once.
    int incompleteBlocks() const { return skippedBlocks() + int(damagedAddresses().size()); }
    // Blocks taken (read) or acknowledged by the radio (write) so far.
    int blocksTransferred() const { return m_control.blocksTransferred.load(); }
    // The port the job opens, with the device it names, for messages.
    QString portDescription() const;
    TransferFailure failure() const { return m_control.failure.load(); }  // the step a failure stopped at
    bool versionReceived() const { return m_control.versionValid.load(); }
    RadioVersionInfo versionInfo() const;
    // The 64 KB the last transfer read or sent (for the write's verify).
    const uint8_t *transferImage() const { return m_staging->data(); }

private:
    QString portToOpen() const;
    // Starts the worker on the staging image.
    void launch(TransferDirection direction);
    // Joins the worker and applies what its outcome leaves behind.
    void collect();

    CPcSoftwareDoc &m_doc;
    CMSComm &m_comm;
    QString m_portName;
    ProtocolTimings m_timings;
    TransferDirection m_direction = TransferDirection::Read;
    TransferControl m_control;
    std::unique_ptr<std::array<uint8_t, 0x10000>> m_staging;
    std::unique_ptr<std::array<uint8_t, 0x10000>> m_sent;  // the write's image, while verifying
    bool m_verifying = false;
    WriteVerification m_verification;
    QThread *m_worker = nullptr;
};
