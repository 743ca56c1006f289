#include "link/CMSComm.h"

#include "link/PortNames.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// Bytes at the end of a streaming reply that are awaited byte-driven rather
// than slept for; covers the scheduler's lateness when a nap ends.
constexpr int kEventDrivenTail = 2;
// Longest wait for the operating system to take the bytes of one send.
constexpr int kSendTimeoutMs = 2000;

int64_t byteTimeNs(int baudRate)
{
    // A byte is 10 bits on the line: start, 8 data, stop.
    return baudRate > 0 ? int64_t(10) * 1'000'000'000 / baudRate : 0;
}

int msCeil(int64_t ns)
{
    return int(std::min<int64_t>((ns + 999'999) / 1'000'000, INT32_MAX));
}

}

CMSComm::CMSComm(const AppSettings *settings) : m_settings(settings) {}

CMSComm::~CMSComm()
{
    ClosePort();
}

bool CMSComm::OpenPort(int portNumber, int baudRate)
{
    ClosePort();
    m_deviceName = PortNames::deviceFor(m_settings, portNumber);
    return openDevice(m_deviceName, baudRate);
}

bool CMSComm::OpenPort(const QString &port, int baudRate)
{
    ClosePort();
    m_deviceName = PortNames::resolve(m_settings, port);
    return openDevice(m_deviceName, baudRate);
}

bool CMSComm::openDevice(const QString &device, int baudRate)
{
    m_openProblem = PortProblem();
    if (device.isEmpty() || baudRate <= 0) {
        m_openProblem = PortProblem::diagnose(device, false, false);
        return false;
    }
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(device);
    port->setBaudRate(baudRate);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = port->error();
        m_openProblem = PortProblem::diagnose(device, error != QSerialPort::DeviceNotFoundError,
                                              error == QSerialPort::PermissionError, port->errorString());
        return false;
    }
    m_port = std::move(port);
    m_byteTimeNs = byteTimeNs(baudRate);
    return true;
}

bool CMSComm::IsPortOpen() const
{
    return m_port && m_port->isOpen();
}

void CMSComm::ClosePort()
{
    if (!m_port)
        return;
    if (m_port->isOpen())
        m_port->close();
    m_port.reset();
}

void CMSComm::trace(TraceEvent event, const QByteArray &bytes) const
{
    if (m_trace && !bytes.isEmpty())
        m_trace(event, bytes);
}

bool CMSComm::portFailed() const
{
    const QSerialPort::SerialPortError error = m_port->error();
    return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
}

int CMSComm::SendBytes(const QByteArray &bytes)
{
    return SendBytes(reinterpret_cast<const uint8_t *>(bytes.constData()), int(bytes.size()));
}

int CMSComm::SendBytes(const uint8_t *data, int length)
{
    if (!IsPortOpen())
        return 0;
    if (portFailed())
        return -1;
    // A reply must start in an empty receive buffer: drop what came before
    // (a late answer to an earlier command, line noise).
    m_port->waitForReadyRead(0);
    trace(TraceEvent::Dropped, m_port->readAll());
    m_port->clear(QSerialPort::Input);
    m_port->clearError();
    if (length <= 0 || !data)
        return 0;

    const QByteArray bytes(reinterpret_cast<const char *>(data), length);
    if (m_port->write(bytes) != bytes.size())
        return -1;
    QElapsedTimer clock;
    clock.start();
    while (m_port->bytesToWrite() > 0) {
        const int left = kSendTimeoutMs - int(clock.elapsed());
        if (left <= 0 || (!m_port->waitForBytesWritten(left) && m_port->bytesToWrite() > 0 && portFailed()))
            return -1;
    }
    trace(TraceEvent::Sent, bytes);
    return 0;
}

int CMSComm::ReadBytes(uint8_t *dest, int count, int timeoutMs)
{
    if (!IsPortOpen() || (!dest && count > 0))
        return -1;
    if (count <= 0)
        return 0;

    QElapsedTimer clock;
    clock.start();
    const int64_t deadlineNs = int64_t(std::max(timeoutMs, 0)) * 1'000'000;
    QByteArray collected;
    auto fetch = [&] {
        const QByteArray bytes = m_port->readAll();
        trace(TraceEvent::Received, bytes);
        collected += bytes;
    };

    fetch();
    while (collected.size() < count) {
        const int64_t leftNs = deadlineNs - clock.nsecsElapsed();
        if (leftNs <= 0)
            break;
        const int missing = count - int(collected.size());
        if (!collected.isEmpty() && missing > kEventDrivenTail && m_byteTimeNs > 0) {
            // The reply is streaming in at line speed: sleep for the wire
            // time of all but its last bytes, then take what has arrived.
            const int64_t napNs = std::min<int64_t>(int64_t(missing - kEventDrivenTail) * m_byteTimeNs, leftNs);
            std::this_thread::sleep_for(std::chrono::nanoseconds(napNs));
            m_port->waitForReadyRead(0);
        } else {
            // Nothing yet, or only the tail missing: wake on the next bytes.
            m_port->waitForReadyRead(msCeil(leftNs));
        }
        if (portFailed()) {
            fetch();
            break;
        }
        m_port->clearError();
        fetch();
    }

    const int delivered = std::min<int>(count, int(collected.size()));
    std::copy_n(reinterpret_cast<const uint8_t *>(collected.constData()), delivered, dest);
    if (portFailed() && delivered < count)
        return delivered > 0 ? delivered : -1;
    return delivered;
}
