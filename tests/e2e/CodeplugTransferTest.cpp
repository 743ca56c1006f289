// Reading and writing the codeplug of the simulated radio over a real
// pseudo-terminal, with the transfer job the desktop dialog and the command
// line use.

#include "LinkRig.h"

#include <QElapsedTimer>
#include <thread>

TEST(CodeplugTransfer, FullReadTakesEveryByteOfTheRadio)
{
    LinkRig rig;
    ASSERT_TRUE(rig.started);
    std::fill_n(rig.document.image() + 0x10000, 16, 0x5A);  // beyond what the protocol reaches

    EXPECT_EQ(rig.run(TransferDirection::Read), TransferStatus::ReadDone);
    EXPECT_EQ(rig.documentRange(0, 0x10000), rig.radioBytes(0, 0x10000));  // calibration area included
    EXPECT_TRUE(allBytesAre(rig.document.image(), 0x10000, 0x10010, 0x5A));
    const AppSettings &settings = rig.document.config.settings();
    EXPECT_EQ(QStringList({settings.mcuVersion, settings.dataVersion, settings.cid}),
              QStringList({"V1.02A", "D2.00B", "0123456789abcdef0011"}));
    EXPECT_FALSE(rig.comm.IsPortOpen());
    rig.sim.inspect([](RadioState &s) {
        EXPECT_EQ(s.readBlockCount, 1024);
        EXPECT_TRUE(s.writtenBlocks.empty());
        EXPECT_EQ(s.events.last(), "end of read");
    });
}

TEST(CodeplugTransfer, FullWriteSendsExactlyTheCodeplugBlocks)
{
    LinkRig rig;
    ASSERT_TRUE(rig.started);
    const QByteArray calibrationBefore = rig.radioBytes(0x0100, 0x0280);
    const QByteArray highBefore = rig.radioBytes(0xD200, 0x10000);

    EXPECT_EQ(rig.run(TransferDirection::Write), TransferStatus::WriteDone);
    std::vector<int> expectedBlocks;  // 0x0000..0x00FF and 0x0280..0xD1FF, in rising order
    for (int a = 0; a < 0xD200; a += 64)
        if (a < 0x0100 || a >= 0x0280)
            expectedBlocks.push_back(a);
    rig.sim.inspect([&](RadioState &s) { EXPECT_EQ(s.writtenBlocks, expectedBlocks); });
    EXPECT_EQ(rig.radioBytes(0, 0x0100), rig.documentRange(0, 0x0100));
    EXPECT_EQ(rig.radioBytes(0x0280, 0xD200), rig.documentRange(0x0280, 0xD200));
    EXPECT_EQ(rig.radioBytes(0x0100, 0x0280), calibrationBefore);
    EXPECT_EQ(rig.radioBytes(0xD200, 0x10000), highBefore);
    // What was sent is what the document held after the write's own changes.
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(rig.job.transferImage()), 0xD200), rig.documentRange(0, 0xD200));
}

// The faults the command-line test walks through (no answer, the model and
// version queries, a refused write request, an unacknowledged end of read,
// a radio vanishing during a read) are not repeated here.
TEST(CodeplugTransfer, EveryFaultEndsInItsStatus)
{
    using Short = ProgrammingFaults::ShortReply;
    struct Case
    {
        const char *name;
        TransferDirection direction;
        TransferStatus expected;
        std::function<void(SimOptions &)> fault;
    };
    const auto read = TransferDirection::Read;
    const auto write = TransferDirection::Write;
    const std::vector<Case> cases = {
        {"short query 05 reply", write, TransferStatus::PortError, [](SimOptions &o) { o.faults.shortReply = Short::Query05; }},
        {"no answer to the request", read, TransferStatus::PortError, [](SimOptions &o) { o.faults.shortReply = Short::Request; }},
        {"06 to the read request", read, TransferStatus::PortError, [](SimOptions &o) { o.faults.ackRequest = true; }},
        {"short block reply", read, TransferStatus::ReadFailed,
         [](SimOptions &o) { o.faults.shortReply = Short::Block; o.faults.shortBlock = 300; }},
        {"end of read unanswered", read, TransferStatus::ReadFailed, [](SimOptions &o) { o.faults.shortReply = Short::EndOfRead; }},
        {"write block not acknowledged", write, TransferStatus::WriteFailed, [](SimOptions &o) { o.faults.nakWriteBlock = 10; }},
        {"disconnect while writing", write, TransferStatus::WriteFailed, [](SimOptions &o) { o.faults.disconnectAfterBlocks = 100; }},
        {"noise on the line", read, TransferStatus::ReadDone, [](SimOptions &o) { o.noiseBytes = 12; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SimOptions options;
        c.fault(options);
        LinkRig rig(options);
        ASSERT_TRUE(rig.started);
        const QByteArray before = rig.documentBytes();
        EXPECT_EQ(rig.run(c.direction), c.expected) << statusName(rig.job.status());
        EXPECT_FALSE(rig.comm.IsPortOpen());
        if (c.expected == TransferStatus::ReadDone) {
            EXPECT_EQ(rig.documentRange(0, 0x10000), rig.radioBytes(0, 0x10000));
        } else if (c.direction == read) {
            EXPECT_TRUE(rig.documentBytes() == before) << "a failed read changed the codeplug";
        }
        if (c.expected == TransferStatus::WriteFailed && options.faults.nakWriteBlock == 10)
            rig.sim.inspect([](RadioState &s) { EXPECT_EQ(s.writtenBlocks.size(), 10u); });
        if (c.expected == TransferStatus::PortError && c.direction == write)
            rig.sim.inspect([](RadioState &s) { EXPECT_TRUE(s.writtenBlocks.empty()); });
    }
}

// A block whose reply names another address, or whose sum byte does not
// match, is asked for again twice; a fault that goes away costs nothing, one
// that stays is passed over (address) or taken as received (sum).
TEST(CodeplugTransfer, BadBlockRepliesAreAskedForAgainTwice)
{
    struct Case
    {
        const char *name;
        bool wrongHeader;  // else a changed data byte
        int faultTimes;    // requests that show the fault; -1: every one
        int requests;      // read-block requests in all
    };
    const Case cases[] = {
        {"header once", true, 1, 1025},
        {"header always", true, -1, 1026},
        {"sum twice", false, 2, 1026},
        {"sum always", false, -1, 1026},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SimOptions options;
        (c.wrongHeader ? options.faults.wrongHeaderBlock : options.faults.corruptReadBlock) = 7;
        options.faults.faultTimes = c.faultTimes;
        LinkRig rig(options);
        ASSERT_TRUE(rig.started);
        const QByteArray block7Before = rig.documentRange(7 * 64, 8 * 64);
        const QByteArray block7Radio = rig.radioBytes(7 * 64, 8 * 64);
        ASSERT_EQ(rig.run(TransferDirection::Read), TransferStatus::ReadDone);
        rig.sim.inspect([&](RadioState &s) { EXPECT_EQ(s.readBlockCount, c.requests); });
        const bool stays = c.faultTimes < 0;
        EXPECT_EQ(rig.job.skippedBlocks(), stays && c.wrongHeader ? 1 : 0);
        EXPECT_EQ(rig.job.damagedAddresses(), stays && !c.wrongHeader ? QList<int>{7 * 64} : QList<int>());
        EXPECT_EQ(rig.document.doc->unreadBlocks(), stays ? 1 : 0);
        const QByteArray block7 = rig.documentRange(7 * 64, 8 * 64);
        if (!stays)
            EXPECT_EQ(block7, block7Radio);
        else if (c.wrongHeader)
            EXPECT_EQ(block7, block7Before);
        else
            EXPECT_EQ(block7.mid(1), block7Radio.mid(1));  // as received: one byte changed on the line
        EXPECT_EQ(rig.documentRange(8 * 64, 0x10000), rig.radioBytes(8 * 64, 0x10000));
    }
}

TEST(CodeplugTransfer, RadioAnsweringTheSecondAttemptIsReadAfterOnePause)
{
    SimOptions options;
    options.faults.answerAfter = 3;  // the three handshakes of the first attempt go unanswered
    LinkRig rig(options);
    ASSERT_TRUE(rig.started);
    ProtocolTimings timings = quickTimings();
    timings.retryPauseMs = 400;
    rig.job.setTimings(timings);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(rig.run(TransferDirection::Read), TransferStatus::ReadDone);
    EXPECT_GE(clock.elapsed(), 400 + 3 * 150);  // one pause after three unanswered handshakes
    rig.sim.inspect([](RadioState &s) { EXPECT_EQ(s.linkWordCount, 4); });
}

TEST(CodeplugTransfer, ModelCheckDependsOnDirectionAndBasicAndTheModelWriteClearsIt)
{
    SimOptions otherModel;
    otherModel.model = QStringLiteral("VK214");
    {
        LinkRig rig(otherModel, QStringLiteral("1"));
        EXPECT_EQ(rig.run(TransferDirection::Read), TransferStatus::ReadDone);  // no check with basic 1
    }
    {
        LinkRig rig(otherModel, QStringLiteral("1"));
        const QString versionBefore = rig.document.config.settings().mcuVersion;
        EXPECT_EQ(rig.run(TransferDirection::Write), TransferStatus::ModelMismatchOverwritable);
        rig.sim.inspect([](RadioState &s) { EXPECT_TRUE(s.writtenBlocks.empty()); });
        // The check comes before the version query: the version texts stay as they were.
        EXPECT_EQ(rig.document.config.settings().mcuVersion, versionBefore);

        // The model-write exchange. The refusals with basic 0 and the write
        // that follows are walked through by the command-line and dialog tests.
        RecordingPrompter prompter;
        ASSERT_TRUE(rig.job.writeModelIdentification(prompter));
        EXPECT_TRUE(prompter.prompts.isEmpty());
        rig.sim.inspect([&](RadioState &s) {
            EXPECT_EQ(s.modelId, rig.documentRange(0, 8));
            EXPECT_EQ(s.events.mid(s.events.indexOf("MODEL-W")),
                      QStringList({"MODEL-W", "model query", "query 05", "version query", "confirm", "set model"}));
        });
    }
}

TEST(CodeplugTransfer, ModelWriteSearchesThePortsAndStoresTheOneThatAnswered)
{
    LinkRig rig;
    ASSERT_TRUE(rig.started);
    rig.mapPorts(5);
    AppSettings &settings = rig.document.config.settings();
    settings.writeSetting(QStringLiteral("setup"), QStringLiteral("com"), QStringLiteral("2"));
    rig.job.setPortName(QString());  // the stored port, as the desktop program does

    RecordingPrompter prompter;
    EXPECT_TRUE(rig.job.writeModelIdentification(prompter));
    EXPECT_EQ(settings.setting(QStringLiteral("setup"), QStringLiteral("com")), "5");

    // Without the search only the named port is tried, and nothing is stored.
    settings.writeSetting(QStringLiteral("setup"), QStringLiteral("com"), QStringLiteral("2"));
    rig.job.setPortName(QStringLiteral("2"));
    rig.comm.ClosePort();
    rig.sim.inspect([](RadioState &s) { s.events.clear(); });
    EXPECT_FALSE(rig.job.writeModelIdentification(prompter, false));
    EXPECT_EQ(settings.setting(QStringLiteral("setup"), QStringLiteral("com")), "2");
    rig.sim.inspect([](RadioState &s) { EXPECT_FALSE(s.events.contains("MODEL-W")); });

    rig.mapPorts(0);  // no radio anywhere
    rig.job.setPortName(QString());
    RecordingPrompter searched;
    EXPECT_FALSE(rig.job.writeModelIdentification(searched));
    EXPECT_EQ(searched.keys(), QStringList{QStringLiteral("IDS_ERROR_PORTCONN")});
    EXPECT_EQ(settings.setting(QStringLiteral("setup"), QStringLiteral("com")), "2");
}

TEST(CodeplugTransfer, CancelDuringTheBlockPhaseLeavesTheCodeplugAlone)
{
    SimOptions options;
    options.wireTiming = true;  // a read takes about 13 s
    LinkRig rig(options);
    ASSERT_TRUE(rig.started);
    const QByteArray before = rig.documentBytes();
    ASSERT_TRUE(rig.job.start(TransferDirection::Read));
    QElapsedTimer waited;
    waited.start();
    while (rig.job.progress() < 3 && waited.elapsed() < 20000)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_GE(rig.job.progress(), 3);

    QElapsedTimer clock;
    clock.start();
    rig.job.cancel();
    EXPECT_LT(clock.elapsed(), 700);
    EXPECT_EQ(rig.job.status(), TransferStatus::Progress);
    EXPECT_FALSE(rig.job.isRunning());
    EXPECT_FALSE(rig.comm.IsPortOpen());
    EXPECT_TRUE(rig.documentBytes() == before);
    rig.sim.inspect([](RadioState &s) { EXPECT_LT(s.readBlockCount, 1024); });
}
