// View containers: ownership by reference count, the search order and edges
// of getViewAt, and what is drawn for a see-through child.

#include <gtest/gtest.h>

#include "RecordingDevice.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/COnOffButton.h"
#include "toolkit/CViewContainer.h"

using namespace VSTGUI;

namespace {

class Probe : public CView {
public:
    Probe(const CRect& r, int* deaths) : CView(r), deaths(deaths) {}
    ~Probe() override { ++*deaths; }
    int* deaths;
};

TEST(ViewContainer, AddTakesAReferenceAndTheContainerReleasesItsChildren) {
    int deaths = 0;
    auto* container = new CViewContainer(CRect(0, 0, 100, 100));
    auto* a = new Probe(CRect(0, 0, 10, 10), &deaths);
    auto* b = new Probe(CRect(0, 0, 10, 10), &deaths);
    container->addView(a);
    container->addView(b);
    EXPECT_EQ(a->getNbReference(), 2);
    a->forget();
    b->forget();
    EXPECT_EQ(deaths, 0);
    EXPECT_TRUE(container->isChild(a));
    EXPECT_EQ(a->getParentView(), container);

    // Taken out without forget: the container's reference goes to the caller.
    container->removeView(b, false);
    EXPECT_FALSE(container->isChild(b));
    EXPECT_EQ(b->getParentView(), nullptr);
    EXPECT_EQ(deaths, 0);
    container->forget();
    EXPECT_EQ(deaths, 1);  // a went with the container
    b->forget();
    EXPECT_EQ(deaths, 2);
}

TEST(ViewContainer, RemoveWithForgetReleasesTheView) {
    int deaths = 0;
    CViewContainer container(CRect(0, 0, 100, 100));
    auto* a = new Probe(CRect(0, 0, 10, 10), &deaths);
    container.addView(a);
    a->forget();
    container.removeView(a, true);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(container.getNbViews(), 0);
}

TEST(ViewContainer, GetViewAtSearchesTheNewestFirstWithEdgesIncluded) {
    int deaths = 0;
    CViewContainer container(CRect(0, 0, 200, 200));
    auto* under = new Probe(CRect(10, 10, 50, 50), &deaths);
    auto* over = new Probe(CRect(40, 40, 80, 80), &deaths);
    auto* other = new Probe(CRect(100, 100, 120, 120), &deaths);
    for (CView* v : {static_cast<CView*>(under), static_cast<CView*>(over), static_cast<CView*>(other)}) {
        container.addView(v);
        v->forget();
    }
    struct Case {
        CPoint where;
        CView* expected;
    };
    const Case cases[] = {
        {{20, 20}, under},  {{45, 45}, over},    // overlap: the later one
        {{10, 10}, under},  {{50, 50}, over},    // top-left and bottom-right edges count
        {{80, 80}, over},   {{81, 80}, nullptr}, // just outside
        {{120, 100}, other}, {{9, 30}, nullptr},
    };
    for (const Case& k : cases) EXPECT_EQ(container.getViewAt(k.where), k.expected) << k.where.x << "," << k.where.y;

    // A changed mouseable area decides, not the size.
    other->setMouseableArea(CRect(100, 100, 105, 105));
    EXPECT_EQ(container.getViewAt(CPoint(110, 110)), nullptr);
    // The modal view takes everything.
    container.setModalView(under);
    EXPECT_EQ(container.getViewAt(CPoint(150, 10)), under);
    container.setModalView(nullptr);
}

TEST(ViewContainer, DeepSearchFindsTheViewInsideANestedContainer) {
    int deaths = 0;
    CViewContainer outer(CRect(0, 0, 200, 200));
    auto* page = new CViewContainer(CRect(0, 0, 200, 150));
    auto* inside = new Probe(CRect(10, 10, 20, 20), &deaths);
    page->addView(inside);
    inside->forget();
    outer.addView(page);
    page->forget();
    EXPECT_EQ(outer.getViewAt(CPoint(15, 15)), page);
    EXPECT_EQ(outer.getViewAt(CPoint(15, 15), true), inside);
    EXPECT_EQ(outer.getViewAt(CPoint(100, 100), true), page);
}

TEST(ViewContainer, UpdateDrawsOnlyDirtyChildren) {
    toolkit_test::RecordingDevice device;
    CDrawContext context(nullptr, &device);
    CViewContainer container(CRect(0, 0, 100, 100));
    auto* a = new COnOffButton(CRect(0, 0, 10, 10), nullptr, 1, nullptr);
    auto* b = new COnOffButton(CRect(20, 0, 30, 10), nullptr, 2, nullptr);
    container.addView(a);
    container.addView(b);
    a->forget();
    b->forget();
    container.draw(&context);
    context.takeDrawnAreas();
    EXPECT_FALSE(container.isDirty());
    b->setValue(1.0f);
    EXPECT_TRUE(container.isDirty());
    device.fills.clear();
    container.update(&context);
    EXPECT_FALSE(b->isDirty());
    EXPECT_FALSE(container.isDirty());
    // Only b's area was drawn.
    auto drawn = context.takeDrawnAreas();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0], CRect(20, 0, 30, 10));
}

}  // namespace
