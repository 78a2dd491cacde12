#pragma once
// Picture and zone rules of the product's switches and buttons, and the
// two-dimensional film strip of the large knob.

namespace ambrel {

// The switch picture reads its value the way the processing reads a switch
// parameter: position int(count * value), the last one for 1.0.
int switchFrame(float value, int positionCount);

// The four-way button's picture: a quarter of the value range per frame.
int fourWayFrame(float value);

// Plain rectangle and point in window pixels; right and bottom are the far
// edges, which count as inside.
struct ZoneRect {
    int left, top, right, bottom;
};

// The value the four-way button takes for a pointer at (x, y): 0.33 in the
// left zone, 0.67 in the right one, 1.0 in the lower and 0.0 in the upper
// middle, tested in that order; the corners (and the outside) keep current.
float fourWayZoneValue(const ZoneRect& r, int x, int y, float current);

// Where a frame of a film strip laid out in columns starts: frames run down a
// column of stripHeight pixels, then on to the next column to the right.
struct StripOrigin {
    int x, y;
};

// The frame a value shows on a strip of frameCount frames (floor of the
// value over the travel; 0 and below the first, above 1 the last).
int knobFrame(float value, int frameCount, int frameHeight);

StripOrigin gridFrameOrigin(int frame, int frameHeight, int frameWidth, int stripHeight);

}  // namespace ambrel
