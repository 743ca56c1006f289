#pragma once

#include "PseudoTerminal.h"
#include "RadioState.h"
#include "Responder.h"
#include "SimOptions.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A simulated radio on a pseudo-terminal, served by its own thread. The
// incoming bytes are hunted for a link-up word; the responder that accepts
// it (programming or service mode) handles the session's commands.
//
// With wire timing, every byte takes its time on a 57600 baud line (10 bits
// a byte) in both directions: a command counts as received when its last
// byte would have arrived, and reply byte k leaves at a fixed time k + 1
// byte times after the reply starts.
class RadioSimulator
{
public:
    explicit RadioSimulator(const SimOptions &options, const RadioState &initial = RadioState());
    ~RadioSimulator();
    RadioSimulator(const RadioSimulator &) = delete;
    RadioSimulator &operator=(const RadioSimulator &) = delete;

    // Opens the pseudo-terminal and starts serving it.
    bool start(QString *error = nullptr);
    // Stops serving and closes the pseudo-terminal.
    void stop();
    // Asks the serving thread to stop, without waiting (any thread).
    void requestStop();
    // Waits until the simulator stops (by a stop request or a disconnect
    // fault) and closes the pseudo-terminal.
    void wait();
    bool isRunning() const { return m_running.load(); }

    // The path a client opens, e.g. /dev/pts/4.
    QString devicePath() const { return m_pty.slavePath(); }

    // Runs f on the radio state with the simulator's lock held.
    template <typename F>
    auto inspect(F &&f)
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        return f(m_state);
    }

private:
    class Line;
    using Clock = std::chrono::steady_clock;

    void serve();
    void receive(Clock::time_point now, const char *bytes, int count);
    void process();
    bool huntLinkWord();
    void consume(int count);
    void flush(Clock::time_point commandEnd);
    void hangUp();

    SimOptions m_options;
    RadioState m_state;
    std::mutex m_stateMutex;
    std::vector<std::unique_ptr<Responder>> m_responders;
    Responder *m_active = nullptr;

    PseudoTerminal m_pty;
    int m_wakePipe[2] = {-1, -1};
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_stopRequested{false};

    // Received bytes not yet taken, and when each finished arriving.
    QByteArray m_pending;
    std::vector<Clock::time_point> m_arrivals;
    Clock::time_point m_lastReceive;
    Clock::time_point m_inClock;   // end of the last incoming byte on the line
    Clock::time_point m_outClock;  // end of the last outgoing byte on the line

    std::unique_ptr<Line> m_line;
};
