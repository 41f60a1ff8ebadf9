// Quarter turns of the picture: the count the document keeps, and where a point of the picture
// (a red-eye mark, a corner of a colour-range area) lands after one turn.
#pragma once

#include <QPoint>

namespace core {

// Quarter turns counted clockwise, 0..3: the count after one turn in the direction (-1 counter-
// clockwise, +1 clockwise).
inline int addQuarterTurn(int rotation, int direction) {
    return ((rotation + direction) % 4 + 4) % 4;
}

// The pixel at `point` of a width x height picture, after one quarter turn of the picture in the
// direction: clockwise (x, y) goes to (height - 1 - y, x), counter-clockwise to
// (y, width - 1 - x).
inline QPoint turnedPoint(QPoint point, int width, int height, int direction) {
    if (direction > 0) return {height - 1 - point.y(), point.x()};
    return {point.y(), width - 1 - point.x()};
}

}  // namespace core
