// transfer_bench: a full read and a full write of the simulated radio with
// wire timing (every byte paced at 57600 baud), each run as the real
// `rq381` command in a child process. For each it prints the time of the
// block phase (first block request sent to last block reply received, taken
// from the command's --trace), the wire-time lower bound of that phase, their
// ratio, the command's wall time and the child's CPU seconds.
//
//   transfer_bench [--config DIR]   (default: the folder of this program)

#include "RadioSimulator.h"
#include "SimOptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <optional>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace {

constexpr double kByteSeconds = 10.0 / 57600.0;

struct ChildRun
{
    int exitStatus = -1;
    double wallSeconds = 0;
    double cpuSeconds = 0;
};

// Runs a program to its end and measures it (wait4 gives the child's CPU).
std::optional<ChildRun> runChild(const QString &program, const QStringList &args)
{
    QList<QByteArray> storage{program.toLocal8Bit()};
    for (const QString &a : args)
        storage << a.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    const auto begin = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return std::nullopt;
    int status = 0;
    rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid)
        return std::nullopt;
    ChildRun run;
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    run.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec
        + usage.ru_stime.tv_usec / 1e6;
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

struct TraceLine
{
    double time = 0;
    QByteArray tag;
    int length = 0;
    uint8_t first = 0;
};

QList<TraceLine> readTrace(const QString &path)
{
    QList<TraceLine> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(' ');
        if (fields.size() < 3)
            continue;
        TraceLine line;
        line.time = fields[0].toDouble();
        line.tag = fields[1];
        line.length = int(fields.size()) - 2;
        line.first = uint8_t(fields[2].toUInt(nullptr, 16));
        lines << line;
    }
    return lines;
}

// First block command sent to the last bytes received before the command
// after the last block command.
std::optional<double> blockPhaseSeconds(const QList<TraceLine> &lines, uint8_t command, int length)
{
    int first = -1;
    int last = -1;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].tag == "TX" && lines[i].first == command && lines[i].length == length) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return std::nullopt;
    double end = -1;
    for (int i = last + 1; i < lines.size() && lines[i].tag != "TX"; ++i)
        if (lines[i].tag == "RX")
            end = lines[i].time;
    if (end < 0)
        return std::nullopt;
    return end - lines[first].time;
}

bool report(const char *name, const std::optional<ChildRun> &run, const QString &tracePath, uint8_t command,
            int commandLength, int blocks, int bytesPerBlock)
{
    if (!run || run->exitStatus != 0) {
        std::printf("%s: the command failed (exit status %d)\n", name, run ? run->exitStatus : -1);
        return false;
    }
    const auto phase = blockPhaseSeconds(readTrace(tracePath), command, commandLength);
    if (!phase) {
        std::printf("%s: no block phase in the trace\n", name);
        return false;
    }
    const double bound = blocks * bytesPerBlock * kByteSeconds;
    const double ratio = *phase / bound;
    const double cpuShare = 100.0 * run->cpuSeconds / run->wallSeconds;
    std::printf("%-6s block phase %8.3f s   wire bound %8.3f s   ratio %.4f   wall %7.3f s   CPU %.3f s (%.2f%% of wall)\n",
                name, *phase, bound, ratio, run->wallSeconds, run->cpuSeconds, cpuShare);
    std::printf("       targets: ratio <= 1.02 %s, CPU < 2%% of wall %s\n", ratio <= 1.02 ? "met" : "MISSED",
                cpuShare < 2.0 ? "met" : "MISSED");
    return true;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int configIndex = int(args.indexOf(QStringLiteral("--config")));
    const QString configDir = configIndex > 0 && configIndex + 1 < args.size() ? args[configIndex + 1]
                                                                               : QCoreApplication::applicationDirPath();
    const QString cli = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("rq381"));
    if (!QFile::exists(cli)) {
        std::fprintf(stderr, "transfer_bench: %s not found; build the rq381 target first\n", qPrintable(cli));
        return 1;
    }

    SimOptions options;
    options.configDir = configDir;
    options.wireTiming = true;
    RadioState state;
    QString error;
    if (!loadRadioState(options, state, &error)) {
        std::fprintf(stderr, "transfer_bench: %s\n", qPrintable(error));
        return 1;
    }
    RadioSimulator radio(options, state);
    if (!radio.start(&error)) {
        std::fprintf(stderr, "transfer_bench: %s\n", qPrintable(error));
        return 1;
    }
    QTemporaryDir work;
    const QString device = radio.devicePath();
    const QString codeplug = work.filePath(QStringLiteral("radio.dat"));
    const QString readTrace = work.filePath(QStringLiteral("read.trace"));
    const QString writeTrace = work.filePath(QStringLiteral("write.trace"));
    std::printf("Simulated radio on %s, 57600 baud wire timing\n", qPrintable(device));
    // Other processes competing for the processors delay every wake-up.
    QFile loadAverage(QStringLiteral("/proc/loadavg"));
    if (loadAverage.open(QIODevice::ReadOnly))
        std::printf("Load average: %s\n", loadAverage.readLine().trimmed().constData());

    const auto read = runChild(cli, {QStringLiteral("read"), QStringLiteral("--port"), device, QStringLiteral("-o"),
                                     codeplug, QStringLiteral("--config"), configDir, QStringLiteral("--trace"), readTrace});
    const bool readOk = report("read", read, readTrace, 0x52, 4, 1024, 4 + 69);
    bool writeOk = false;
    if (readOk) {
        const auto write = runChild(cli, {QStringLiteral("write"), QStringLiteral("--port"), device, codeplug,
                                          QStringLiteral("--config"), configDir, QStringLiteral("--trace"), writeTrace});
        writeOk = report("write", write, writeTrace, 0x57, 69, 834, 69 + 1);
    }
    radio.stop();
    return readOk && writeOk ? 0 : 1;
}
