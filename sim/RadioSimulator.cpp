#include "RadioSimulator.h"

#include "ProgrammingResponder.h"

#if __has_include("ServiceResponder.h")
#include "ServiceResponder.h"
#define RQ381_SIM_HAS_SERVICE_MODE 1
#endif

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr int kLinkWordLength = 7;
// A command that stays incomplete this long is dropped, as a radio times out.
constexpr auto kStaleInput = std::chrono::milliseconds(1000);
// One byte at 57600 baud: start bit, 8 data bits, stop bit.
constexpr auto kByteTime = std::chrono::nanoseconds(10LL * 1'000'000'000 / 57600);
// How long before the last byte of a reply is due the simulator stops sleeping.
constexpr auto kExactWindow = std::chrono::microseconds(150);

// Sleeps until the given time. The last byte of a reply decides when the
// client has its answer, so that one is not left to the scheduler's
// lateness: the thread sleeps until shortly before and then yields until
// the time has come.
void waitUntil(std::chrono::steady_clock::time_point when, bool exact)
{
    if (!exact) {
        std::this_thread::sleep_until(when);
        return;
    }
    std::this_thread::sleep_until(when - kExactWindow);
    while (std::chrono::steady_clock::now() < when)
        std::this_thread::yield();
}

QByteArray noise(int count)
{
    static uint32_t seed = 0x2545F491;
    QByteArray bytes(count, 0);
    for (char &b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = char((seed >> 16) & 0xFF);
    }
    return bytes;
}

}

// The responders' view of the line: collects what they send until the
// simulator puts it on the wire.
class RadioSimulator::Line : public RadioLine
{
public:
    void send(const QByteArray &bytes) override { output += bytes; }
    void disconnect() override { disconnectRequested = true; }
    void endSession() override { endSessionRequested = true; }

    QByteArray output;
    bool disconnectRequested = false;
    bool endSessionRequested = false;
};

RadioSimulator::RadioSimulator(const SimOptions &options, const RadioState &initial)
    : m_options(options), m_state(initial), m_line(std::make_unique<Line>())
{
    m_responders.push_back(std::make_unique<ProgrammingResponder>(m_state, options.faults));
#ifdef RQ381_SIM_HAS_SERVICE_MODE
    if (auto service = createServiceResponder(m_state, options))
        m_responders.push_back(std::move(service));
#endif
}

RadioSimulator::~RadioSimulator()
{
    stop();
}

bool RadioSimulator::start(QString *error)
{
    if (m_thread.joinable())
        return true;
    if (!m_pty.open(error))
        return false;
    if (pipe2(m_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (error)
            *error = QStringLiteral("pipe failed");
        m_pty.close();
        return false;
    }
    if (m_options.noiseBytes > 0 && !m_options.noAnswer)
        m_pty.writeAll(noise(m_options.noiseBytes));  // the line is not quiet when a client arrives
    m_stopRequested = false;
    m_running = true;
    m_thread = std::thread([this] { serve(); });
    return true;
}

void RadioSimulator::requestStop()
{
    m_stopRequested = true;
    if (m_wakePipe[1] >= 0) {
        const char wake = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wakePipe[1], &wake, 1);
    }
}

void RadioSimulator::stop()
{
    requestStop();
    wait();
}

void RadioSimulator::wait()
{
    if (m_thread.joinable())
        m_thread.join();
    m_pty.close();
    for (int &fd : m_wakePipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    m_running = false;
}

void RadioSimulator::serve()
{
    // Wake close to the scheduled time of each paced byte.
    prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0);
    char buffer[4096];
    while (!m_stopRequested && m_pty.isOpen()) {
        int timeoutMs = -1;
        if (!m_pending.isEmpty()) {
            const auto left = m_lastReceive + kStaleInput - Clock::now();
            timeoutMs = int(std::max<int64_t>(0, std::chrono::ceil<std::chrono::milliseconds>(left).count()));
        }
        pollfd fds[2] = {{m_pty.masterFd(), POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}};
        const int ready = poll(fds, 2, timeoutMs);
        if (ready < 0 && errno != EINTR)
            break;
        if (fds[1].revents != 0 || m_stopRequested)
            break;
        const Clock::time_point now = Clock::now();
        if (fds[0].revents & POLLIN) {
            const ssize_t n = ::read(m_pty.masterFd(), buffer, sizeof buffer);
            if (n > 0)
                receive(now, buffer, int(n));
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // Not expected while our own slave descriptor is open; never spin.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (!m_pending.isEmpty() && now - m_lastReceive >= kStaleInput)
            consume(int(m_pending.size()));
        process();
    }
    m_running = false;
}

void RadioSimulator::receive(Clock::time_point now, const char *bytes, int count)
{
    m_lastReceive = now;
    for (int i = 0; i < count; ++i) {
        Clock::time_point arrival = now;
        if (m_options.wireTiming) {
            arrival = std::max(m_inClock, now) + kByteTime;
            m_inClock = arrival;
        }
        m_arrivals.push_back(arrival);
    }
    m_pending.append(bytes, count);
}

void RadioSimulator::consume(int count)
{
    count = std::min<int>(count, int(m_pending.size()));
    m_pending.remove(0, count);
    m_arrivals.erase(m_arrivals.begin(), m_arrivals.begin() + count);
}

void RadioSimulator::process()
{
    while (!m_pending.isEmpty() && m_pty.isOpen() && !m_stopRequested) {
        if (!m_active) {
            if (!huntLinkWord())
                return;
            continue;
        }
        int taken = 0;
        {
            std::lock_guard<std::mutex> lock(m_stateMutex);
            taken = m_active->handle(m_pending, *m_line);
            if (taken < 0) {
                m_active->sessionEnded();
                m_active = nullptr;
            }
        }
        if (taken == 0)
            return;
        if (taken < 0)
            continue;
        const Clock::time_point commandEnd = m_arrivals[size_t(std::min<int>(taken, int(m_pending.size())) - 1)];
        consume(taken);
        flush(commandEnd);
    }
}

bool RadioSimulator::huntLinkWord()
{
    for (int i = 0; i + kLinkWordLength <= m_pending.size(); ++i) {
        const QByteArray word = m_pending.mid(i, kLinkWordLength);
        for (const auto &responder : m_responders) {
            if (!responder->acceptsLinkWord(word))
                continue;
            const Clock::time_point wordEnd = m_arrivals[size_t(i + kLinkWordLength - 1)];
            consume(i + kLinkWordLength);
            {
                std::lock_guard<std::mutex> lock(m_stateMutex);
                ++m_state.linkWordCount;
                if (responder->linkUp(word, *m_line))
                    m_active = responder.get();
            }
            flush(wordEnd);
            return true;
        }
    }
    // Keep only what may still grow into a link-up word.
    if (m_pending.size() >= kLinkWordLength)
        consume(int(m_pending.size()) - (kLinkWordLength - 1));
    return false;
}

void RadioSimulator::flush(Clock::time_point commandEnd)
{
    QByteArray out;
    std::swap(out, m_line->output);
    if (!out.isEmpty() && !m_options.noAnswer) {
        // Junk directly behind the reply, in the same burst as its last byte.
        const QByteArray tail = noise(m_options.noiseBytes);
        if (!m_options.wireTiming) {
            m_pty.writeAll(out + tail);
        } else {
            const Clock::time_point begin = std::max(commandEnd, m_outClock);
            for (int k = 0; k < out.size() && !m_stopRequested; ++k) {
                const bool last = k + 1 == out.size();
                waitUntil(begin + (k + 1) * kByteTime, last);
                m_pty.writeAll(last ? out.right(1) + tail : out.mid(k, 1));
            }
            m_outClock = begin + int(out.size()) * kByteTime;
        }
    }
    if (m_line->endSessionRequested && m_active) {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_active->sessionEnded();
        m_active = nullptr;
    }
    m_line->endSessionRequested = false;
    if (m_line->disconnectRequested)
        hangUp();
}

void RadioSimulator::hangUp()
{
    m_line->disconnectRequested = false;
    m_active = nullptr;
    m_pending.clear();
    m_arrivals.clear();
    m_pty.close();
}
