#pragma once

// A simulated radio on a real pseudo-terminal, a default codeplug document
// and the transfer job that connects them, for the codeplug link tests.

#include "RadioSimulator.h"
#include "TestSupport.h"

#include "link/CMSComm.h"
#include "link/TransferJob.h"

#include <gtest/gtest.h>

// Short pauses and a short reply time-out, so failing cases end quickly.
inline ProtocolTimings quickTimings()
{
    return {.replyTimeoutMs = 150, .openPauseMs = 5, .retryPauseMs = 20, .writeDonePauseMs = 5};
}

struct LinkRig
{
    explicit LinkRig(const SimOptions &options = SimOptions(), const QString &basic = QStringLiteral("1"))
        : sim(options, initialState(options))
    {
        document.config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("basic"), basic);
        QString error;
        started = sim.start(&error);
        EXPECT_TRUE(started) << error.toStdString();
        job.setPortName(sim.devicePath());
        job.setTimings(quickTimings());
    }

    // Radio memory that differs from the default codeplug almost everywhere
    // but its model identification, which is the document's unless the
    // options name another one.
    RadioState initialState(const SimOptions &options)
    {
        RadioState state;
        for (int a = 0; a < RadioState::kMemorySize; ++a)
            state.memory[a] = uint8_t((a * 31 + (a >> 8) + 7) & 0xFF);
        std::copy_n(document.image(), 8, state.memory.begin());
        state.modelId = options.model.isEmpty() ? documentRange(0, 8)
                                                : options.model.toLatin1().leftJustified(8, char(0xFF), true);
        return state;
    }

    TransferStatus run(TransferDirection direction)
    {
        job.start(direction);
        return job.waitForEnd();
    }

    void mapPorts(int radioPort) { ::mapPorts(document.config, radioPort, sim.devicePath()); }

    QByteArray documentBytes() const { return imageOf(*document.doc); }
    QByteArray radioBytes(int from, int to)
    {
        return sim.inspect([&](RadioState &s) {
            QByteArray bytes;
            for (int a = from; a < to; ++a)
                bytes += char(s.byteAt(a));
            return bytes;
        });
    }
    QByteArray documentRange(int from, int to) const { return documentBytes().mid(from, to - from); }

    TestDocument document;
    RadioSimulator sim;
    bool started = false;
    CMSComm comm{&document.config.settings()};
    TransferJob job{*document.doc, comm};
};
