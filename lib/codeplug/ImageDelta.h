#pragma once

#include "codeplug/Image.h"

#include <QByteArray>
#include <vector>

// The bytes one edit changed in the codeplug image: runs of consecutive
// changed bytes with their old and new values. An undo step is one delta;
// applying it backwards restores the image exactly.
class ImageDelta
{
public:
    struct Run
    {
        int offset = 0;
        QByteArray before;
        QByteArray after;
    };

    // Runs closer than this many unchanged bytes are kept as one run: fewer,
    // slightly longer runs cost less than many tiny ones.
    static constexpr int kJoinGap = 8;

    // The changed runs between two images of equal size.
    static ImageDelta between(const uint8_t *before, const uint8_t *after, int size);
    static ImageDelta between(const Image &before, const Image &after)
    {
        return between(before.data(), after.data(), kImageSize);
    }

    bool isEmpty() const { return m_runs.empty(); }
    const std::vector<Run> &runs() const { return m_runs; }
    // How many bytes the delta rewrites.
    int byteCount() const;

    // Writes the new bytes (redo) or the old bytes (undo) into an image of
    // `size` bytes. Runs that would reach past it are skipped.
    void applyAfter(uint8_t *image, int size) const { apply(image, size, false); }
    void applyBefore(uint8_t *image, int size) const { apply(image, size, true); }

private:
    void apply(uint8_t *image, int size, bool undo) const;

    std::vector<Run> m_runs;
};
