// Film strips really animate: knob pointers sweep the 270-degree travel from
// the start angle, frames follow each other in the drive grid's column order,
// switch and button states look different, glyphs are distinct and the over
// LED brightens frame by frame.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "SkinTestSupport.h"

using namespace skin_test;

namespace {

const Layout kKnobs[] = {
    {19008, 60, 5050, 101, 1}, {19009, 1243, 930, 101, 11}, {19010, 60, 5656, 101, 1}, {19012, 60, 5656, 101, 1},
    {19013, 60, 5050, 101, 1}, {19024, 60, 5656, 101, 1},   {19032, 30, 1530, 51, 1},
};

const Layout kMultiState[] = {
    {19005, 40, 150, 3, 1}, {19006, 40, 100, 2, 1}, {19015, 36, 80, 2, 1},  {19016, 51, 192, 4, 1},
    {19017, 38, 80, 2, 1},  {19033, 15, 58, 2, 1},  {19034, 38, 80, 2, 1},  {19035, 25, 50, 2, 1},
    {19036, 25, 50, 2, 1},  {19037, 25, 50, 2, 1},  {19991, 12, 56, 4, 1},  {19992, 12, 56, 4, 1},
    {19993, 12, 56, 4, 1},  {19994, 12, 56, 4, 1},  {19995, 12, 56, 4, 1},  {19996, 12, 56, 4, 1},
    {19997, 31, 70, 5, 1},  {19998, 12, 56, 4, 1},  {19999, 12, 56, 4, 1},
};

struct Point {
    double x;
    double y;
};

// The knob's centre: the middle of the region that changes while it turns
// (the pointer and the knurled rim).
Point turningCentre(const ambrel::BmpPixels& p, const Layout& l) {
    const Frame first(p, l, 0);
    int minX = first.width(), minY = first.height(), maxX = -1, maxY = -1;
    for (int f : {l.frames / 8, l.frames / 4, l.frames / 2, 3 * l.frames / 4, l.frames - 1}) {
        const Frame other(p, l, f);
        for (int y = 0; y < first.height(); ++y)
            for (int x = 0; x < first.width(); ++x)
                if (std::abs(first.luminance(x, y) - other.luminance(x, y)) > 24) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                    minY = std::min(minY, y);
                    maxY = std::max(maxY, y);
                }
    }
    return {(minX + maxX + 1) / 2.0, (minY + maxY + 1) / 2.0};
}

// The direction of a pointer, in degrees counter-clockwise from the right:
// the principal axis of its pixels (a line through the knob's centre), turned
// to point away from the centre.
struct PointerPixels {
    double sw = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    void add(double x, double y, double w) {
        sw += w;
        sx += w * x;
        sy += w * y;
        sxx += w * x * x;
        syy += w * y * y;
        sxy += w * x * y;
    }
    double degrees(Point centre) const {
        if (sw <= 0) return 1e9;
        const double mx = sx / sw, my = sy / sw;
        const double cxx = sxx / sw - mx * mx, cyy = syy / sw - my * my, cxy = sxy / sw - mx * my;
        double axis = 0.5 * std::atan2(2 * cxy, cxx - cyy);  // y grows upward here
        const double ox = mx - centre.x, oy = my - centre.y;
        if (std::cos(axis) * ox + std::sin(axis) * oy < 0) axis += std::numbers::pi;
        return axis * 180.0 / std::numbers::pi;
    }
};

// The pointer of a light-on-dark knob: pixels much brighter than in the frame half a turn away.
double pointerDegrees(const ambrel::BmpPixels& p, const Layout& l, int frame, Point centre) {
    const Frame f(p, l, frame);
    const Frame o(p, l, (frame + l.frames / 2) % l.frames);
    PointerPixels pointer;
    for (int y = 0; y < f.height(); ++y)
        for (int x = 0; x < f.width(); ++x) {
            const double gain = f.luminance(x, y) - o.luminance(x, y);
            if (gain >= 100) pointer.add(x + 0.5, -(y + 0.5), gain);
        }
    return pointer.degrees({centre.x, -centre.y});
}

// The drive knob's pointer is the red line on its light cap.
double redPointerDegrees(const ambrel::BmpPixels& p, const Layout& l, int frame, Point centre) {
    const Frame f(p, l, frame);
    PointerPixels pointer;
    for (int y = 0; y < f.height(); ++y)
        for (int x = 0; x < f.width(); ++x) {
            const Rgb c = f.at(x, y);
            const double redness = c.r - (c.g + c.b) / 2.0;
            if (redness >= 80) pointer.add(x + 0.5, -(y + 0.5), redness);
        }
    return pointer.degrees({centre.x, -centre.y});
}

double angleGap(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    return std::abs(d);
}

}  // namespace

TEST(FilmStrips, NeighbouringKnobFramesDifferAndEndsDiffer) {
    for (const Layout& l : kKnobs) {
        SCOPED_TRACE(l.id);
        const ambrel::BmpPixels& p = picture(l.id);
        ASSERT_EQ(p.width, l.width);
        for (int f = 0; f + 1 < l.frames; ++f)
            EXPECT_GT(differingPixels(Frame(p, l, f), Frame(p, l, f + 1)), 0) << "frames " << f << " and " << f + 1;
        EXPECT_GT(differingPixels(Frame(p, l, 0), Frame(p, l, l.frames - 1)), 40);
    }
}

TEST(FilmStrips, KnobPointersSweepTheTravelFromTheStartAngle) {
    // Travel: from 225 degrees (lower left) clockwise to -45 (lower right).
    for (const Layout& l : kKnobs) {
        if (l.id == 19009) continue;  // the drive knob's light cap is checked by frame order below
        SCOPED_TRACE(l.id);
        const ambrel::BmpPixels& p = picture(l.id);
        ASSERT_EQ(p.width, l.width);
        const Point c = turningCentre(p, l);
        for (int step = 0; step <= 8; ++step) {
            const int frame = step * (l.frames - 1) / 8;
            const double expected = 225.0 - 270.0 * frame / (l.frames - 1);
            EXPECT_LT(angleGap(pointerDegrees(p, l, frame, c), expected), 8.0) << "frame " << frame;
        }
    }
}

TEST(FilmStrips, DriveFramesRunDownEachColumn) {
    // Frame f sits in column f / 10, row f % 10, its pointer at the angle of value f / 100.
    const Layout l = kKnobs[1];
    const ambrel::BmpPixels& p = picture(l.id);
    ASSERT_EQ(p.width, l.width);
    const Point c = turningCentre(p, l);
    for (int frame = 0; frame < l.frames; frame += 3) {
        const double expected = 225.0 - 270.0 * frame / (l.frames - 1);
        EXPECT_LT(angleGap(redPointerDegrees(p, l, frame, c), expected), 4.0) << "frame " << frame;
    }
}

TEST(FilmStrips, EveryStateOfAButtonOrSwitchLooksDifferent) {
    std::vector<Layout> all(std::begin(kMultiState), std::end(kMultiState));
    all.push_back({kSiblingSet ? 19114 : 19014, 36, 80, 2, 1});
    for (const Layout& l : all) {
        SCOPED_TRACE(l.id);
        const ambrel::BmpPixels& p = picture(l.id);
        ASSERT_EQ(p.width, l.width);
        for (int a = 0; a < l.frames; ++a)
            for (int b = a + 1; b < l.frames; ++b)
                EXPECT_GT(differingPixels(Frame(p, l, a), Frame(p, l, b)), 8) << "frames " << a << " and " << b;
    }
}

TEST(FilmStrips, GlyphsAreDistinctAndOnlyTheLastIsBlank) {
    const Layout l{19021, 9, 306, 18, 1};
    const ambrel::BmpPixels& p = picture(l.id);
    ASSERT_EQ(p.height, l.height);
    for (int a = 0; a < 18; ++a)
        for (int b = a + 1; b < 18; ++b)
            EXPECT_GT(differingPixels(Frame(p, l, a), Frame(p, l, b)), 3) << "glyphs " << a << " and " << b;
    const Frame blank(p, l, 17);
    const Rgb back = blank.at(0, 0);
    for (int y = 0; y < blank.height(); ++y)
        for (int x = 0; x < blank.width(); ++x) {
            const Rgb c = blank.at(x, y);
            EXPECT_TRUE(c.r == back.r && c.g == back.g && c.b == back.b) << x << "," << y;
        }
    // Each glyph keeps the window colour at its edges, so glyphs set side by side join seamlessly.
    for (int g = 0; g < 18; ++g) {
        const Frame f(p, l, g);
        for (int y = 0; y < f.height(); ++y)
            EXPECT_NEAR(f.luminance(0, y), blank.luminance(0, 0), 12.0) << "glyph " << g << " row " << y;
    }
}

TEST(FilmStrips, OverLedBrightensFrameByFrame) {
    const Layout l{19026, 21, 126, 6, 1};
    const ambrel::BmpPixels& p = picture(l.id);
    ASSERT_EQ(p.height, l.height);
    double previous = -1;
    for (int f = 0; f < l.frames; ++f) {
        const Frame frame(p, l, f);
        double sum = 0;
        for (int y = 6; y <= 14; ++y)
            for (int x = 6; x <= 14; ++x) sum += frame.luminance(x, y);
        EXPECT_GT(sum / 81.0, previous + 5.0) << "frame " << f;
        previous = sum / 81.0;
    }
}
