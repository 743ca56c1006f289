#pragma once

#include "Responder.h"
#include "SimOptions.h"

// The radio's side of the programming protocol: "PROGRAM" opens a codeplug
// session (identification, then a read or a write of the memory in 64-byte
// blocks), "MODEL-W" the session that sets the model identification.
// Commands out of order end the session, as a radio would ignore them.
class ProgrammingResponder : public Responder
{
public:
    ProgrammingResponder(RadioState &state, const ProgrammingFaults &faults);

    bool acceptsLinkWord(const QByteArray &word) const override;
    bool linkUp(const QByteArray &word, RadioLine &line) override;
    int handle(const QByteArray &input, RadioLine &line) override;
    void sessionEnded() override;

private:
    enum class Session { Program, ModelWrite };
    enum class Phase { Identify, Reading, Writing, Confirmed };

    int identification(uint8_t command, RadioLine &line);
    int request(uint8_t command, RadioLine &line);
    int readBlock(const QByteArray &input, RadioLine &line);
    int writeBlock(const QByteArray &input, RadioLine &line);
    int endOfRead(RadioLine &line);
    int confirm(RadioLine &line);
    int setModel(const QByteArray &input, RadioLine &line);
    // Sends the reply, cut short when the fault asks for it.
    void reply(const QByteArray &bytes, bool cutShort, RadioLine &line);
    // Counts a block; true when the line is to be dropped now.
    bool disconnectNow(RadioLine &line);

    RadioState &m_state;
    ProgrammingFaults m_faults;
    int m_linkWords = 0;
    int m_blocks = 0;       // blocks handled in all sessions, for the disconnect fault
    int m_readBlocks = 0;   // read blocks of this session
    int m_lastReadAddress = -1;
    int m_readRepeats = 0;  // how often the last read block was asked for again
    int m_writeBlocks = 0;  // write blocks of this session
    Session m_session = Session::Program;
    Phase m_phase = Phase::Identify;
};
