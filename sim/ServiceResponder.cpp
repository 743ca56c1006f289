#include "ServiceResponder.h"

#include "RadioState.h"
#include "SimOptions.h"
#include "calibration/CalibrationParameters.h"

#include <map>

namespace {

constexpr uint8_t kAck = 0x06;
constexpr uint8_t kNak = 0x15;
constexpr int kBlockSize = 0x40;
constexpr int kModelReplyLength = 16;
constexpr int kSerialOffset = 0x5D;       // the codeplug's serial-number field
constexpr int kSerialReplyLength = 15;
constexpr int kVersionReplyLength = 22;
constexpr int kBitErrorRateCode = 0x18;
constexpr int kFirstLevelCode = 0x1A;
constexpr int kLastLevelCode = 0x22;
constexpr int kDefaultBitErrors = 10000;  // 1 %

QByteArray fitted(QByteArray bytes, int length)
{
    bytes.truncate(length);
    bytes.resize(length, char(0xFF));
    return bytes;
}

uint8_t at(const QByteArray &input, int i)
{
    return uint8_t(input[i]);
}

using Short = ProgrammingFaults::ShortReply;

// The fault options apply here as in the programming mode: link-up words,
// identity replies, blocks (counted from 0 in each read or write session)
// and the end-of-transfer byte.
class ServiceResponder : public Responder
{
public:
    ServiceResponder(RadioState &state, const ProgrammingFaults &faults) : m_state(state), m_faults(faults) {}

    bool acceptsLinkWord(const QByteArray &word) const override
    {
        return word == "TUNINGT" || word == "TUNINGR" || word == "TUNINGW";
    }

    bool linkUp(const QByteArray &word, RadioLine &line) override
    {
        if (++m_linkWords <= m_faults.answerAfter)
            return false;
        m_state.events << QStringLiteral("service %1").arg(QString::fromLatin1(word));
        resetItem();
        m_readBlocks = 0;
        m_writeBlocks = 0;
        line.send(QByteArray(1, char(kAck)));
        return true;
    }

    int handle(const QByteArray &input, RadioLine &line) override
    {
        switch (at(input, 0)) {
        case 0x02:
            reply(fitted(m_state.modelId, kModelReplyLength), Short::Model, line);
            return 1;
        case 0x05: {
            QByteArray serial;
            for (int i = 0; i < kSerialReplyLength; ++i)
                serial.append(char(m_state.byteAt(kSerialOffset + i)));
            reply(serial, Short::Query05, line);
            return 1;
        }
        case 'V':
            reply(fitted(m_state.versionReply, kVersionReplyLength), Short::Version, line);
            return 1;
        case kAck:
            line.send(QByteArray(1, char(kAck)));
            return 1;
        case 'F':
            return readBlock(input, line);
        case 'G':
            return writeBlock(input, line);
        case 'E':
            m_state.events << QStringLiteral("service end of transfer");
            if (m_faults.shortReply != Short::EndOfRead)
                line.send(QByteArray(1, char(m_faults.nakEndOfRead ? kNak : kAck)));
            line.endSession();
            return 1;
        case 'C':
            return liveCommand(input, line);
        default:
            return kNotACommand;
        }
    }

    void sessionEnded() override { resetItem(); }

private:
    // Sends the reply, cut to half its length when the fault names it.
    void reply(const QByteArray &bytes, Short kind, RadioLine &line)
    {
        const bool cut = kind != Short::None && m_faults.shortReply == kind;
        line.send(cut ? bytes.left(bytes.size() / 2) : bytes);
    }

    // Counts a block; true when the line is to be dropped now.
    bool disconnectNow(RadioLine &line)
    {
        ++m_blocks;
        if (m_faults.disconnectAfterBlocks >= 0 && m_blocks > m_faults.disconnectAfterBlocks) {
            m_state.events << QStringLiteral("disconnect");
            line.disconnect();
            return true;
        }
        return false;
    }

    static bool blockFits(int address) { return address >= 0 && address + kBlockSize <= RadioState::kCalibrationSize; }

    int readBlock(const QByteArray &input, RadioLine &line)
    {
        if (input.size() < 4)
            return 0;
        const int address = (at(input, 1) << 8) | at(input, 2);
        if (at(input, 3) != kBlockSize || !blockFits(address))
            return kNotACommand;
        if (disconnectNow(line))
            return 4;
        const int index = m_readBlocks++;
        QByteArray answer = input.left(4);
        answer[0] = 'G';
        answer.append(reinterpret_cast<const char *>(m_state.calibration.data() + address), kBlockSize);
        answer.append(char(0xFF));
        m_state.events << QStringLiteral("service read block %1").arg(address, 4, 16, QLatin1Char('0'));
        reply(answer, index == m_faults.shortBlock ? Short::Block : Short::None, line);
        return 4;
    }

    int writeBlock(const QByteArray &input, RadioLine &line)
    {
        constexpr int kFrameLength = 4 + kBlockSize + 1;
        if (input.size() < 4)
            return 0;
        const int address = (at(input, 1) << 8) | at(input, 2);
        if (at(input, 3) != kBlockSize || !blockFits(address))
            return kNotACommand;
        if (input.size() < kFrameLength)
            return 0;
        if (disconnectNow(line))
            return kFrameLength;
        if (m_writeBlocks++ == m_faults.nakWriteBlock) {
            m_state.events << QStringLiteral("service refused block %1").arg(address, 4, 16, QLatin1Char('0'));
            line.send(QByteArray(1, char(kNak)));
            return kFrameLength;
        }
        std::copy(input.begin() + 4, input.begin() + 4 + kBlockSize, m_state.calibration.begin() + address);
        m_state.events << QStringLiteral("service write block %1").arg(address, 4, 16, QLatin1Char('0'));
        line.send(QByteArray(1, char(kAck)));
        return kFrameLength;
    }

    // The "C..." commands of the adjust mode.
    int liveCommand(const QByteArray &input, RadioLine &line)
    {
        if (input.size() < 2)
            return 0;
        const uint8_t kind = at(input, 1);
        if (kind == 'D')
            return setValue(input, line);
        if (input.size() < 4)
            return 0;
        const QByteArray word = input.left(4);
        const uint8_t code = at(input, 2);
        if (word == "CSDT") {
            commitPending();
            line.send(QByteArray(1, char(kAck)));
            return 4;
        }
        if (word == "CQUT") {
            m_state.events << QStringLiteral("service quit item");
            m_pending.clear();
            line.send(QByteArray(1, char(kAck)));
            return 4;
        }
        if (word == "CTET") {
            m_state.events << QStringLiteral("service leave");
            line.send(QByteArray(1, char(kAck)));
            line.endSession();
            return 4;
        }
        if (at(input, 3) != 'U' && kind != 'P')
            return kNotACommand;
        switch (kind) {
        case 'T':
            m_state.events << QStringLiteral("service start item %1").arg(code, 2, 16, QLatin1Char('0'));
            line.send(word.left(3));
            return 4;
        case 'F': {
            static const QByteArray kLetters("LlMhH");
            const int point = int(kLetters.indexOf(char(code)));
            if (point < 0)
                return kNotACommand;
            m_point = point;
            line.send(word.left(3));
            return 4;
        }
        case 'B':
            if (code != 'N' && code != 'W')
                return kNotACommand;
            m_wide = code == 'W';
            line.send(word.left(3));
            return 4;
        case 'P':
            return transmitSignal(input, line);
        case 0x02:
            sendMeasurement(code, line);
            return 4;
        case 0x06:
            latch(code);
            line.send(QByteArray(1, char(kAck)));
            return 4;
        default:
            return kNotACommand;
        }
    }

    int transmitSignal(const QByteArray &input, RadioLine &line)
    {
        if (at(input, 2) != 'T')
            return kNotACommand;
        const int signal = at(input, 3);
        const int length = signal == 0x05 ? 7 : 4;
        if (input.size() < length)
            return 0;
        if (signal == 0x05) {
            m_state.events << QStringLiteral("service tone %1 Hz level %2")
                                  .arg(at(input, 4) | (at(input, 5) << 8))
                                  .arg(at(input, 6));
        } else {
            m_state.events << QStringLiteral("service signal %1").arg(signal);
        }
        line.send(QByteArray(1, char(kAck)));
        return length;
    }

    int setValue(const QByteArray &input, RadioLine &line)
    {
        if (input.size() < 5)
            return 0;
        const int code = at(input, 2);
        const int value = at(input, 3) | (at(input, 4) << 8);
        m_state.events << QStringLiteral("service set %1 = %2").arg(code, 2, 16, QLatin1Char('0')).arg(value);
        if (const CalibrationParameter *parameter = parameterForSetCode(code))
            holdValue(*parameter, value);
        line.send(QByteArray(1, char(kAck)));
        return 5;
    }

    // Code 0x01 tunes "Frequency Adjust 1" on a narrow and "2K5" on a wide channel.
    const CalibrationParameter *parameterForSetCode(int code) const
    {
        if (code == 0x01)
            return CalibrationParameters::forRow(m_wide ? 4 : 3);
        for (const CalibrationParameter &parameter : CalibrationParameters::all()) {
            if (parameter.setCode == code)
                return &parameter;
        }
        return nullptr;
    }

    uint32_t measurement(int code) const
    {
        const auto it = m_state.measurements.find(code);
        if (it != m_state.measurements.end())
            return it->second;
        return code == kBitErrorRateCode ? kDefaultBitErrors : uint32_t(100 + 10 * (code - kFirstLevelCode));
    }

    void sendMeasurement(int code, RadioLine &line)
    {
        const uint32_t value = measurement(code);
        QByteArray reply;
        if (code == kBitErrorRateCode) {
            for (int i = 0; i < 4; ++i)
                reply.append(char((value >> (8 * i)) & 0xFF));
            reply.append(char(0));
        } else {
            reply.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF)).append(char(0));
        }
        m_state.events << QStringLiteral("service measure %1").arg(code, 2, 16, QLatin1Char('0'));
        line.send(reply);
    }

    // Latching takes the measured level as the item's new value.
    void latch(int code)
    {
        m_state.events << QStringLiteral("service latch %1").arg(code, 2, 16, QLatin1Char('0'));
        if (code < kFirstLevelCode || code > kLastLevelCode)
            return;
        for (const CalibrationParameter &parameter : CalibrationParameters::all()) {
            if (parameter.measureCode == code)
                holdValue(parameter, int(qMin<uint32_t>(measurement(code), uint32_t(parameter.maximum))));
        }
    }

    // Values tuned or latched wait for "CSDT"; "CQUT" drops them.
    void holdValue(const CalibrationParameter &parameter, int value)
    {
        const int address = parameter.address(m_point);
        m_pending[address] = uint8_t(value & 0xFF);
        if (parameter.width == CalibrationParameter::Width::Word)
            m_pending[address + 1] = uint8_t((value >> 8) & 0xFF);
    }

    void commitPending()
    {
        for (const auto &[address, value] : m_pending) {
            if (address >= 0 && address < RadioState::kCalibrationSize)
                m_state.calibration[address] = value;
        }
        m_state.events << QStringLiteral("service save item (%1 bytes)").arg(m_pending.size());
        m_pending.clear();
    }

    void resetItem()
    {
        m_pending.clear();
        m_point = 2;
        m_wide = false;
    }

    RadioState &m_state;
    ProgrammingFaults m_faults;
    int m_linkWords = 0;
    int m_blocks = 0;       // blocks of all sessions, for the disconnect fault
    int m_readBlocks = 0;   // of this session
    int m_writeBlocks = 0;
    std::map<int, uint8_t> m_pending;
    int m_point = 2;
    bool m_wide = false;
};

}

std::unique_ptr<Responder> createServiceResponder(RadioState &state, const SimOptions &options)
{
    return std::make_unique<ServiceResponder>(state, options.faults);
}
