#pragma once
// Which film-strip frame the needle meters and over LEDs show.

namespace ambrel {

// Needle travel 0..1 of a meter value on face 0 or 1: value^1.2 on the first
// scale, value^0.6 on the wider second one, mapped into the face's arc.
// Negative (and broken) values rest at 0.
double needlePosition(float value, int scale);

// The frame of a strip of frameCount frames for that value: rest (0) is frame
// 2 and 1.0 is frame 64 of 101; only values above 1 reach the end of the arc.
int needleFrame(float value, int scale, int frameCount);

// One redraw of an over LED. shownLevel is the level drawn last, value the
// new over flag. A level above 0.45 fades by decayStep; a new flag at least as
// bright replaces it. The result is both the new value and the new shownLevel.
float ledLevelAfterRedraw(float shownLevel, float value, float decayStep);

// The frame of a level: levels above 0 map to the nearest of frameCount
// frames, capped at the last; 0 and below are dark.
int ledFrame(float level, int frameCount);

}  // namespace ambrel
