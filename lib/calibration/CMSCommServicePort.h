#pragma once

#include "calibration/ServicePort.h"
#include "link/CMSComm.h"

// The service mode over the program's serial port object.
class CMSCommServicePort : public ServicePort
{
public:
    explicit CMSCommServicePort(CMSComm &comm) : m_comm(comm) {}

    bool OpenPort(int portNumber) override { return m_comm.OpenPort(portNumber, CMSComm::kBaudRate); }
    bool IsPortOpen() const override { return m_comm.IsPortOpen(); }
    void ClosePort() override { m_comm.ClosePort(); }
    int SendBytes(const QByteArray &frame) override { return m_comm.SendBytes(frame); }
    int ReadBytes(uint8_t *buffer, int count, int timeoutMs) override
    {
        return m_comm.ReadBytes(buffer, count, timeoutMs);
    }

private:
    CMSComm &m_comm;
};
