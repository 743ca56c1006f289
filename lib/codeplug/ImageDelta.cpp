#include "codeplug/ImageDelta.h"

#include <cstring>

ImageDelta ImageDelta::between(const uint8_t *before, const uint8_t *after, int size)
{
    ImageDelta delta;
    // Whole 8-byte words are compared first: an edit touches a few hundred
    // bytes of 256 KB, so almost every word is equal.
    int i = 0;
    while (i < size) {
        if (i + 8 <= size && std::memcmp(before + i, after + i, 8) == 0) {
            i += 8;
            continue;
        }
        if (before[i] == after[i]) {
            ++i;
            continue;
        }
        // A run starts at i; it ends at the first stretch of kJoinGap equal bytes.
        const int start = i;
        int end = i + 1;  // one past the last changed byte
        int scan = end;
        while (scan < size && scan - end < kJoinGap) {
            if (before[scan] != after[scan])
                end = scan + 1;
            ++scan;
        }
        Run run;
        run.offset = start;
        run.before = QByteArray(reinterpret_cast<const char *>(before + start), end - start);
        run.after = QByteArray(reinterpret_cast<const char *>(after + start), end - start);
        delta.m_runs.push_back(std::move(run));
        i = end;
    }
    return delta;
}

int ImageDelta::byteCount() const
{
    int count = 0;
    for (const Run &run : m_runs)
        count += int(run.after.size());
    return count;
}

void ImageDelta::apply(uint8_t *image, int size, bool undo) const
{
    for (const Run &run : m_runs) {
        const QByteArray &bytes = undo ? run.before : run.after;
        if (run.offset < 0 || run.offset > size || bytes.size() > size - run.offset)
            continue;
        std::memcpy(image + run.offset, bytes.constData(), size_t(bytes.size()));
    }
}
