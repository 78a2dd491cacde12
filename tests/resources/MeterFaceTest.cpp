// The meter faces put each scale mark where the meter will put the needle for
// that level: the needle control shows frame int(100 p + 0.5), p = value^1.2 x
// 0.617 + 0.018 on face 0 and value^0.6 x 0.617 + 0.018 on face 1, value 1.0
// being 0 dB (and no gain reduction). Checked on the generator's geometry and
// on the pixels of the embedded faces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "SkinTestSupport.h"
#include "resources/generator/MeterScale.h"

using namespace skin_test;
namespace ms = ambrel::skin;

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;

const Layout kFaces[2] = {{19003, 136, 7070, 101, 1}, {19004, 136, 7070, 101, 1}};

// The meter's own reading of a value, written out independently.
int meterFrame(double value, int face) {
    float q = std::pow(static_cast<float>(value), 1.2f);
    if (face == 1) q = std::sqrt(q);
    const float p = std::min(q * 0.617f + 0.018f, 1.0f);
    return static_cast<int>(100.0f * p + 0.5f);
}

double angleOf(double x, double y) {
    return std::atan2(x + 0.5 - ms::kNeedlePivotX, ms::kNeedlePivotY - (y + 0.5)) * kRadToDeg;
}

// The needle of a frame: pixels clearly darker than in a frame whose needle is
// far away; their median angle about the pivot.
double measuredNeedleAngle(const ambrel::BmpPixels& p, const Layout& l, int frame) {
    const Frame f(p, l, frame);
    const Frame far(p, l, frame < 50 ? 100 : 0);
    std::vector<double> angles;
    for (int y = 0; y < f.height(); ++y)
        for (int x = 0; x < f.width(); ++x) {
            if (far.luminance(x, y) - f.luminance(x, y) < 70) continue;
            if (std::hypot(x + 0.5 - ms::kNeedlePivotX, ms::kNeedlePivotY - (y + 0.5)) < 44) continue;
            angles.push_back(angleOf(x, y));
        }
    if (angles.empty()) return 1e9;
    std::nth_element(angles.begin(), angles.begin() + static_cast<std::ptrdiff_t>(angles.size() / 2), angles.end());
    return angles[angles.size() / 2];
}

// Ink of a labelled scale mark at an angle: dark pixels on the ray beyond the
// scale arc and the minor ticks, seen in a frame whose needle is elsewhere.
int inkOnRay(const ambrel::BmpPixels& p, const Layout& l, int frame, double degrees, double outer) {
    const Frame f(p, l, frame);
    int dark = 0;
    for (double r = ms::kScaleRadius + ms::kMinorMarkLength; r <= ms::kScaleRadius + outer; r += 0.5) {
        const double x = ms::kNeedlePivotX + r * std::sin(degrees / kRadToDeg);
        const double y = ms::kNeedlePivotY - r * std::cos(degrees / kRadToDeg);
        if (f.luminance(static_cast<int>(x), static_cast<int>(y)) < 150) ++dark;
    }
    return dark;
}

struct MarkCase {
    int face;
    double dB;
    int frame;  // the frame the meter shows at that level
};

const MarkCase kTabledMarks[] = {
    {0, 0.0, 64}, {0, -20.0, 6}, {0, 3.0, 95}, {1, 0.0, 64}, {1, -40.0, 6}, {1, 6.0, 95},
};

}  // namespace

TEST(MeterFaces, TheMetersReadingOfTheTabledLevels) {
    for (const MarkCase& m : kTabledMarks) {
        EXPECT_EQ(meterFrame(std::pow(10.0, m.dB / 20.0), m.face), m.frame) << m.face << " " << m.dB;
        EXPECT_EQ(ms::markFrame(m.dB, m.face), m.frame) << m.face << " " << m.dB;
    }
    // At rest the needle shows frame 2; no gain reduction reads 1.0, the 0 mark.
    EXPECT_EQ(ms::needleFrame(0.0f, 0), 2);
    EXPECT_EQ(ms::needleFrame(-1.0f, 1), 2);
    EXPECT_EQ(ms::needleFrame(1.0f, 0), 64);
    EXPECT_EQ(ms::needleFrame(1.0f, 1), 64);
    EXPECT_EQ(ms::needleFrame(2.0f, 1), 95);
    EXPECT_EQ(ms::needleFrame(100.0f, 0), 100);
}

TEST(MeterFaces, GeneratorMarkAnglesMatchTheNeedleAngles) {
    for (const MarkCase& m : kTabledMarks)
        EXPECT_NEAR(ms::markAngle(m.dB, m.face), ms::needleAngleOfFrame(m.frame), 1.0) << m.face << " " << m.dB;
    // Every level between the scale ends, whole dB by whole dB.
    for (int face = 0; face < 2; ++face) {
        const int low = face == 0 ? -20 : -40;
        const int high = face == 0 ? 3 : 6;
        for (int dB = low; dB <= high; ++dB)
            EXPECT_NEAR(ms::markAngle(dB, face), ms::needleAngleOfFrame(meterFrame(std::pow(10.0, dB / 20.0), face)),
                        1e-9)
                << face << " " << dB;
    }
}

TEST(MeterFaces, DrawnNeedlesPointAtTheirFramesAngle) {
    for (int face = 0; face < 2; ++face) {
        const Layout& l = kFaces[face];
        const ambrel::BmpPixels& p = picture(l.id);
        ASSERT_EQ(p.height, l.height);
        for (int frame : {2, 6, 20, 40, 64, 80, 95, 100}) {
            const double expected = (frame / 100.0 - 0.5) * ms::kNeedleSweepDegrees;
            EXPECT_NEAR(measuredNeedleAngle(p, l, frame), expected, 1.0) << "face " << face << " frame " << frame;
        }
    }
}

TEST(MeterFaces, DrawnMarksSitUnderTheNeedleThatReadsThem) {
    for (const MarkCase& m : kTabledMarks) {
        SCOPED_TRACE(testing::Message() << "face " << m.face << " at " << m.dB << " dB");
        const Layout& l = kFaces[m.face];
        const ambrel::BmpPixels& p = picture(l.id);
        ASSERT_EQ(p.height, l.height);
        const int elsewhere = m.frame < 50 ? 100 : 2;
        const double needle = measuredNeedleAngle(p, l, m.frame);
        // The mark is on the needle's own ray, within a degree, and not beside it.
        int best = 0;
        for (double d = -1.0; d <= 1.0; d += 0.25) best = std::max(best, inkOnRay(p, l, elsewhere, needle + d, ms::kMajorMarkLength - 0.5));
        EXPECT_GE(best, 4);
        EXPECT_LE(inkOnRay(p, l, elsewhere, needle - 2.2, ms::kMinorMarkLength + 1.0), 1);
        EXPECT_LE(inkOnRay(p, l, elsewhere, needle + 2.2, ms::kMinorMarkLength + 1.0), 1);
    }
}

TEST(MeterFaces, NeighbouringFramesDiffer) {
    for (const Layout& l : kFaces) {
        const ambrel::BmpPixels& p = picture(l.id);
        ASSERT_EQ(p.height, l.height);
        for (int f = 0; f + 1 < l.frames; ++f)
            EXPECT_GT(differingPixels(Frame(p, l, f), Frame(p, l, f + 1)), 0) << l.id << " frame " << f;
    }
}
