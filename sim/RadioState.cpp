#include "RadioState.h"

namespace {

constexpr int kCalibrationAreaFirst = 0x0100;
constexpr int kCalibrationAreaEnd = 0x0280;

bool inCalibrationArea(int address)
{
    return address >= kCalibrationAreaFirst && address < kCalibrationAreaEnd;
}

}

RadioState::RadioState()
{
    memory.fill(0xFF);
    // A factory calibration that is recognisably not erased memory.
    for (int i = 0; i < kCalibrationSize; ++i)
        calibration[i] = uint8_t((i * 7 + 0x30) & 0xFF);
    modelId = QByteArray(8, char(0xFF));
    versionReply = QByteArray("V1.02A") + QByteArray("D2.00B")
        + QByteArray::fromHex("0123456789abcdef0011");
}

uint8_t RadioState::byteAt(int address) const
{
    if (address < 0 || address >= kMemorySize)
        return 0xFF;
    return inCalibrationArea(address) ? calibration[address] : memory[address];
}

void RadioState::setByteAt(int address, uint8_t value)
{
    if (address < 0 || address >= kMemorySize)
        return;
    if (inCalibrationArea(address))
        calibration[address] = value;
    else
        memory[address] = value;
}
