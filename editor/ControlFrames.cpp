#include "editor/ControlFrames.h"

namespace ambrel {

int switchFrame(float value, int positionCount) {
    if (positionCount <= 1 || !(value > 0.0f)) return 0;
    const float scaled = positionCount * value;
    if (scaled >= static_cast<float>(positionCount - 1)) return positionCount - 1;
    return static_cast<int>(scaled);
}

int fourWayFrame(float value) {
    if (value >= 0.75f) return 3;
    if (value >= 0.5f) return 2;
    if (value >= 0.25f) return 1;
    return 0;
}

float fourWayZoneValue(const ZoneRect& r, int x, int y, float current) {
    const double w = r.right - r.left;
    const double h = r.bottom - r.top;
    const bool inside = x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
    if (!inside) return current;
    const bool middleRows = y >= r.top + h / 4 && y <= r.bottom - h / 4;
    const bool middleColumns = x >= r.left + w / 4 && x <= r.right - w / 4;
    if (x <= r.left + w / 4 && middleRows) return 0.33f;
    if (x >= r.right - w / 4 && middleRows) return 0.67f;
    if (middleColumns && y >= r.top + h / 2) return 1.0f;
    if (middleColumns && y <= r.top + h / 2) return 0.0f;
    return current;
}

int knobFrame(float value, int frameCount, int frameHeight) {
    if (!(value > 0.0f) || frameCount <= 1 || frameHeight <= 0) return 0;
    // The largest multiple of the frame height within value x travel.
    const float travel = value * static_cast<float>(frameHeight) * static_cast<float>(frameCount - 1);
    const float last = static_cast<float>(frameHeight) * static_cast<float>(frameCount - 1);
    if (travel >= last) return frameCount - 1;
    return static_cast<int>(travel) / frameHeight;
}

StripOrigin gridFrameOrigin(int frame, int frameHeight, int frameWidth, int stripHeight) {
    if (stripHeight <= 0) return {0, 0};
    const int y = frame * frameHeight;
    return {(y / stripHeight) * frameWidth, y % stripHeight};
}

}  // namespace ambrel
