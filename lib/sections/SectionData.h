#pragma once

#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/Encodings.h"

#include <algorithm>
#include <cstdint>

// Base of the section accessors: a short-lived object over the document's
// current image that reads and writes fields at fixed offsets and caches
// nothing. Offsets are checked so that no accessor reads or writes outside
// the image, whatever record number it is given.
class CSectionData
{
public:
    explicit CSectionData(CPcSoftwareDoc &doc) : m_doc(doc), m_image(doc.image()) {}
    virtual ~CSectionData() = default;

    CPcSoftwareDoc &document() const { return m_doc; }

protected:
    // A count or time for a one-byte field: out-of-range values are held at
    // the nearer end instead of wrapping.
    static uint8_t clampToByte(int value) { return uint8_t(std::clamp(value, 0, 255)); }
    static bool fits(int offset, int width) { return offset >= 0 && width >= 0 && offset + width <= kImageSize; }
    uint8_t byteAt(int offset) const { return fits(offset, 1) ? m_image[offset] : 0xFF; }
    void setByteAt(int offset, uint8_t value)
    {
        if (fits(offset, 1))
            m_image[offset] = value;
    }
    uint16_t wordAt(int offset) const { return fits(offset, 2) ? readWord(m_image + offset) : 0xFFFF; }
    void setWordAt(int offset, uint16_t value)
    {
        if (fits(offset, 2))
            writeWord(m_image + offset, value);
    }
    // Pointer to a field of `width` bytes, or nullptr when it would leave the image.
    uint8_t *field(int offset, int width) { return fits(offset, width) ? m_image + offset : nullptr; }
    const uint8_t *field(int offset, int width) const { return fits(offset, width) ? m_image + offset : nullptr; }
    // Replaces the bits of mask in the byte at offset, keeping the others.
    void setBits(int offset, uint8_t mask, uint8_t value)
    {
        if (fits(offset, 1))
            m_image[offset] = uint8_t((m_image[offset] & ~mask) | (value & mask));
    }

    CPcSoftwareDoc &m_doc;
    uint8_t *m_image;
};
