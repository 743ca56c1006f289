#pragma once

#include "calibration/AdjustItems.h"
#include "calibration/CalibrationImage.h"
#include "calibration/CalibrationMessages.h"
#include "calibration/ServicePort.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class AppSettings;

// The step a service-mode operation failed at and what went wrong there, so
// a message can name the real cause. The dialogs show the service mode's own
// texts; the command line shows this.
struct ServiceFailure
{
    enum class Step { None, ModeWord, ModelQuery, SerialQuery, VersionQuery, IdentityDone,
                      BlockRead, BlockWrite, EndOfTransfer };

    Step step = Step::None;
    int address = -1;       // BlockRead, BlockWrite
    int expected = 0;       // reply bytes awaited
    int received = 0;       // reply bytes that came
    bool portLost = false;  // the port itself failed (unplugged) during the step

    // No radio answered the mode word on a port that kept working: nothing
    // was exchanged at all.
    bool radioNeverAnswered() const { return step == Step::ModeWord && !portLost; }
    // A failure of the link-up, before any block was read or written.
    bool duringLinkUp() const { return step >= Step::ModeWord && step <= Step::IdentityDone; }
    // "the model reply came short (7 of 16 bytes)", "the port failed during
    // the version query", ...
    QString englishText() const;
};

// The radio's service mode: the link-ups with their port scans, the transfer
// of the six calibration blocks, and the live commands of the adjust mode.
// Every exchange blocks for at most its reply time-out. Operations that the
// user is told about return the message to show (None when there is none).
class ServiceProtocol
{
public:
    enum class Mode {
        Adjust,      // "TUNINGT": single-item adjust mode
        TableRead,   // "TUNINGR": read the calibration blocks
        TableWrite,  // "TUNINGW": write the calibration blocks
    };

    // A measured value as the radio reported it and as it is shown.
    struct Measurement
    {
        quint32 value = 0;  // level, or bit errors in units of 0.0001 %
        QString text;       // "1234", or "1.00000 %" for the bit error rate
    };

    // pause(ms) waits between steps; tests pass one that does not sleep.
    explicit ServiceProtocol(ServicePort &port, std::function<void(int)> pause = {});

    // The port the calibration table starts its link-up on: [setup] com of
    // setting.ini read as a number (the adjust mode always starts on 1).
    static int tablePortNumber(const AppSettings &settings);

    // Opens firstPort when the port is closed, then offers the mode word up
    // to 3 times. Unless scanOtherPorts is false, a silent port is followed
    // by COM1 .. COM16 in turn. Then the three identity queries and the
    // identity-done byte. A failed link-up closes the port.
    CalibrationMessage linkUp(Mode mode, int firstPort, bool scanOtherPorts = true);
    // The port number the scan found the radio on, 0 when it answered on the
    // port that was open (or opened) first.
    int foundPort() const { return m_foundPort; }
    // The contents of the identity replies of the last link-up.
    QByteArray modelReply() const { return m_modelReply; }
    QByteArray serialReply() const { return m_serialReply; }
    QByteArray versionReply() const { return m_versionReply; }
    // Where the last link-up, block read or block write failed; step None
    // after a success.
    const ServiceFailure &lastFailure() const { return m_failure; }

    // After a TableRead link-up: reads the six blocks and ends the transfer.
    // The image is changed only when the whole read succeeds; the port is
    // closed then.
    CalibrationMessage readBlocks(CalibrationImage &image);
    // After a TableWrite link-up: writes the six blocks and ends the
    // transfer; the port is closed when it succeeds.
    CalibrationMessage writeBlocks(const CalibrationImage &image);

    // The adjust mode's live commands. Their replies are read but not
    // examined: a radio that stops answering shows at the next save, quit or leave.
    void startItem(const AdjustItem &item);
    // Signal index into TransmitSignals::all(); the analog tone carries the
    // tone frequency (1..3000 Hz) and level (0..255). Returns false, sending
    // nothing, for an index or tone outside those ranges.
    bool sendSignal(int signalIndex, int toneFrequency = TransmitSignals::kToneFrequencyDefault,
                    int toneLevel = 0);
    // "CD" code value: false, sending nothing, for a value outside 0..65535.
    bool setValue(int parameterCode, int value);
    // Asks the radio to measure; nothing when its reply is incomplete.
    std::optional<Measurement> measure(int measureCode);
    void latch(int measureCode);
    CalibrationMessage saveItem();   // "CSDT"; closes the port when unanswered
    CalibrationMessage quitItem();   // "CQUT"; closes the port when unanswered
    CalibrationMessage leave();      // "CTET"; the port is closed in either case

    // Frames, exposed for the simulator and the tests.
    static QByteArray modeWord(Mode mode);
    static QByteArray blockReadFrame(int address);
    static QByteArray blockWriteFrame(int address, const CalibrationImage &image);
    static QByteArray itemStartFrame(int startCode);
    static QByteArray pointFrame(char pointLetter);
    static QByteArray bandwidthFrame(bool wide);
    static QByteArray signalFrame(int signalCode);
    static QByteArray toneFrame(int toneFrequency, int toneLevel);
    static QByteArray setValueFrame(int parameterCode, int value);
    static QByteArray measureFrame(int measureCode);
    static QByteArray latchFrame(int measureCode);
    // The shown text of a measure reply (3 bytes, or 5 for the bit error rate).
    static std::optional<Measurement> decodeMeasurement(int measureCode, const QByteArray &reply);

    static constexpr uint8_t kAck = 0x06;
    static constexpr int kBitErrorRateCode = 0x18;

private:
    bool tryModeWord(Mode mode);
    CalibrationMessage identify();
    // Records a failed step from the last exchange and returns message.
    CalibrationMessage failAt(ServiceFailure::Step step, CalibrationMessage message, int expected,
                              int address = -1);
    // Sends a frame and reads up to replyLength bytes; returns what arrived.
    QByteArray exchange(const QByteArray &frame, int replyLength, int timeoutMs);
    bool exchangeAck(const QByteArray &frame, int timeoutMs);
    void drainInput();

    ServicePort &m_port;
    std::function<void(int)> m_pause;
    int m_foundPort = 0;
    QByteArray m_modelReply;
    QByteArray m_serialReply;
    QByteArray m_versionReply;
    ServiceFailure m_failure;
    int m_lastReceived = 0;   // reply bytes of the last exchange
    bool m_portLost = false;  // the port failed since the last link-up began
};
