#pragma once

#include "link/PortProblem.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class AppSettings;
class QSerialPort;

// The serial port that talks to the radio: 8 data bits, no parity, 1 stop
// bit, no flow control, bytes only. One object per window or job; it is
// never shared between threads at the same time.
//
// Open, use and close the port on one thread: the underlying QSerialPort is
// created by OpenPort on the calling thread and destroyed by ClosePort.
//
// Waiting is blocking with one deadline per ReadBytes call. While a reply of
// known length streams in at line speed, the wait sleeps for the wire time
// of the bytes still missing instead of waking for every byte, so a slow
// radio costs almost no CPU.
//
// The port operations are virtual so that a scripted line can stand in for
// a device (the reply parsers are fuzzed that way).
class CMSComm
{
public:
    static constexpr int kBaudRate = 57600;

    // settings resolves port numbers through the [ports] section of
    // setting.ini; without it a number names the n-th system serial port.
    explicit CMSComm(const AppSettings *settings = nullptr);
    virtual ~CMSComm();
    CMSComm(const CMSComm &) = delete;
    CMSComm &operator=(const CMSComm &) = delete;

    // Opens port number 1..16. False (port closed) when the number names no
    // device or the device cannot be opened.
    virtual bool OpenPort(int portNumber, int baudRate);
    // Opens a port given as its number in decimal ("3") or as a device path.
    virtual bool OpenPort(const QString &port, int baudRate);
    virtual bool IsPortOpen() const;
    // Closes the port if it is open; failures are swallowed.
    virtual void ClosePort();

    // Drops every byte received and not yet read, then sends the bytes.
    // Returns 0, or -1 when the port fails. A closed port sends nothing and
    // returns 0.
    virtual int SendBytes(const uint8_t *data, int length);
    int SendBytes(const QByteArray &bytes);

    // Collects bytes until count have arrived or timeoutMs has passed since
    // the call began, copies at most count of them to dest and returns how
    // many it copied; surplus bytes of the same fetch are dropped. Returns
    // -1 when the port is closed, 0 at once for a count of 0.
    virtual int ReadBytes(uint8_t *dest, int count, int timeoutMs);

    // The device the last OpenPort opened or tried to open.
    QString deviceName() const { return m_deviceName; }
    // Why the last OpenPort failed (Kind::None after a successful one).
    const PortProblem &openProblem() const { return m_openProblem; }

    // Every byte sent, received and dropped is handed to the trace function
    // (on the thread that uses the port), for support logs.
    enum class TraceEvent { Sent, Received, Dropped };
    using TraceFunction = std::function<void(TraceEvent, const QByteArray &)>;
    void setTrace(TraceFunction trace) { m_trace = std::move(trace); }

private:
    bool openDevice(const QString &device, int baudRate);
    void trace(TraceEvent event, const QByteArray &bytes) const;
    bool portFailed() const;

    const AppSettings *m_settings;
    std::unique_ptr<QSerialPort> m_port;
    QString m_deviceName;
    PortProblem m_openProblem;
    int64_t m_byteTimeNs = 0;  // wire time of one byte (10 bits) at the open baud rate
    TraceFunction m_trace;
};
