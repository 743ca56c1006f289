#pragma once

#include <QStringList>
#include <QTextStream>

// The sub-commands of rq381. Each takes the arguments after its own name and
// returns the process exit status; messages go to out and err.
struct CommandIo
{
    QTextStream &out;
    QTextStream &err;
    bool errIsTerminal = false;  // progress is printed only to a terminal
};

int runNew(const QStringList &args, CommandIo &io);
int runInfo(const QStringList &args, CommandIo &io);
int runEdit(const QStringList &args, CommandIo &io);
int runExport(const QStringList &args, CommandIo &io);
int runImport(const QStringList &args, CommandIo &io);
int runDiff(const QStringList &args, CommandIo &io);
int runContacts(const QStringList &args, CommandIo &io);
int runChannels(const QStringList &args, CommandIo &io);
int runRead(const QStringList &args, CommandIo &io);
int runWrite(const QStringList &args, CommandIo &io);
int runCalib(const QStringList &args, CommandIo &io);
int runPorts(const QStringList &args, CommandIo &io);

// Runs `rq381 ARGS...` (args without the program name).
int runCli(const QStringList &args, CommandIo &io);

// Exit statuses shared by all commands.
enum ExitStatus {
    ExitOk = 0,
    ExitFailure = 1,        // bad file, refused operation, failed save
    ExitUsage = 2,          // bad command line
    ExitPortError = 3,      // the serial port could not be opened
    ExitModelMismatch = 4,  // the radio is another model
    ExitTransferFailed = 5, // the radio did not answer or the transfer broke off
};
