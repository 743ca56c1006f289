#include "Commands.h"

// Not built yet.
int runRead(const QStringList &, CommandIo &io)
{
    io.err << "rq381: this command is not available yet\n";
    return ExitUsage;
}

int runWrite(const QStringList &, CommandIo &io)
{
    io.err << "rq381: this command is not available yet\n";
    return ExitUsage;
}

int runPorts(const QStringList &, CommandIo &io)
{
    io.err << "rq381: this command is not available yet\n";
    return ExitUsage;
}

