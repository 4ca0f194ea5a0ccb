#include "gravlin/window.h"

namespace gravlin {

Window::~Window() = default;

namespace {
// The start of a span of `length` moved into [areaStart, areaStart + areaLength); its start
// wins where both ends cannot fit.
int moveInside(int start, int length, int areaStart, int areaLength) {
    const long long end = static_cast<long long>(start) + length;
    const long long areaEnd = static_cast<long long>(areaStart) + areaLength;
    long long moved = start;
    if (end > areaEnd) moved = areaEnd - length;
    if (moved < areaStart) moved = areaStart;
    return static_cast<int>(moved);
}
}  // namespace

ScreenRect placeWithin(const ScreenRect& frame, const ScreenRect& area) {
    return {moveInside(frame.left, frame.width, area.left, area.width),
            moveInside(frame.top, frame.height, area.top, area.height), frame.width, frame.height};
}

}  // namespace gravlin
