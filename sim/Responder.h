#pragma once

#include <QByteArray>
#include <memory>

struct RadioState;
struct SimOptions;

// The simulated radio's side of the serial line, as a responder sees it.
// Replies are queued by send() and leave when the command has been fully
// received (paced at 57600 baud when wire timing is on).
class RadioLine
{
public:
    virtual ~RadioLine() = default;
    virtual void send(const QByteArray &bytes) = 0;
    // Hangs the line up after the queued replies (the "disconnect" fault).
    virtual void disconnect() = 0;
    // Ends the session: the next bytes are searched for link-up words again.
    virtual void endSession() = 0;
};

// One protocol of the radio. The simulator hunts the incoming bytes for a
// 7-byte link-up word; the responder that accepts the word handles the
// bytes that follow until it ends the session or meets a byte that is no
// command of its protocol.
//
// Every call runs on the simulator's thread with the radio state locked, so
// a responder may read and change the RadioState it was made with freely.
//
// Two responders exist:
//  - ProgrammingResponder (sim/ProgrammingResponder.h): "PROGRAM" and
//    "MODEL-W", the codeplug protocol and its fault options.
//  - the service mode ("TUNINGT", "TUNINGR", "TUNINGW"), which plugs in like
//    this: sim/ServiceResponder.h declares
//        std::unique_ptr<Responder> createServiceResponder(RadioState &state,
//                                                          const SimOptions &options);
//    and sim/ServiceResponder.cpp defines it (a class derived from Responder
//    over the state's calibration memory and measurement values). The
//    simulator (sim/RadioSimulator.cpp) includes that header when it exists
//    and registers the responder after the programming one; nothing else
//    needs to change. Service-mode options of rq381-sim (--calibration FILE,
//    --measure CODE=VALUE) are parsed into RadioState / SimOptions by
//    sim/SimOptions.cpp.
class Responder
{
public:
    virtual ~Responder() = default;

    // Whether word (7 bytes) is one of this responder's link-up words.
    virtual bool acceptsLinkWord(const QByteArray &word) const = 0;

    // A link-up word arrived. Reply through line (or stay silent) and
    // return true when a session starts, false to ignore the word.
    virtual bool linkUp(const QByteArray &word, RadioLine &line) = 0;

    // The bytes received in the session and not yet taken, oldest first.
    // Handle the one complete command at the front and return how many
    // bytes it took; return 0 while the command is still incomplete;
    // return kNotACommand when the first byte starts no command of this
    // session (the session ends and the bytes are hunted for link-up words).
    static constexpr int kNotACommand = -1;
    virtual int handle(const QByteArray &input, RadioLine &line) = 0;

    // The session ended (by endSession, a foreign byte, or a silent line).
    virtual void sessionEnded() {}
};
