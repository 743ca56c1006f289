#pragma once

#include <QByteArray>
#include <QStringList>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

// Everything the simulated radio remembers. The simulator serialises all
// access: responders get it only inside their calls, and the outside reads it
// through RadioSimulator::inspect().
struct RadioState
{
    static constexpr int kMemorySize = 0x10000;
    static constexpr int kCalibrationSize = 0x4000;

    RadioState();

    // The codeplug memory the programming protocol reaches (0x0000..0xFFFF),
    // except 0x0100..0x027F: those addresses are the calibration memory.
    std::array<uint8_t, kMemorySize> memory;
    // The calibration memory of the service mode (address i = byte i).
    std::array<uint8_t, kCalibrationSize> calibration;
    // The 8 bytes the model query reports and the model-write sets.
    QByteArray modelId;
    // The 22-byte version reply: MCU version (6), data version (6), CID (10).
    QByteArray versionReply;
    // Measurement values of the service mode by measure code.
    std::map<int, uint32_t> measurements;

    // What the radio saw, for tests.
    std::vector<int> writtenBlocks;  // addresses of accepted write blocks, in order
    int readBlockCount = 0;          // block reads answered
    int linkWordCount = 0;           // link-up words received (answered or not)
    int modelWrites = 0;             // accepted set-model commands
    QStringList events;              // one short line per command handled

    // The programming protocol's view of the address space.
    uint8_t byteAt(int address) const;
    void setByteAt(int address, uint8_t value);
};
