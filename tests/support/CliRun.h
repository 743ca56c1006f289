#pragma once

// Runs the rq381 command line in-process and captures what it prints.
// Only for test programs that link the command library.

#include "Commands.h"

#include <QStringList>
#include <QTextStream>

struct CliRun
{
    int status = -1;
    QString out;
    QString err;
};

inline CliRun runRq381(const QStringList &args)
{
    CliRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    CommandIo io{out, err, false};
    result.status = runCli(args, io);
    out.flush();
    err.flush();
    return result;
}
