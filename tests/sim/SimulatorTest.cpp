// The simulated radio's options, memory files and programming responder;
// its line is tested end to end in tests/e2e.

#include "ProgrammingResponder.h"
#include "SimOptions.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// Collects what a responder sends.
class RecordingLine : public RadioLine
{
public:
    void send(const QByteArray &bytes) override { sent += bytes; }
    void disconnect() override {}
    void endSession() override { ended = true; }
    QByteArray take() { return std::exchange(sent, QByteArray()); }

    QByteArray sent;
    bool ended = false;
};

QStringList args(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}

TEST(SimOptions, ParsesFaultsAndRefusesBadValues)
{
    SimOptions o;
    QString error;
    ASSERT_TRUE(SimOptions::parse(args("--wire-timing --answer-after 3 --short-reply block:12 --wrong-header 5 "
                                       "--nak-write 7 --nak-end --ack-request --disconnect-after 9 --noise 4 --measure 0x18=10000 "
                                       "--corrupt-read 16"),
                                  o, &error))
        << error.toStdString();
    EXPECT_TRUE(o.wireTiming && o.faults.nakEndOfRead && o.faults.ackRequest);
    EXPECT_EQ(o.faults.shortReply, ProgrammingFaults::ShortReply::Block);
    EXPECT_EQ(std::vector<int>({o.faults.answerAfter, o.faults.shortBlock, o.faults.wrongHeaderBlock, o.faults.nakWriteBlock,
                                o.faults.disconnectAfterBlocks, o.noiseBytes, o.faults.corruptReadBlock}),
              std::vector<int>({3, 12, 5, 7, 9, 4, 16}));
    EXPECT_EQ(o.measurements.at(0x18), 10000u);

    for (const char *bad : {"--answer-after -1", "--answer-after x", "--short-reply sometimes", "--short-reply model:3",
                            "--measure 0x18", "--measure 300=1", "--corrupt-read", "stray", "--unknown"}) {
        SimOptions ignored;
        EXPECT_FALSE(SimOptions::parse(args(bad), ignored, &error)) << bad;
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(SimOptions, LoadsAndSavesTheRadioMemory)
{
    TestConfig config;
    const QString dat = config.dir() + QStringLiteral("/radio.dat");
    RadioState original;
    original.memory[0x1234] = 0x42;
    original.calibration[0x0100] = 0x99;  // the protocol's 0x0100..0x027F is the calibration memory
    ASSERT_TRUE(saveRadioMemory(original, dat, nullptr));
    EXPECT_EQ(QFile(dat).size(), 64 + 0x40000);

    SimOptions options;
    options.imagePath = dat;
    options.model = QStringLiteral("TL809");
    RadioState loaded;
    QString error;
    ASSERT_TRUE(loadRadioState(options, loaded, &error)) << error.toStdString();
    EXPECT_EQ(loaded.memory[0x1234], 0x42);
    EXPECT_EQ(loaded.memory[0x0100], 0x99);
    EXPECT_EQ(loaded.modelId, QByteArray("TL809\xFF\xFF\xFF"));

    // Without an image: the default codeplug of the settings, its model as identification.
    SimOptions defaults;
    defaults.configDir = config.dir();
    ASSERT_TRUE(loadRadioState(defaults, loaded, &error));
    TestDocument document;
    EXPECT_TRUE(std::equal(loaded.memory.begin(), loaded.memory.begin() + 0x100, document.image()));
    EXPECT_EQ(loaded.modelId, QByteArray(reinterpret_cast<const char *>(document.image()), 8));

    // A calibration file of the wrong size and a foreign image are refused.
    config.writeFile(QStringLiteral("short.test"), QByteArray(100, 0));
    config.writeFile(QStringLiteral("foreign.dat"), QByteArray(200, 'x'));
    options.calibrationPath = config.dir() + QStringLiteral("/short.test");
    EXPECT_FALSE(loadRadioState(options, loaded, &error));
    defaults.imagePath = config.dir() + QStringLiteral("/foreign.dat");
    EXPECT_FALSE(loadRadioState(defaults, loaded, &error));
}

TEST(ProgrammingResponder, AnswersCommandsOnlyInTheirSession)
{
    RadioState state;
    ProgrammingFaults faults;
    faults.answerAfter = 1;
    ProgrammingResponder radio(state, faults);
    RecordingLine line;

    EXPECT_FALSE(radio.acceptsLinkWord("TUNINGT"));
    EXPECT_FALSE(radio.linkUp("PROGRAM", line));  // the first word goes unanswered
    ASSERT_TRUE(radio.linkUp("PROGRAM", line));
    EXPECT_EQ(line.take(), QByteArray(1, 0x06));
    EXPECT_EQ(radio.handle(QByteArray::fromHex("52004040"), line), Responder::kNotACommand);  // no read request yet
    EXPECT_EQ(radio.handle(QByteArray("\x10", 1), line), 1);
    EXPECT_EQ(radio.handle(QByteArray::fromHex("5200"), line), 0);  // incomplete
    EXPECT_EQ(radio.handle(QByteArray("W", 1), line), Responder::kNotACommand);  // no writes in a read

    ASSERT_TRUE(radio.linkUp("MODEL-W", line));
    EXPECT_EQ(radio.handle(QByteArray(1, 0x10), line), Responder::kNotACommand);  // no codeplug in this session
    EXPECT_EQ(radio.handle(QByteArray::fromHex("53"), line), Responder::kNotACommand);  // set model needs the confirm
    EXPECT_EQ(radio.handle(QByteArray(1, 0x06), line), 1);
    const QByteArray setModel = QByteArray("STL809") + QByteArray(3, char(0xFF)) + QByteArray(1, 0);
    EXPECT_EQ(radio.handle(setModel.left(9), line), 0);
    EXPECT_EQ(radio.handle(setModel, line), 10);
    EXPECT_EQ(state.modelId, QByteArray("TL809\xFF\xFF\xFF"));
    EXPECT_TRUE(line.ended);
}
