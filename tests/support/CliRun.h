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

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

// A private configuration folder holding a new codeplug cp.dat, with the
// command line run against that configuration.
struct CliFolder
{
    explicit CliFolder(const QString &model = QString()) : config(model), dat(path(QStringLiteral("cp.dat")))
    {
        EXPECT_EQ(run({QStringLiteral("new"), QStringLiteral("-o"), dat}).status, ExitOk);
    }
    QString path(const QString &name) const { return QDir(config.dir()).filePath(name); }
    CliRun run(const QStringList &args) const { return runRq381(args + QStringList{QStringLiteral("--config"), config.dir()}); }
    // Writes a file into the folder and gives its path.
    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path(name);
    }

    TestConfig config;
    QString dat;
};
