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

// Where a frame's pointer is: the weighted centroid of its pixels (y upward).
// Black knobs carry a light pointer (pixels much brighter than in the frame
// half a turn away); the metal-capped ones (drive, settings page) a red one.
Point pointerCentroid(const ambrel::BmpPixels& p, const Layout& l, int frame) {
    const bool red = l.id == 19009 || l.id == 19032;
    const Frame f(p, l, frame);
    const Frame o(p, l, (frame + l.frames / 2) % l.frames);
    double sw = 0, sx = 0, sy = 0;
    for (int y = 0; y < f.height(); ++y)
        for (int x = 0; x < f.width(); ++x) {
            const Rgb c = f.at(x, y);
            const double w = red ? c.r - (c.g + c.b) / 2.0 - 60.0 : f.luminance(x, y) - o.luminance(x, y) - 100.0;
            if (w <= 0) continue;
            sw += w;
            sx += w * (x + 0.5);
            sy -= w * (y + 0.5);
        }
    return sw > 0 ? Point{sx / sw, sy / sw} : Point{0, 0};
}

// The knob's centre: the pointer turns about it, so its centroids over all
// frames lie on a circle; a least-squares circle fit gives the centre.
Point turningCentre(const ambrel::BmpPixels& p, const Layout& l) {
    // Solve for D, E, F in x^2 + y^2 + D x + E y + F = 0.
    double a[3][4] = {};
    for (int f = 0; f < l.frames; ++f) {
        const Point c = pointerCentroid(p, l, f);
        const double row[3] = {c.x, c.y, 1.0};
        const double rhs = -(c.x * c.x + c.y * c.y);
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) a[i][j] += row[i] * row[j];
            a[i][3] += row[i] * rhs;
        }
    }
    for (int i = 0; i < 3; ++i)
        for (int k = i + 1; k < 3; ++k) {
            const double m = a[k][i] / a[i][i];
            for (int j = i; j < 4; ++j) a[k][j] -= m * a[i][j];
        }
    double sol[3];
    for (int i = 2; i >= 0; --i) {
        double v = a[i][3];
        for (int j = i + 1; j < 3; ++j) v -= a[i][j] * sol[j];
        sol[i] = v / a[i][i];
    }
    return {-sol[0] / 2.0, -sol[1] / 2.0};
}

// The pointer's direction in degrees, counter-clockwise from the right.
double pointerDegrees(const ambrel::BmpPixels& p, const Layout& l, int frame, Point centre) {
    const Point c = pointerCentroid(p, l, frame);
    return std::atan2(c.y - centre.y, c.x - centre.x) * 180.0 / std::numbers::pi;
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
        SCOPED_TRACE(l.id);
        const ambrel::BmpPixels& p = picture(l.id);
        ASSERT_EQ(p.width, l.width);
        const Point c = turningCentre(p, l);
        for (int frame = 0; frame < l.frames; frame += l.frames > 60 ? 5 : 3) {
            const double expected = 225.0 - 270.0 * frame / (l.frames - 1);
            const double measured = pointerDegrees(p, l, frame, c);
            EXPECT_LT(angleGap(measured, expected), 3.0) << "frame " << frame << " measured " << measured;
        }
        const double last = pointerDegrees(p, l, l.frames - 1, c);
        EXPECT_LT(angleGap(last, -45.0), 3.0);
    }
}

TEST(FilmStrips, DriveFramesRunDownEachColumn) {
    // Frame f sits in column f / 10, row f % 10: the pointer turns by one step
    // from each frame to the next in that order.
    const Layout l = kKnobs[1];
    const ambrel::BmpPixels& p = picture(l.id);
    ASSERT_EQ(p.width, l.width);
    const Point c = turningCentre(p, l);
    for (int frame = 0; frame + 1 < l.frames; ++frame) {
        const double step = pointerDegrees(p, l, frame, c) - pointerDegrees(p, l, frame + 1, c);
        const double turned = std::fmod(step + 360.0, 360.0);
        EXPECT_NEAR(turned, 2.7, 1.5) << "frames " << frame << " and " << frame + 1;
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
