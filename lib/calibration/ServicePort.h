#pragma once

#include <QByteArray>
#include <cstdint>

// The serial-port operations the service mode needs, with the meaning of the
// port object's operations: numbered ports 1..16 at 57600 baud 8N1, a send
// that first drops any unread input, and a read with one deadline for the
// whole call. CMSCommServicePort passes them to the program's port object;
// tests put a scripted radio behind it.
class ServicePort
{
public:
    virtual ~ServicePort() = default;
    virtual bool OpenPort(int portNumber) = 0;
    virtual bool IsPortOpen() const = 0;
    virtual void ClosePort() = 0;
    // 0 when sent (or when the port is closed), -1 when the port failed.
    virtual int SendBytes(const QByteArray &frame) = 0;
    // Bytes delivered (0..count) when count arrived or the time-out passed;
    // -1 when the port is closed or failed.
    virtual int ReadBytes(uint8_t *buffer, int count, int timeoutMs) = 0;
};
