#include "Commands.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rq381"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RQ381_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandIo io{out, err, isatty(fileno(stderr)) != 0};
    QStringList args = app.arguments();
    args.removeFirst();
    const int status = runCli(args, io);
    out.flush();
    err.flush();
    return status;
}
