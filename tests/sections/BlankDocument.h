#pragma once

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

// A document whose whole image is erased (0xFF), with the band limits of
// the configured range: the state every set-defaults operation starts from.
struct BlankDocument
{
    explicit BlankDocument(const QString &model = QString()) : cfg(model), doc(cfg.settings())
    {
        doc.DeleteContents();
        doc.UpdateBandLimits();
    }
    uint8_t *image() { return doc.image(); }
    std::vector<uint8_t> snapshot() const { return {doc.image(), doc.image() + kImageSize}; }
    bool unchangedSince(const std::vector<uint8_t> &before) const
    {
        return std::memcmp(before.data(), doc.image(), kImageSize) == 0;
    }
    // Fills [from, from + count) with value.
    void fill(int from, int count, uint8_t value) { std::memset(doc.image() + from, value, size_t(count)); }

    TestConfig cfg;
    CPcSoftwareDoc doc;
};

// UTF-16LE bytes of an ASCII text, as a name field stores it.
inline QString utf16Bytes(const char *text)
{
    QStringList parts;
    for (const char *p = text; *p; ++p)
        parts << QStringLiteral("%1 00").arg(uint8_t(*p), 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(' '));
}
