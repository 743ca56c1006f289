// The service mode against a radio whose every reply comes from the input:
// the link-up, the calibration block read, and the adjust mode's measuring.

#include "FuzzSupport.h"

#include "calibration/ServiceProtocol.h"

#include <algorithm>

namespace {

class ScriptedPort : public ServicePort
{
public:
    explicit ScriptedPort(fuzz::ByteStream &replies) : m_replies(replies) {}
    bool OpenPort(int) override { return m_open = !m_replies.empty(); }
    bool IsPortOpen() const override { return m_open; }
    void ClosePort() override { m_open = false; }
    int SendBytes(const QByteArray &) override { return 0; }
    int ReadBytes(uint8_t *buffer, int count, int) override
    {
        if (!m_open)
            return -1;
        const int wanted = fuzz::replyLength(m_replies.next(), count);
        return int(m_replies.take(buffer, size_t(wanted)));
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
    fuzz::ByteStream replies(data + 1, size - 1);
    ScriptedPort port(replies);
    ServiceProtocol protocol(port, [](int) {});
    const auto mode = ServiceProtocol::Mode(data[0] % 3);
    if (protocol.linkUp(mode, 1, false) != CalibrationMessage::None)
        return 0;
    if (mode == ServiceProtocol::Mode::TableRead) {
        CalibrationImage image;
        protocol.readBlocks(image);
    } else if (mode == ServiceProtocol::Mode::TableWrite) {
        protocol.writeBlocks(CalibrationImage());
    } else if (const AdjustItem *item = AdjustItem::forCode(data[0] % 103)) {
        protocol.startItem(*item);
        if (item->isMeasured()) {
            CalibrationImage image;
            if (const auto measured = protocol.measure(item->measureCode()))
                item->storeMeasurement(image, measured->value);
        }
        protocol.saveItem();
        protocol.leave();
    }
    return 0;
}
