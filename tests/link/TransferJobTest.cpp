#include "PtyPair.h"
#include "TestSupport.h"

#include "link/CMSComm.h"
#include "link/TransferJob.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <thread>

namespace {

const ProtocolTimings kQuick{.replyTimeoutMs = 60, .openPauseMs = 5, .retryPauseMs = 20, .writeDonePauseMs = 5};

}

TEST(TransferJob, ReadFromAMissingPortChangesNothing)
{
    TestDocument document;
    const std::vector<uint8_t> before(document.image(), document.image() + 0x40000);
    document.config.settings().mcuVersion = QStringLiteral("old");
    CMSComm comm(&document.config.settings());
    TransferJob job(*document.doc, comm);
    job.setPortName(QStringLiteral("/dev/no-such-radio"));
    job.setTimings(kQuick);

    ASSERT_TRUE(job.start(TransferDirection::Read));
    EXPECT_TRUE(job.isRunning());
    EXPECT_FALSE(job.start(TransferDirection::Read));  // one transfer at a time
    job.waitForEnd();
    EXPECT_EQ(job.status(), TransferStatus::PortError);
    EXPECT_FALSE(job.portOpened());
    EXPECT_FALSE(job.isRunning());
    // Not even the time stamp: a failed read leaves the codeplug as it was.
    EXPECT_TRUE(std::equal(before.begin(), before.end(), document.image()));
    EXPECT_EQ(document.config.settings().mcuVersion, "old");
}

TEST(TransferJob, WriteStampsTheDocumentAndAPortThatNeverAnswersIsAPortError)
{
    PtyPair silentRadio;
    TestDocument document;
    CMSComm comm;
    TransferJob job(*document.doc, comm);
    job.setPortName(silentRadio.path());
    job.setTimings(kQuick);

    const QDateTime when(QDate(2025, 1, 2), QTime(3, 4, 5));
    ASSERT_TRUE(job.start(TransferDirection::Write, when));
    EXPECT_EQ(bytesAt(document.image(), 0x30, 7), "20 25 01 02 03 04 05");
    EXPECT_EQ(bytesAt(document.image(), 0x7100, 5), "FF FF FF 01 01");
    while (!isEndStatus(job.poll()))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(job.status(), TransferStatus::PortError);
    EXPECT_TRUE(job.portOpened());
    EXPECT_FALSE(job.isRunning());  // poll() collected the worker
    // Three attempts of three handshakes each.
    EXPECT_EQ(silentRadio.read(50).count("PROGRAM"), 9);
}

TEST(TransferJob, CancelStopsTheHandshakeAndLeavesThePortClosed)
{
    PtyPair silentRadio;
    TestDocument document;
    CMSComm comm;
    TransferJob job(*document.doc, comm);
    job.setPortName(silentRadio.path());  // default timings: 500 ms per reply

    ASSERT_TRUE(job.start(TransferDirection::Read));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    QElapsedTimer clock;
    clock.start();
    job.cancel();
    EXPECT_LT(clock.elapsed(), 700);  // at most one reply time-out
    EXPECT_FALSE(job.isRunning());
    EXPECT_FALSE(comm.IsPortOpen());
    EXPECT_FALSE(isEndStatus(job.status()));  // a cancelled transfer reports nothing more
}
