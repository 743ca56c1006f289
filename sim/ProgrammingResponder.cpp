#include "ProgrammingResponder.h"

#include "RadioState.h"

namespace {

constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
constexpr int kBlockSize = 64;
constexpr int kReadFrameLength = 4;
constexpr int kWriteFrameLength = 69;
constexpr int kSetModelFrameLength = 10;
constexpr int kSerialOffset = 0x5D;  // the 15-byte serial number of the codeplug
constexpr int kSerialLength = 15;

using Short = ProgrammingFaults::ShortReply;

int blockAddress(const QByteArray &frame)
{
    return (uint8_t(frame[1]) << 8) | uint8_t(frame[2]);
}

bool validBlockFrame(const QByteArray &frame)
{
    return uint8_t(frame[3]) == kBlockSize && blockAddress(frame) % kBlockSize == 0;
}

}

ProgrammingResponder::ProgrammingResponder(RadioState &state, const ProgrammingFaults &faults)
    : m_state(state), m_faults(faults)
{
}

bool ProgrammingResponder::acceptsLinkWord(const QByteArray &word) const
{
    return word == "PROGRAM" || word == "MODEL-W";
}

bool ProgrammingResponder::linkUp(const QByteArray &word, RadioLine &line)
{
    ++m_linkWords;
    if (m_linkWords <= m_faults.answerAfter)
        return false;
    m_session = word == "PROGRAM" ? Session::Program : Session::ModelWrite;
    m_phase = Phase::Identify;
    m_readBlocks = 0;
    m_lastReadAddress = -1;
    m_readRepeats = 0;
    m_writeBlocks = 0;
    m_state.events << QString::fromLatin1(word);
    line.send(QByteArray(1, kAck));
    return true;
}

void ProgrammingResponder::sessionEnded()
{
    m_phase = Phase::Identify;
}

void ProgrammingResponder::reply(const QByteArray &bytes, bool cutShort, RadioLine &line)
{
    line.send(cutShort ? bytes.left(bytes.size() / 2) : bytes);
}

bool ProgrammingResponder::disconnectNow(RadioLine &line)
{
    ++m_blocks;
    if (m_faults.disconnectAfterBlocks >= 0 && m_blocks > m_faults.disconnectAfterBlocks) {
        m_state.events << QStringLiteral("disconnect");
        line.disconnect();
        return true;
    }
    return false;
}

int ProgrammingResponder::handle(const QByteArray &input, RadioLine &line)
{
    if (input.isEmpty())
        return 0;
    const uint8_t command = uint8_t(input[0]);
    switch (command) {
    case 0x02:
    case 0x05:
    case 0x56:
        return m_phase == Phase::Identify ? identification(command, line) : kNotACommand;
    case 0x10:
    case 0x15:
        return m_session == Session::Program && m_phase == Phase::Identify ? request(command, line) : kNotACommand;
    case 0x52:
        return m_phase == Phase::Reading ? readBlock(input, line) : kNotACommand;
    case 0x57:
        return m_phase == Phase::Writing ? writeBlock(input, line) : kNotACommand;
    case 0x45:
        return m_phase == Phase::Reading ? endOfRead(line) : kNotACommand;
    case 0x06:
        return m_session == Session::ModelWrite && m_phase == Phase::Identify ? confirm(line) : kNotACommand;
    case 0x53:
        return m_phase == Phase::Confirmed ? setModel(input, line) : kNotACommand;
    default:
        return kNotACommand;
    }
}

int ProgrammingResponder::identification(uint8_t command, RadioLine &line)
{
    switch (command) {
    case 0x02: {
        QByteArray model = m_state.modelId.left(8);
        model.append(QByteArray(16 - model.size(), char(0xFF)));
        m_state.events << QStringLiteral("model query");
        reply(model, m_faults.shortReply == Short::Model, line);
        break;
    }
    case 0x05: {
        QByteArray serial(kSerialLength, 0);
        for (int i = 0; i < kSerialLength; ++i)
            serial[i] = char(m_state.byteAt(kSerialOffset + i));
        m_state.events << QStringLiteral("query 05");
        reply(serial, m_faults.shortReply == Short::Query05, line);
        break;
    }
    default: {
        QByteArray version = m_state.versionReply.left(22);
        version.append(QByteArray(22 - version.size(), 0));
        m_state.events << QStringLiteral("version query");
        reply(version, m_faults.shortReply == Short::Version, line);
        break;
    }
    }
    return 1;
}

int ProgrammingResponder::request(uint8_t command, RadioLine &line)
{
    const bool read = command == 0x10;
    m_state.events << (read ? QStringLiteral("read request") : QStringLiteral("write request"));
    if (m_faults.shortReply == Short::Request)
        return 1;  // a one-byte reply cut short is no reply
    // Any byte but 06 accepts the request.
    line.send(QByteArray(1, m_faults.ackRequest ? kAck : char(command)));
    m_phase = read ? Phase::Reading : Phase::Writing;
    return 1;
}

int ProgrammingResponder::readBlock(const QByteArray &input, RadioLine &line)
{
    if (input.size() < kReadFrameLength)
        return 0;
    if (disconnectNow(line))
        return kReadFrameLength;
    ++m_state.readBlockCount;
    if (!validBlockFrame(input)) {
        ++m_readBlocks;
        m_lastReadAddress = -1;
        return kReadFrameLength;  // no answer to a malformed request
    }
    const int address = blockAddress(input);
    // A block asked for again at once keeps its number, so a fault can
    // stay (a bad cell) or go (noise on the line) when it is repeated.
    if (address == m_lastReadAddress) {
        ++m_readRepeats;
    } else {
        ++m_readBlocks;
        m_lastReadAddress = address;
        m_readRepeats = 0;
    }
    const int index = m_readBlocks - 1;
    const bool faultShows = m_faults.faultTimes < 0 || m_readRepeats < m_faults.faultTimes;
    const int headerAddress =
        index == m_faults.wrongHeaderBlock && faultShows ? (address + kBlockSize) & 0xFFC0 : address;
    QByteArray answer(69, 0);
    answer[0] = 0x57;
    answer[1] = char(headerAddress >> 8);
    answer[2] = char(headerAddress & 0xFF);
    answer[3] = char(kBlockSize);
    // The sum byte is that of the memory; a corrupted block has one data
    // byte changed behind it, as noise on the line gives.
    const uint8_t flip = index == m_faults.corruptReadBlock && faultShows ? 0x5A : 0x00;
    uint8_t sum = 0;
    for (int i = 0; i < kBlockSize; ++i) {
        const uint8_t stored = m_state.byteAt(address + i);
        sum = uint8_t(sum + stored);
        answer[4 + i] = char(stored ^ (i == 0 ? flip : 0));
    }
    answer[68] = char(sum);
    reply(answer, m_faults.shortReply == Short::Block && index == m_faults.shortBlock, line);
    return kReadFrameLength;
}

int ProgrammingResponder::writeBlock(const QByteArray &input, RadioLine &line)
{
    if (input.size() < kWriteFrameLength)
        return 0;
    if (disconnectNow(line))
        return kWriteFrameLength;
    const int index = m_writeBlocks++;
    if (!validBlockFrame(input) || index == m_faults.nakWriteBlock) {
        line.send(QByteArray(1, kNak));
        return kWriteFrameLength;
    }
    const int address = blockAddress(input);
    if (index != m_faults.dropWriteBlock) {
        for (int i = 0; i < kBlockSize; ++i)
            m_state.setByteAt(address + i, uint8_t(input[4 + i]));
    }
    m_state.writtenBlocks.push_back(address);
    line.send(QByteArray(1, kAck));
    return kWriteFrameLength;
}

int ProgrammingResponder::endOfRead(RadioLine &line)
{
    m_state.events << QStringLiteral("end of read");
    if (m_faults.shortReply == Short::EndOfRead) {
        line.endSession();
        return 1;
    }
    line.send(QByteArray(1, m_faults.nakEndOfRead ? kNak : kAck));
    line.endSession();
    return 1;
}

int ProgrammingResponder::confirm(RadioLine &line)
{
    m_state.events << QStringLiteral("confirm");
    m_phase = Phase::Confirmed;
    line.send(QByteArray(1, kAck));
    return 1;
}

int ProgrammingResponder::setModel(const QByteArray &input, RadioLine &line)
{
    if (input.size() < kSetModelFrameLength)
        return 0;
    m_state.modelId = input.mid(1, 8);
    ++m_state.modelWrites;
    m_state.events << QStringLiteral("set model");
    line.send(QByteArray(1, kAck));
    line.endSession();
    return kSetModelFrameLength;
}
