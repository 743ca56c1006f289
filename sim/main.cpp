// rq381-sim: a simulated radio on a pseudo-terminal. Prints the device path
// as its first line, serves until SIGINT or SIGTERM (or a disconnect fault),
// then writes its memory out when --save asks for it.

#include "RadioSimulator.h"
#include "SimOptions.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <thread>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(qPrintable(SimOptions::usage()), stdout);
        return 0;
    }
    if (args.contains(QStringLiteral("--version"))) {
        std::printf("rq381-sim %s\n", RQ381_VERSION);
        return 0;
    }
    SimOptions options;
    QString error;
    if (!SimOptions::parse(args, options, &error)) {
        std::fprintf(stderr, "rq381-sim: %s\n%s", qPrintable(error), qPrintable(SimOptions::usage()));
        return 2;
    }
    RadioState state;
    if (!loadRadioState(options, state, &error)) {
        std::fprintf(stderr, "rq381-sim: %s\n", qPrintable(error));
        return 1;
    }

    // The signals are taken by a thread of their own; every other thread
    // inherits the blocked mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    RadioSimulator simulator(options, state);
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "rq381-sim: cannot open a pseudo-terminal: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(simulator.devicePath()));
    std::fflush(stdout);

    std::thread([&simulator, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        simulator.requestStop();
    }).detach();
    simulator.wait();

    if (!options.savePath.isEmpty()) {
        const bool saved = simulator.inspect([&](RadioState &s) { return saveRadioMemory(s, options.savePath, &error); });
        if (!saved) {
            std::fprintf(stderr, "rq381-sim: %s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
