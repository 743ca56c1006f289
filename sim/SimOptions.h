#pragma once

#include "RadioState.h"

#include <QString>
#include <QStringList>

// The faults the radio can be told to show. Block numbers count from 0 in
// the order the blocks are requested or sent in one session; a read block
// asked for again at once keeps its number. Most apply to
// both modes; SimOptions::usage() says which do not.
struct ProgrammingFaults
{
    enum class ShortReply { None, Model, Query05, Version, Request, Block, EndOfRead };

    int answerAfter = 0;          // link-up words ignored before the first answer
    ShortReply shortReply = ShortReply::None;
    int shortBlock = 0;           // the block whose reply is short (ShortReply::Block)
    int wrongHeaderBlock = -1;    // read block answered with another block's address
    bool ackRequest = false;      // 06 to the read or write request
    int nakWriteBlock = -1;       // write block answered with 15 instead of 06
    bool nakEndOfRead = false;    // end of read answered with 15
    int disconnectAfterBlocks = -1;  // hang up when this many blocks went through
    int corruptReadBlock = -1;    // read block answered with one data byte changed on the line
    int faultTimes = -1;          // requests of a faulty read block that show the fault; -1: every one
    int dropWriteBlock = -1;      // write block acknowledged but not stored
};

struct SimOptions
{
    QString configDir;        // setting.ini for the default codeplug; empty: the program's folder
    QString imagePath;        // .dat file for the memory; empty: the default codeplug
    QString calibrationPath;  // .test file for the calibration memory
    QString model;            // model identification; empty: memory bytes 0..7
    QString savePath;         // .dat file written when the simulator ends
    bool wireTiming = false;  // pace every byte at 57600 baud
    bool noAnswer = false;    // never send anything
    int noiseBytes = 0;       // junk sent at start and right behind every reply
    std::map<int, uint32_t> measurements;  // --measure CODE=VALUE
    ProgrammingFaults faults;

    // Parses rq381-sim's arguments (without the program name).
    static bool parse(const QStringList &args, SimOptions &options, QString *error);
    static QString usage();
};

// The radio's state at start: memory from --image or from a default codeplug
// built over the settings in configDir, calibration memory from
// --calibration, model identification from --model or the memory.
bool loadRadioState(const SimOptions &options, RadioState &state, QString *error);

// Writes the memory as a .dat file (header, then the 256 KB image with the
// memory in its first 64 KB). Atomic: a failed save leaves no half file.
bool saveRadioMemory(const RadioState &state, const QString &path, QString *error);
