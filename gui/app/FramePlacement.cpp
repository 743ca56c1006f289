#include "app/FramePlacement.h"

#include <algorithm>

namespace FramePlacement {

QPoint cascadePosition(const QList<QPoint> &shown, const QSize &size, const QSize &area, int step)
{
    step = std::max(step, 1);
    for (int k = 0;; ++k) {
        const QPoint candidate(k * step, k * step);
        const bool fits = candidate.x() + size.width() <= area.width() && candidate.y() + size.height() <= area.height();
        // The first position is taken even in an area too small for the frame.
        if (k > 0 && !fits)
            return {0, 0};
        if (!shown.contains(candidate))
            return candidate;
    }
}

}
