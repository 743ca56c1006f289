#include "CliSupport.h"

#include "calibration/CMSCommServicePort.h"
#include "calibration/CalibrationBackup.h"
#include "calibration/ServiceProtocol.h"
#include "calibration/TestDataFile.h"
#include "link/CMSComm.h"
#include "link/PortNames.h"

namespace {

const char kCalibUsage[] =
    "Usage: rq381 calib read --port P -o FILE.test [--no-backup] [--config DIR]\n"
    "       rq381 calib write --port P FILE.test [--config DIR]\n"
    "Reads or writes the radio's calibration memory in service mode.\n"
    "P is a port number 1..16 or a device path. A read also keeps a time-stamped\n"
    "copy in the calibration backup folder unless --no-backup is given.\n";

struct CalibRun
{
    QString verb;
    std::unique_ptr<AppSettings> settings;
    QString port;
    QString file;
    bool backup = true;

    // The port for messages: its number and the device it names.
    QString portText() const { return PortNames::describe(settings.get(), port); }
};

// Prints a success in the language the service mode uses.
int reportSuccess(CalibrationMessage message, const CalibRun &run, CommandIo &io)
{
    io.out << CalibrationMessages::text(message, run.settings->calibrationInChinese()) << "\n";
    return ExitOk;
}

// A failure names its step, the port and what it leaves behind, as the
// codeplug commands do: a link-up that failed exchanged no calibration data
// (exit 3, as a silent radio), a transfer that broke off is exit 5.
int reportFailure(const ServiceFailure &failure, const CalibRun &run, CommandIo &io)
{
    const bool reading = run.verb == QLatin1String("read");
    io.err << "rq381 calib " << run.verb << ": " << failure.englishText() << " on port " << run.portText() << "; ";
    if (failure.duringLinkUp())
        io.err << "nothing was " << (reading ? "read" : "written") << "\n";
    else if (reading)
        io.err << "nothing was saved\n";
    else if (failure.step == ServiceFailure::Step::EndOfTransfer)
        io.err << "every block was written\n";
    else
        io.err << "the radio holds the blocks before it\n";
    return failure.duringLinkUp() ? ExitPortError : ExitTransferFailed;
}

// Parses the arguments of read or write; returns an exit status when the
// command cannot go on.
std::optional<int> parseCalib(const QString &verb, const QStringList &args, CommandIo &io, CalibRun &run)
{
    QCommandLineParser parser;
    addCommonOptions(parser);
    parser.addOption(QCommandLineOption(QStringLiteral("port"),
                                        QStringLiteral("Port number 1..16 or device path."), QStringLiteral("P")));
    const bool reading = verb == QLatin1String("read");
    if (reading) {
        parser.addOption(QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                            QStringLiteral("The .test file to write."), QStringLiteral("FILE")));
        parser.addOption(QCommandLineOption(QStringLiteral("no-backup"),
                                            QStringLiteral("Keep no copy in the calibration backup folder.")));
    }
    if (!parseArgs(parser, QStringLiteral("calib ") + verb, args, io))
        return ExitUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        io.out << kCalibUsage;
        return ExitOk;
    }
    run.verb = verb;
    run.port = parser.value(QStringLiteral("port"));
    const QStringList positional = parser.positionalArguments();
    if (!noStrayArguments(QStringLiteral("calib ") + verb, positional, reading ? 0 : 1, io))
        return ExitUsage;
    run.file = reading ? parser.value(QStringLiteral("o")) : positional.value(0);
    run.backup = reading && !parser.isSet(QStringLiteral("no-backup"));
    if (run.port.isEmpty() || run.file.isEmpty()) {
        io.err << kCalibUsage;
        return ExitUsage;
    }
    if (const QString notAPort = PortNames::whyNotAPort(run.port); !notAPort.isEmpty()) {
        io.err << "rq381 calib " << verb << ": " << notAPort << "\n";
        return ExitUsage;
    }
    // Checked before the radio is put into service mode.
    if (reading && !checkOutputPath(QStringLiteral("calib read"), run.file, io))
        return ExitFailure;
    run.settings = loadSettings(parser, io);
    if (!run.settings)
        return ExitFailure;
    return std::nullopt;
}

// Opens the given port and links up. Only that port is tried: a command
// line names its port, and the radio is not hunted on other devices.
std::optional<int> openAndLinkUp(CMSComm &comm, ServiceProtocol &protocol, ServiceProtocol::Mode mode,
                                 const CalibRun &run, CommandIo &io)
{
    if (!comm.OpenPort(run.port, CMSComm::kBaudRate)) {
        io.err << "rq381 calib " << run.verb << ": cannot open port " << run.portText();
        if (comm.openProblem().kind != PortProblem::Kind::None)
            io.err << ": " << comm.openProblem().englishText();
        io.err << "\n";
        return ExitPortError;
    }
    if (protocol.linkUp(mode, 0, false) != CalibrationMessage::None)
        return reportFailure(protocol.lastFailure(), run, io);
    return std::nullopt;
}

int runCalibRead(const QStringList &args, CommandIo &io)
{
    CalibRun run;
    if (const auto status = parseCalib(QStringLiteral("read"), args, io, run))
        return *status;
    CMSComm comm(run.settings.get());
    CMSCommServicePort port(comm);
    ServiceProtocol protocol(port);
    if (const auto status = openAndLinkUp(comm, protocol, ServiceProtocol::Mode::TableRead, run, io))
        return *status;
    CalibrationImage image;
    const CalibrationMessage result = protocol.readBlocks(image);
    comm.ClosePort();
    if (CalibrationMessages::isError(result))
        return reportFailure(protocol.lastFailure(), run, io);
    // The copy comes first: the radio's values are kept even when FILE
    // cannot be written.
    QString backupPath;
    if (run.backup) {
        const CalibrationBackup backup;
        backupPath = backup.save(image, protocol.serialReply());
        if (backupPath.isEmpty())
            io.err << "rq381 calib: warning: cannot keep a copy in " << backup.folder() << "\n";
    }
    if (QString error; !TestDataFile::save(run.file, image, &error)) {
        io.err << "rq381 calib: " << error;
        if (!backupPath.isEmpty())
            io.err << "; the values read are kept in " << backupPath;
        io.err << "\n";
        return ExitFailure;
    }
    const int status = reportSuccess(result, run, io);
    if (!backupPath.isEmpty())
        io.out << "Kept a copy in " << backupPath << "\n";
    return status;
}

int runCalibWrite(const QStringList &args, CommandIo &io)
{
    CalibRun run;
    if (const auto status = parseCalib(QStringLiteral("write"), args, io, run))
        return *status;
    CalibrationImage image;
    switch (TestDataFile::load(run.file, image)) {
    case TestDataFile::LoadResult::Loaded:
        break;
    case TestDataFile::LoadResult::CannotOpen:
        io.err << "rq381 calib: cannot open " << run.file << "\n";
        return ExitFailure;
    case TestDataFile::LoadResult::WrongSize:
        io.err << "rq381 calib: " << run.file << " is not a test-data file (it must hold exactly "
               << CalibrationImage::size() << " bytes)\n";
        return ExitFailure;
    }

    CMSComm comm(run.settings.get());
    CMSCommServicePort port(comm);
    ServiceProtocol protocol(port);
    if (const auto status = openAndLinkUp(comm, protocol, ServiceProtocol::Mode::TableWrite, run, io))
        return *status;
    const CalibrationMessage result = protocol.writeBlocks(image);
    comm.ClosePort();
    if (CalibrationMessages::isError(result))
        return reportFailure(protocol.lastFailure(), run, io);
    return reportSuccess(result, run, io);
}

}

int runCalib(const QStringList &args, CommandIo &io)
{
    const QString verb = args.value(0);
    if (verb == QLatin1String("read"))
        return runCalibRead(args.mid(1), io);
    if (verb == QLatin1String("write"))
        return runCalibWrite(args.mid(1), io);
    if (verb == QLatin1String("--help") || verb == QLatin1String("-h")) {
        io.out << kCalibUsage;
        return ExitOk;
    }
    io.err << kCalibUsage;
    return ExitUsage;
}
