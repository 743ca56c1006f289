#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where a new form frame goes: down and to the right of the frames already
// shown, one title bar further each, so that no frame hides another one's
// title. A frame that would run out of the area starts the cascade again at
// the top left.
namespace FramePlacement {

// The first cascade position (0,0), (step,step), ... that no shown frame
// occupies and at which a frame of `size` still fits into `area`; the top
// left when none does.
QPoint cascadePosition(const QList<QPoint> &shown, const QSize &size, const QSize &area, int step);

}
