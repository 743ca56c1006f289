#include "CliSupport.h"

#include "app/SafeFileWriter.h"

#include "codeplug/DataFile.h"
#include "codeplug/NewCodeplug.h"
#include "link/CMSComm.h"
#include "link/PortNames.h"
#include "link/TransferJob.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cstring>
#include <mutex>
#include <optional>

namespace {

const char kReadUsage[] =
    "Usage: rq381 read --port P [-o FILE.dat] [--config DIR] [--trace FILE] [--accept-damaged]\n"
    "Reads the radio's codeplug into FILE.dat (default radio.dat).\n"
    "P is a port number 1..16 or a device path. A block whose sum byte does not\n"
    "match its data is asked for again twice; when it stays damaged the read\n"
    "fails (exit 5) and nothing is saved, unless --accept-damaged saves it as\n"
    "received.\n";
const char kWriteUsage[] =
    "Usage: rq381 write --port P FILE.dat [--config DIR] [--verify] [--force-model] [--force] [--trace FILE]\n"
    "       [--model NAME]\n"
    "Writes FILE.dat into the radio. --verify reads the radio back and compares\n"
    "every byte written; --force-model writes the codeplug's model identification\n"
    "into a radio of another model (on port P only) and writes again; --force\n"
    "writes a file that is cut short or too long.\n";

// Progress is redrawn at most this often while a transfer runs.
constexpr int kProgressTickMs = 100;

// Writes every byte on the line with a time stamp (seconds since the
// command began): "0.012345 TX 50 52 4F ...", RX for bytes received, DROP
// for bytes dropped before a command. The file is kept when the command
// ends, whatever its outcome; one that could not be written completely is
// not kept, and the reason is printed then.
class TraceFile
{
public:
    TraceFile(const QString &command, CommandIo &io) : m_command(command), m_io(io) {}
    ~TraceFile()
    {
        if (m_writer && !m_writer->commit())
            m_io.err << "rq381 " << m_command << ": the trace was not kept: " << m_writer->errorString() << "\n";
    }

    bool open(const QString &path)
    {
        m_writer = std::make_unique<SafeFileWriter>(path);
        if (!m_writer->open())
            return false;
        m_clock.start();
        return true;
    }

    QString errorString() const { return m_writer ? m_writer->errorString() : QString(); }

    void attach(CMSComm &comm)
    {
        comm.setTrace([this](CMSComm::TraceEvent event, const QByteArray &bytes) { write(event, bytes); });
    }

private:
    void write(CMSComm::TraceEvent event, const QByteArray &bytes)
    {
        static const char *const kTags[] = {"TX", "RX", "DROP"};
        const qint64 us = m_clock.nsecsElapsed() / 1000;
        std::lock_guard<std::mutex> lock(m_mutex);
        // A failed write is remembered by the writer and told at the end.
        m_writer->write(QByteArray::number(us / 1000000) + '.' + QByteArray::number(us % 1000000).rightJustified(6, '0')
                        + ' ' + kTags[int(event)] + ' ' + bytes.toHex(' ') + '\n');
    }

    QString m_command;
    CommandIo &m_io;
    std::unique_ptr<SafeFileWriter> m_writer;
    QElapsedTimer m_clock;
    std::mutex m_mutex;
};

// What read and write share: the parsed command line, settings, port.
struct TransferRun
{
    QString command;
    QString port;
    QString file;
    QString tracePath;
    bool verify = false;
    bool forceModel = false;
    bool force = false;
    bool acceptDamaged = false;
    std::unique_ptr<AppSettings> settings;

    // The port for messages: its number and the device it names.
    QString portText() const { return PortNames::describe(settings.get(), port); }
};

std::optional<int> parseTransfer(const QString &command, const QStringList &args, CommandIo &io, TransferRun &run)
{
    const bool reading = command == QLatin1String("read");
    const char *usage = reading ? kReadUsage : kWriteUsage;
    QCommandLineParser parser;
    addCommonOptions(parser);
    parser.addOption(QCommandLineOption(QStringLiteral("port"), QStringLiteral("Port number 1..16 or device path."),
                                        QStringLiteral("P")));
    parser.addOption(QCommandLineOption(QStringLiteral("trace"), QStringLiteral("Write every byte to FILE."),
                                        QStringLiteral("FILE")));
    if (reading) {
        parser.addOption(QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                            QStringLiteral("The .dat file to write."), QStringLiteral("FILE")));
        parser.addOption(QCommandLineOption(QStringLiteral("accept-damaged"),
                                            QStringLiteral("Save blocks whose sum stayed wrong as received.")));
    } else {
        parser.addOption(QCommandLineOption(QStringLiteral("verify"), QStringLiteral("Read back and compare.")));
        parser.addOption(QCommandLineOption(QStringLiteral("force-model"),
                                            QStringLiteral("Overwrite the radio's model identification.")));
        parser.addOption(QCommandLineOption(QStringLiteral("force"),
                                            QStringLiteral("Write a file of the wrong size.")));
        parser.addOption(modelOption());
    }
    if (!parseArgs(parser, command, args, io))
        return ExitUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        io.out << usage;
        return ExitOk;
    }
    run.command = command;
    run.port = parser.value(QStringLiteral("port")).trimmed();
    run.tracePath = parser.value(QStringLiteral("trace"));
    const QStringList positional = parser.positionalArguments();
    if (!noStrayArguments(command, positional, reading ? 0 : 1, io))
        return ExitUsage;
    if (reading) {
        run.file = parser.isSet(QStringLiteral("o")) ? parser.value(QStringLiteral("o")) : QStringLiteral("radio.dat");
        run.acceptDamaged = parser.isSet(QStringLiteral("accept-damaged"));
    } else {
        run.file = positional.value(0);
        run.verify = parser.isSet(QStringLiteral("verify"));
        run.forceModel = parser.isSet(QStringLiteral("force-model"));
        run.force = parser.isSet(QStringLiteral("force"));
    }
    if (run.port.isEmpty() || run.file.isEmpty()) {
        io.err << usage;
        return ExitUsage;
    }
    if (const QString notAPort = PortNames::whyNotAPort(run.port); !notAPort.isEmpty()) {
        io.err << "rq381 " << command << ": " << notAPort << "\n";
        return ExitUsage;
    }
    // Before anything is opened: a trace must not overwrite the codeplug,
    // and a read must have somewhere to go.
    if (!checkTracePath(command, run.tracePath, {run.file}, io))
        return ExitUsage;
    if (reading && !checkOutputPath(command, run.file, io))
        return ExitFailure;
    run.settings = loadSettings(parser, io);
    if (!run.settings)
        return ExitFailure;
    if (PortNames::resolve(run.settings.get(), run.port).isEmpty()) {
        io.err << "rq381 " << command << ": port " << run.port << " names no serial device (see rq381 ports)\n";
        return ExitPortError;
    }
    return std::nullopt;
}

// Runs one transfer to its end, drawing the percentage on a terminal.
TransferStatus waitForJob(TransferJob &job, const char *verb, CommandIo &io);

TransferStatus runJob(TransferJob &job, TransferDirection direction, CommandIo &io)
{
    job.start(direction);
    return waitForJob(job, direction == TransferDirection::Read ? "reading" : "writing", io);
}

TransferStatus waitForJob(TransferJob &job, const char *verb, CommandIo &io)
{
    int shown = -1;
    while (!job.waitForEnd(kProgressTickMs)) {
        if (io.errIsTerminal && job.progress() != shown) {
            shown = job.progress();
            io.err << "\r" << verb << " " << shown << "%";
            io.err.flush();
        }
    }
    if (io.errIsTerminal && shown >= 0)
        io.err << "\r" << verb << " " << job.progress() << "%\n";
    return job.status();
}

// What stopped a transfer before its blocks, as the message names it.
QString failureStep(TransferFailure failure, TransferDirection direction)
{
    const QString request = direction == TransferDirection::Read ? QStringLiteral("read") : QStringLiteral("write");
    switch (failure) {
    case TransferFailure::NoHandshake: return QStringLiteral("no answer to the handshake");
    case TransferFailure::NoModelReply: return QStringLiteral("no answer to the model query");
    case TransferFailure::NoQuery05Reply: return QStringLiteral("the identification query failed");
    case TransferFailure::NoVersionReply: return QStringLiteral("the version query failed");
    case TransferFailure::RequestUnanswered: return QStringLiteral("no answer to the %1 request").arg(request);
    case TransferFailure::RequestRefused: return QStringLiteral("the radio refused the %1 request").arg(request);
    default: break;
    }
    return QStringLiteral("the radio did not answer");
}

// The exit status and one-line message of every status but success. A radio
// that never answered leaves everything as it was (port error); a transfer
// that broke off after it started is a failed transfer.
int reportFailure(const TransferRun &run, const TransferJob &job, CommandIo &io)
{
    io.err << "rq381 " << run.command << ": ";
    const TransferFailure failure = job.failure();
    switch (job.status()) {
    case TransferStatus::PortError:
        if (failure == TransferFailure::PortNotOpened || !job.portOpened()) {
            io.err << "cannot open port " << run.portText();
            if (const PortProblem problem = job.openProblem(); problem.kind != PortProblem::Kind::None)
                io.err << ": " << problem.englishText();
            io.err << "\n";
            return ExitPortError;
        }
        io.err << failureStep(failure, job.direction()) << " on port " << run.portText() << "; nothing was "
               << (job.direction() == TransferDirection::Read ? "read" : "written") << "\n";
        return ExitPortError;
    case TransferStatus::ModelMismatch:
    case TransferStatus::ModelMismatchOverwritable:
        io.err << "the radio is another model than the codeplug";
        if (job.status() == TransferStatus::ModelMismatchOverwritable)
            io.err << " (--force-model writes the codeplug's model into the radio)";
        io.err << "\n";
        return ExitModelMismatch;
    case TransferStatus::ReadFailed:
        if (failure == TransferFailure::EndNotAcknowledged)
            io.err << "every block was read, but the radio did not acknowledge the end of the read; nothing was saved\n";
        else
            io.err << "the read broke off at " << job.progress() << "%; nothing was saved\n";
        return ExitTransferFailed;
    case TransferStatus::WriteFailed:
        io.err << "the write broke off at " << job.progress() << "%; the radio holds a partial codeplug\n";
        return ExitTransferFailed;
    default:
        io.err << "the transfer ended without a result (" << statusName(job.status()) << ")\n";
        return ExitTransferFailed;
    }
}

QString hexAddress(int address)
{
    return QStringLiteral("0x") + QString::number(address, 16).rightJustified(4, QLatin1Char('0'));
}

QString versionText(const AppSettings &settings)
{
    return QStringLiteral("MCU %1, data %2, CID %3").arg(settings.mcuVersion, settings.dataVersion, settings.cid);
}

// "1 block at 0x0400" or "3 blocks (the first at 0x0400)".
QString blocksAt(int count, int firstAddress)
{
    const QString blocks = counted(count, QStringLiteral("block"));
    return count == 1 ? QStringLiteral("%1 at %2").arg(blocks, hexAddress(firstAddress))
                      : QStringLiteral("%1 (the first at %2)").arg(blocks, hexAddress(firstAddress));
}

// Reads the radio back after a write and compares every block the write sent.
int verifyWrite(const TransferRun &run, TransferJob &job, CommandIo &io)
{
    if (!job.startVerify() || waitForJob(job, "verifying", io) != TransferStatus::ReadDone) {
        io.err << "rq381 write: the write went through, but reading it back failed:\n";
        reportFailure(run, job, io);
        return ExitTransferFailed;
    }
    const WriteVerification verification = job.verification();
    if (verification.passed())
        return ExitOk;
    const QString notReadBack = verification.unverifiedBlocks == 0
        ? QString()
        : QStringLiteral("%1 not read back intact and not verified")
              .arg(blocksAt(verification.unverifiedBlocks, verification.firstUnverifiedAddress));
    if (verification.differingBlocks > 0) {
        io.err << "rq381 write: verify failed: " << verification.differingBlocks << " of "
               << counted(Protocol::kWrittenBlockCount, QStringLiteral("block"))
               << (verification.differingBlocks == 1 ? " differs" : " differ") << ", the first at "
               << hexAddress(verification.firstDifferingAddress);
        if (!notReadBack.isEmpty())
            io.err << "; " << notReadBack;
        io.err << "\n";
        return ExitTransferFailed;
    }
    io.err << "rq381 write: verify incomplete: " << notReadBack << "; the other blocks match\n";
    return ExitTransferFailed;
}

}

int runRead(const QStringList &args, CommandIo &io)
{
    TransferRun run;
    if (const auto status = parseTransfer(QStringLiteral("read"), args, io, run))
        return *status;
    TraceFile trace(run.command, io);
    if (!run.tracePath.isEmpty() && !trace.open(run.tracePath)) {
        io.err << "rq381 read: " << trace.errorString() << "\n";
        return ExitFailure;
    }

    // The radio's blocks are read over the default codeplug, which is made
    // whatever setting.ini's ranges hold, as at the desktop program's start.
    auto doc = std::make_unique<CPcSoftwareDoc>(*run.settings);
    NewCodeplug::makeAnyway(*doc, NewCodeplug::kStartRange);
    CMSComm comm(run.settings.get());
    if (!run.tracePath.isEmpty())
        trace.attach(comm);
    TransferJob job(*doc, comm);
    job.setPortName(run.port);
    if (runJob(job, TransferDirection::Read, io) != TransferStatus::ReadDone)
        return reportFailure(run, job, io);
    const QList<int> damaged = job.damagedAddresses();
    if (!damaged.isEmpty() && !run.acceptDamaged) {
        io.err << "rq381 read: " << blocksAt(int(damaged.size()), damaged.first())
               << " kept failing the sum check when asked for again; nothing was saved (--accept-damaged saves "
                  "such blocks as received)\n";
        return ExitTransferFailed;
    }
    if (!saveCodeplug(*doc, run.file, io))
        return ExitFailure;
    if (!damaged.isEmpty())
        io.err << "rq381 read: warning: " << blocksAt(int(damaged.size()), damaged.first())
               << " kept failing the sum check; saved as received, as --accept-damaged asks\n";
    if (job.skippedBlocks() > 0)
        io.err << "rq381 read: warning: " << counted(job.skippedBlocks(), QStringLiteral("block"))
               << " came back with another address; "
               << (job.skippedBlocks() == 1 ? "it keeps" : "they keep") << " the default codeplug's bytes\n";
    io.out << "Read the radio into " << run.file << " (" << versionText(*run.settings) << ")\n";
    return ExitOk;
}

int runWrite(const QStringList &args, CommandIo &io)
{
    TransferRun run;
    if (const auto status = parseTransfer(QStringLiteral("write"), args, io, run))
        return *status;
    auto doc = loadCodeplug(*run.settings, run.file, io);
    if (!doc)
        return ExitFailure;
    // Missing bytes would be written as blank memory: a truncated file would
    // wipe the radio.
    if (doc->loadedFromOddSizedFile()) {
        const QString note = DataFile::sizeNote(run.file, doc->loadedFileSize());
        if (!run.force) {
            io.err << "rq381 write: " << note << "; it is not written (--force writes it anyway)\n";
            return ExitFailure;
        }
        io.err << "rq381 write: warning: " << note << "; writing it as --force asks\n";
    }
    TraceFile trace(run.command, io);
    if (!run.tracePath.isEmpty() && !trace.open(run.tracePath)) {
        io.err << "rq381 write: " << trace.errorString() << "\n";
        return ExitFailure;
    }

    CMSComm comm(run.settings.get());
    if (!run.tracePath.isEmpty())
        trace.attach(comm);
    TransferJob job(*doc, comm);
    job.setPortName(run.port);
    TransferStatus status = runJob(job, TransferDirection::Write, io);
    if (status == TransferStatus::ModelMismatchOverwritable && run.forceModel) {
        StreamPrompter prompter(*run.settings, io);
        // Only the port given: a command line does not hunt the radio on
        // other devices, nor change the stored port.
        if (!job.writeModelIdentification(prompter, false))
            return ExitModelMismatch;
        io.err << "rq381 write: wrote the codeplug's model identification into the radio\n";
        status = runJob(job, TransferDirection::Write, io);
    }
    if (status != TransferStatus::WriteDone)
        return reportFailure(run, job, io);

    if (run.verify) {
        if (const int verified = verifyWrite(run, job, io); verified != ExitOk)
            return verified;
        io.out << "Wrote " << run.file << " into the radio and verified all "
               << counted(Protocol::kWrittenBlockCount, QStringLiteral("block")) << " (" << versionText(*run.settings)
               << ")\n";
        return ExitOk;
    }
    io.out << "Wrote " << run.file << " into the radio (" << versionText(*run.settings) << ")\n";
    return ExitOk;
}

int runPorts(const QStringList &args, CommandIo &io)
{
    QCommandLineParser parser;
    addCommonOptions(parser);
    if (!parseArgs(parser, QStringLiteral("ports"), args, io))
        return ExitUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        io.out << "Usage: rq381 ports [--config DIR]\nLists the port numbers 1..16 and the devices they name.\n";
        return ExitOk;
    }
    if (!parser.positionalArguments().isEmpty()) {
        io.err << "rq381 ports: unexpected argument '" << parser.positionalArguments().first() << "'\n";
        return ExitUsage;
    }
    auto settings = loadSettings(parser, io);
    if (!settings)
        return ExitFailure;
    const QString stored = PortNames::storedPort(*settings);
    int listed = 0;
    for (int n = PortNames::kFirstPort; n <= PortNames::kLastPort; ++n) {
        const QString device = PortNames::deviceFor(settings.get(), n);
        if (device.isEmpty())
            continue;
        ++listed;
        io.out << QString::number(n).rightJustified(2) << "  " << device;
        if (stored == QString::number(n))
            io.out << "  (stored port)";
        io.out << "\n";
    }
    if (listed == 0)
        io.out << "No serial ports found.\n";
    int storedNumber = 0;
    if (!PortNames::isNumber(stored, &storedNumber))
        io.out << "The stored port is the device " << stored << "\n";
    else if (PortNames::deviceFor(settings.get(), storedNumber).isEmpty())
        io.out << "The stored port " << stored << " names no device\n";
    return ExitOk;
}
