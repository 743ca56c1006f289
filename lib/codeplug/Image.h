#pragma once

#include <array>
#include <cstdint>

// The radio's programmable memory and the data file header around it.
constexpr int kImageSize = 0x40000;         // 256 KB codeplug image
constexpr int kHeaderSize = 64;             // data file header
constexpr int kSectionAreaSize = 0x10000;   // every section lies below this; the modified test compares it
constexpr char kHeaderText[] = "RQ381 Radio Program data";
constexpr int kHeaderTextLength = 24;

using Image = std::array<uint8_t, kImageSize>;
using FileHeader = std::array<uint8_t, kHeaderSize>;

// Reads and writes 16-bit values, which the image stores low byte first.
inline uint16_t readWord(const uint8_t *p) { return uint16_t(p[0] | (p[1] << 8)); }
inline void writeWord(uint8_t *p, uint16_t v)
{
    p[0] = uint8_t(v & 0xFF);
    p[1] = uint8_t(v >> 8);
}
