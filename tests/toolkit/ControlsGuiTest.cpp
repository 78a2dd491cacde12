// Buttons, switches, the text field and the pop-up menu with real input.

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <cstring>

#include "GuiFixture.h"
#include "TestImages.h"

using namespace VSTGUI;

namespace toolkit_test {
namespace {

class ControlsGui : public GuiTest {
protected:
    int changesOf(int tag) const {
        int n = 0;
        for (const Change& c : editor->changes) n += c.tag == tag;
        return n;
    }
    // The mapped override-redirect window on the screen (the pop-up list).
    Window findPopup(XWindowAttributes& attributes) {
        Display* d = session->display();
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        Window found = 0;
        XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count);
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(d, children[i], &a) && a.override_redirect && a.map_state == IsViewable) {
                found = children[i];
                attributes = a;
            }
        }
        if (children) XFree(children);
        return found;
    }
};

TEST_F(ControlsGui, FrameOpensInsideTheHostWindowAndShowsTheSkin) {
    openEditor();
    Display* d = session->display();
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    XQueryTree(d, host, &root, &parent, &children, &count);
    ASSERT_EQ(count, 1u);
    Window child = children[0];
    XFree(children);
    EXPECT_EQ(reinterpret_cast<void*>(child), editor->getFrame()->getNativeWindow());
    XWindowAttributes a;
    XGetWindowAttributes(d, child, &a);
    EXPECT_EQ(a.width, 450);
    EXPECT_EQ(a.height, 460);
    EXPECT_EQ(a.map_state, IsViewable);
    char* name = nullptr;
    XFetchName(d, child, &name);
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name, "Window");
    XFree(name);
    // The skin reached the screen: the background away from any control, and
    // the knob's film-strip frame for 0.25.
    EXPECT_TRUE(showsColour(10, 10, 0x29335Au));
    EXPECT_TRUE(showsColour(50, 170, frameColour(25)));
    shoot("frame_in_host_window");
}

TEST_F(ControlsGui, OnOffButtonAndVerticalSwitchFollowClicks) {
    openEditor();
    pointAt(60, 418);
    session->click();
    ASSERT_TRUE(pumpUntil([this] { return changesOf(1) == 1; }));
    EXPECT_EQ(editor->button->getValue(), 1.0f);
    EXPECT_EQ(effect->values[1], 1.0f);
    EXPECT_TRUE(showsColour(44, 400, frameColour(1)));  // the lower (on) half is shown
    session->click();
    ASSERT_TRUE(pumpUntil([this] { return changesOf(1) == 2; }));
    EXPECT_EQ(editor->button->getValue(), 0.0f);

    pointAt(226, 70);  // the lowest of three slices
    session->click();
    ASSERT_TRUE(pumpUntil([this] { return changesOf(2) >= 1; }));
    EXPECT_EQ(editor->vswitch->getValue(), 1.0f);
    pointAt(226, 50);  // the middle slice
    session->click();
    ASSERT_TRUE(pumpUntil([this] { return editor->vswitch->getValue() == 0.5f; }));
    EXPECT_TRUE(showsColour(208, 30, frameColour(1)));
    shoot("buttons_and_switch");
}

TEST_F(ControlsGui, TextTypedIntoTheEditBoxIsAppliedWithEnter) {
    openEditor();
    pointAt(233, 451);
    session->click();
    ASSERT_TRUE(pumpUntil([this] { return editor->text->isEditing(); }));
    // All text is selected on open: typing replaces it.
    session->type("Warm Bus");
    session->tap(XK_BackSpace);
    session->type("s2");
    pumpFor(5);
    shoot("text_edit_open");
    EXPECT_EQ(changesOf(59), 0);
    session->tap(XK_Return);
    ASSERT_TRUE(pumpUntil([this] { return changesOf(59) == 1; }));
    EXPECT_STREQ(editor->text->text(), "Warm Bus2");
    EXPECT_FALSE(editor->text->isEditing());
    shoot("text_edit_applied");

    // Cursor keys and Delete; a click elsewhere (focus loss) applies too.
    session->click();
    ASSERT_TRUE(pumpUntil([this] { return editor->text->isEditing(); }));
    session->tap(XK_End);
    session->tap(XK_Left);
    session->tap(XK_Left);
    session->tap(XK_Delete);
    session->type("x");
    pointAt(400, 300);
    session->click();
    ASSERT_TRUE(pumpUntil([this] { return changesOf(59) == 2; }));
    EXPECT_STREQ(editor->text->text(), "Warm Bux2");
}

TEST_F(ControlsGui, EditBoxTakesAtMost255CharactersAndEscapeKeepsTheText) {
    openEditor();
    pointAt(233, 451);
    session->click();
    ASSERT_TRUE(pumpUntil([this] { return editor->text->isEditing(); }));
    // Host-forwarded keys (effEditKeyDown) reach the open box as well.
    for (int i = 0; i < 300; ++i) effect->dispatcher(effEditKeyDown, 'x', 0, nullptr, 0.0f);
    EXPECT_EQ(effect->dispatcher(effEditKeyDown, 0, VKEY_RETURN, nullptr, 0.0f), 1);
    ASSERT_TRUE(pumpUntil([this] { return changesOf(59) == 1; }));
    EXPECT_EQ(std::strlen(editor->text->text()), 255u);

    session->click();
    ASSERT_TRUE(pumpUntil([this] { return editor->text->isEditing(); }));
    session->type("abc");
    session->tap(XK_Escape);
    ASSERT_TRUE(pumpUntil([this] { return !editor->text->isEditing(); }));
    EXPECT_EQ(changesOf(59), 1);
    EXPECT_EQ(std::strlen(editor->text->text()), 255u);
    // With no box open, keys the editor does not use go back to the host.
    EXPECT_EQ(effect->dispatcher(effEditKeyDown, 'q', 0, nullptr, 0.0f), 0);
}

TEST_F(ControlsGui, PopupMenuShowsColumnsOf16AndAnEntryIsChosen) {
    openEditor();
    ASSERT_TRUE(editor->menu->setCurrent(4, false));  // "Program 4", the sixth entry counting the separator
    EXPECT_EQ(editor->menu->getCurrent(), 5);
    EXPECT_FALSE(editor->menu->setCurrent(31, false));
    pointAt(298, 451);
    session->click();
    XWindowAttributes list{};
    Window popup = 0;
    ASSERT_TRUE(pumpUntil([&] { return (popup = findPopup(list)) != 0; }));
    pumpFor(3);
    session->screenshot(DefaultRootWindow(session->display()), "popup_menu", list.x, list.y, list.width, list.height);
    // 32 entries in columns of 16: two columns.
    int rowHeight = (list.height - 2) / 16;
    EXPECT_EQ(rowHeight, 18);
    int columnWidth = (list.width - 2) / 2;
    EXPECT_GT(columnWidth, 40);
    // Entry 20: second column, fifth row.
    session->moveTo(list.x + 1 + columnWidth + columnWidth / 2, list.y + 1 + 4 * rowHeight + rowHeight / 2);
    session->click();
    ASSERT_TRUE(pumpUntil([this] { return changesOf(65) == 1; }));
    char text[256];
    EXPECT_EQ(editor->menu->getCurrent(text), 20);
    EXPECT_EQ(editor->menu->getCurrent(nullptr, false), 19);
    EXPECT_STREQ(text, "Program 19");
    EXPECT_EQ(findPopup(list), 0u);

    // A click outside the list dismisses it without a change.
    pointAt(298, 451);
    session->click();
    ASSERT_TRUE(pumpUntil([&] { return findPopup(list) != 0; }));
    pointAt(20, 20);
    session->click();
    ASSERT_TRUE(pumpUntil([&] { return findPopup(list) == 0; }));
    pumpFor(3);
    EXPECT_EQ(changesOf(65), 1);
    EXPECT_EQ(editor->menu->getCurrent(), 20);
}

}  // namespace
}  // namespace toolkit_test
