#include "Commands.h"

// Not built yet.
int runCalib(const QStringList &, CommandIo &io)
{
    io.err << "rq381: this command is not available yet\n";
    return ExitUsage;
}

