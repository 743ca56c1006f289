#include "CliSupport.h"

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
    "Usage: rq381 read --port P [-o FILE.dat] [--config DIR] [--trace FILE]\n"
    "Reads the radio's codeplug into FILE.dat (default radio.dat).\n"
    "P is a port number 1..16 or a device path.\n";
const char kWriteUsage[] =
    "Usage: rq381 write --port P FILE.dat [--config DIR] [--verify] [--force-model] [--trace FILE]\n"
    "Writes FILE.dat into the radio. --verify reads the radio back and compares\n"
    "every byte written; --force-model writes the codeplug's model identification\n"
    "into a radio of another model and writes again.\n";

// Progress is redrawn at most this often while a transfer runs.
constexpr int kProgressTickMs = 100;

// Writes every byte on the line with a time stamp (seconds since the
// command began): "0.012345 TX 50 52 4F ...", RX for bytes received, DROP
// for bytes dropped before a command.
class TraceFile
{
public:
    bool open(const QString &path)
    {
        m_file.setFileName(path);
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return false;
        m_clock.start();
        return true;
    }

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
        m_file.write(QByteArray::number(us / 1000000) + '.' + QByteArray::number(us % 1000000).rightJustified(6, '0')
                     + ' ' + kTags[int(event)] + ' ' + bytes.toHex(' ') + '\n');
    }

    QFile m_file;
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
    std::unique_ptr<AppSettings> settings;
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
    } else {
        parser.addOption(QCommandLineOption(QStringLiteral("verify"), QStringLiteral("Read back and compare.")));
        parser.addOption(QCommandLineOption(QStringLiteral("force-model"),
                                            QStringLiteral("Overwrite the radio's model identification.")));
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
    if (reading) {
        run.file = parser.isSet(QStringLiteral("o")) ? parser.value(QStringLiteral("o")) : QStringLiteral("radio.dat");
        if (!positional.isEmpty())
            run.file.clear();
    } else {
        run.file = positional.size() == 1 ? positional.first() : QString();
        run.verify = parser.isSet(QStringLiteral("verify"));
        run.forceModel = parser.isSet(QStringLiteral("force-model"));
    }
    if (run.port.isEmpty() || run.file.isEmpty()) {
        io.err << usage;
        return ExitUsage;
    }
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
TransferStatus runJob(TransferJob &job, TransferDirection direction, CommandIo &io)
{
    job.start(direction);
    const char *verb = direction == TransferDirection::Read ? "reading" : "writing";
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

// The exit status and one-line message of every status but success.
int reportFailure(const TransferRun &run, const TransferJob &job, CommandIo &io)
{
    io.err << "rq381 " << run.command << ": ";
    switch (job.status()) {
    case TransferStatus::PortError:
        if (!job.portOpened()) {
            io.err << "cannot open port " << run.port;
            if (const PortProblem problem = job.openProblem(); problem.kind != PortProblem::Kind::None)
                io.err << ": " << problem.englishText();
            io.err << "\n";
            return ExitPortError;
        }
        io.err << "the radio on " << run.port << " did not answer or refused the transfer\n";
        return ExitTransferFailed;
    case TransferStatus::ModelMismatch:
    case TransferStatus::ModelMismatchOverwritable:
        io.err << "the radio is another model than the codeplug";
        if (job.status() == TransferStatus::ModelMismatchOverwritable)
            io.err << " (--force-model writes the codeplug's model into the radio)";
        io.err << "\n";
        return ExitModelMismatch;
    case TransferStatus::ReadFailed:
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

QString versionText(const AppSettings &settings)
{
    return QStringLiteral("MCU %1, data %2, CID %3").arg(settings.mcuVersion, settings.dataVersion, settings.cid);
}

// Reads the radio back and compares every block the write sent.
int verifyWrite(const TransferRun &run, CMSComm &comm, const QByteArray &sent, CommandIo &io)
{
    auto readBack = newDefaultDocument(*run.settings);
    // The read-back's model check ([setup] basic 0) must compare with the
    // model just written, not with the default codeplug's.
    std::copy_n(sent.constData(), Protocol::kModelIdLength, readBack->image());
    TransferJob job(*readBack, comm);
    job.setPortName(run.port);
    if (runJob(job, TransferDirection::Read, io) != TransferStatus::ReadDone) {
        io.err << "rq381 write: the write went through, but reading it back failed:\n";
        reportFailure(run, job, io);
        return ExitTransferFailed;
    }
    int differing = 0;
    int firstAddress = -1;
    for (int address = 0; address < Protocol::kRadioMemorySize; address += Protocol::kBlockSize) {
        if (!Protocol::isWrittenBlock(address))
            continue;
        if (std::memcmp(sent.constData() + address, readBack->image() + address, Protocol::kBlockSize) != 0) {
            ++differing;
            if (firstAddress < 0)
                firstAddress = address;
        }
    }
    if (differing > 0) {
        io.err << "rq381 write: verify failed: " << differing << " of " << Protocol::kWrittenBlockCount
               << " blocks differ, the first at 0x" << QString::number(firstAddress, 16).rightJustified(4, QLatin1Char('0'))
               << "\n";
        return ExitTransferFailed;
    }
    return ExitOk;
}

}

int runRead(const QStringList &args, CommandIo &io)
{
    TransferRun run;
    if (const auto status = parseTransfer(QStringLiteral("read"), args, io, run))
        return *status;
    TraceFile trace;
    if (!run.tracePath.isEmpty() && !trace.open(run.tracePath)) {
        io.err << "rq381 read: cannot write " << run.tracePath << "\n";
        return ExitFailure;
    }

    auto doc = newDefaultDocument(*run.settings);
    CMSComm comm(run.settings.get());
    if (!run.tracePath.isEmpty())
        trace.attach(comm);
    TransferJob job(*doc, comm);
    job.setPortName(run.port);
    if (runJob(job, TransferDirection::Read, io) != TransferStatus::ReadDone)
        return reportFailure(run, job, io);
    if (!saveCodeplug(*doc, run.file, io))
        return ExitFailure;
    if (job.skippedBlocks() > 0)
        io.err << "rq381 read: warning: " << job.skippedBlocks()
               << " blocks came back with another address and keep the default codeplug's bytes\n";
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
    TraceFile trace;
    if (!run.tracePath.isEmpty() && !trace.open(run.tracePath)) {
        io.err << "rq381 write: cannot write " << run.tracePath << "\n";
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
        if (!job.writeModelIdentification(prompter))
            return ExitModelMismatch;
        io.err << "rq381 write: wrote the codeplug's model identification into the radio\n";
        status = runJob(job, TransferDirection::Write, io);
    }
    if (status != TransferStatus::WriteDone)
        return reportFailure(run, job, io);

    if (run.verify) {
        const QByteArray sent(reinterpret_cast<const char *>(job.transferImage()), Protocol::kRadioMemorySize);
        if (const int verified = verifyWrite(run, comm, sent, io); verified != ExitOk)
            return verified;
        io.out << "Wrote " << run.file << " into the radio and verified every block (" << versionText(*run.settings)
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
