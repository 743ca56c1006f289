// The programming protocol against a radio whose every reply comes from the
// input: a read, a write and the model-write exchange, each reply as many
// bytes as the input still holds.

#include "FuzzSupport.h"

#include "app/Prompter.h"
#include "link/CMSComm.h"
#include "link/ProgrammingProtocol.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// A line that is always open and answers from the input.
class ScriptedLine : public CMSComm
{
public:
    explicit ScriptedLine(fuzz::ByteStream &replies) : m_replies(replies) {}
    bool OpenPort(int, int) override { return m_open = !m_replies.empty(); }
    bool OpenPort(const QString &, int) override { return m_open = !m_replies.empty(); }
    bool IsPortOpen() const override { return m_open; }
    void ClosePort() override { m_open = false; }
    int SendBytes(const uint8_t *, int) override { return 0; }
    int ReadBytes(uint8_t *dest, int count, int) override
    {
        if (!m_open)
            return -1;
        const int wanted = fuzz::replyLength(m_replies.next(), count);
        return int(m_replies.take(dest, size_t(wanted)));
    }

private:
    fuzz::ByteStream &m_replies;
    bool m_open = false;
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const ProtocolTimings instant{.replyTimeoutMs = 0, .openPauseMs = 0, .retryPauseMs = 0, .writeDonePauseMs = 0};
    static std::array<uint8_t, Protocol::kRadioMemorySize> image;
    image.fill(0xFF);
    std::memcpy(image.data(), "RQ381\xFF\xFF\xFF", Protocol::kModelIdLength);
    fuzz::ByteStream replies(data + 1, size - 1);
    ScriptedLine line(replies);
    const TransferDirection direction = data[0] & 1 ? TransferDirection::Write : TransferDirection::Read;
    TransferControl control;
    runCodeplugTransfer(line, QStringLiteral("/dev/scripted"), direction, image.data(), data[0] & 2 ? 1 : 0, instant,
                        control);
    RadioVersionInfo::fromReply(image.data(), Protocol::kVersionReplyLength);
    if (data[0] & 4) {
        fuzz::SilentPrompter prompter;
        WriteModelIdentification(line, QStringLiteral("/dev/scripted"), image.data(), fuzz::settings(), prompter,
                                 instant, false);
    }
    return 0;
}
