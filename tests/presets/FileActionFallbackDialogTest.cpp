// The whole chain once on a bare X server: the preset strip's buttons pressed
// with the pointer, no desktop dialog program installed, our own toolkit's
// path entry and message box answered by typing and clicking.

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "PresetBarWindowFixture.h"
#include "platform/linux/DialogDesktop.h"
#include "toolkit/CTextEdit.h"

namespace ambrel {
namespace {

using testing::PresetBarWindow;
using testing::PrivateDisplay;
using testing::ScratchFolder;

// Works a dialog from another connection to the same server, as a user at
// the keyboard would, while the editor's thread sits in the dialog's loop.
class DialogUser {
public:
    explicit DialogUser(const std::string& displayName) : dpy(XOpenDisplay(displayName.c_str())) {}
    ~DialogUser() {
        if (worker.joinable()) worker.join();
        if (dpy) XCloseDisplay(dpy);
    }

    // Waits for the window titled `title`, shoots it, then types `text` and Enter.
    void typeInto(const std::string& title, const std::string& text, const std::string& screenshot) {
        worker = std::thread([=, this] {
            ::Window window = waitFor(title);
            if (!window) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(150));  // the entry opens and takes the keys
            for (char c : text) typeChar(c);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));  // drawn before it is shot
            shoot(window, screenshot);
            key(XK_Return);
            done = true;
        });
    }
    // Waits for the window titled `title`, shoots it and clicks its OK button.
    void clickOk(const std::string& title, const std::string& screenshot) {
        worker = std::thread([=, this] {
            ::Window window = waitFor(title);
            if (!window) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            XWindowAttributes a;
            XGetWindowAttributes(dpy, window, &a);
            shoot(window, screenshot);
            // OK is the rightmost button, 80 by 24, ten pixels in from the corner.
            XTestFakeMotionEvent(dpy, -1, a.x + a.width - 10 - 40, a.y + a.height - 10 - 12, CurrentTime);
            XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
            XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
            XSync(dpy, False);
            done = true;
        });
    }
    void finish() {
        if (worker.joinable()) worker.join();
    }
    bool ok() const { return dpy != nullptr; }
    std::atomic<bool> done{false};

private:
    ::Window waitFor(const std::string& title) {
        for (int i = 0; i < 500; ++i) {
            ::Window rootOut = 0, parent = 0, *children = nullptr;
            unsigned count = 0;
            ::Window found = 0;
            if (XQueryTree(dpy, DefaultRootWindow(dpy), &rootOut, &parent, &children, &count)) {
                for (unsigned c = 0; c < count && !found; ++c) {
                    char* name = nullptr;
                    XWindowAttributes a;
                    if (XFetchName(dpy, children[c], &name) && name) {
                        if (title == name && XGetWindowAttributes(dpy, children[c], &a) && a.map_state == IsViewable)
                            found = children[c];
                        XFree(name);
                    }
                }
                if (children) XFree(children);
            }
            if (found) return found;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return 0;
    }
    void key(KeySym symbol, bool shift = false) {
        const KeyCode shiftCode = XKeysymToKeycode(dpy, XK_Shift_L);
        if (shift) XTestFakeKeyEvent(dpy, shiftCode, True, CurrentTime);
        const KeyCode code = XKeysymToKeycode(dpy, symbol);
        XTestFakeKeyEvent(dpy, code, True, CurrentTime);
        XTestFakeKeyEvent(dpy, code, False, CurrentTime);
        if (shift) XTestFakeKeyEvent(dpy, shiftCode, False, CurrentTime);
        XSync(dpy, False);
    }
    void typeChar(char c) {
        if (c >= 'A' && c <= 'Z') return key(static_cast<KeySym>(c - 'A' + 'a'), true);
        if (c == '/') return key(XK_slash);
        if (c == '.') return key(XK_period);
        if (c == '-') return key(XK_minus);
        if (c == '_') return key(XK_minus, true);
        key(static_cast<KeySym>(static_cast<unsigned char>(c)));
    }
    void shoot(::Window window, const std::string& file) {
        XWindowAttributes a;
        XGetWindowAttributes(dpy, window, &a);
        const std::filesystem::path folder = PrivateDisplay::screenshotFolder();
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        cairo_surface_t* surface = cairo_xlib_surface_create(dpy, window, a.visual, a.width, a.height);
        cairo_surface_write_to_png(surface, (folder / file).string().c_str());
        cairo_surface_destroy(surface);
    }

    Display* dpy;
    std::thread worker;
};

class FileActionFallbackDialog : public PresetBarWindow {};

TEST_P(FileActionFallbackDialog, SaveAndLoadThroughOurOwnDialogs) {
    ScratchFolder emptyBin{"fallback-bin"};
    DesktopDialogs bare(toolkitDialogFallback(), emptyBin.path());  // no zenity, no kdialog
    // A first scripted save makes the dialogs start in the scratch folder.
    dialogs.answer(files.file("first.zem"));
    clickOn(PresetStripControl::kSavePreset);
    ASSERT_TRUE(pumpUntil([&] { return std::filesystem::exists(files.file("first.zem")); }));
    editor->setFileDialogs(bare);

    editor->programChosen(14, effect->program(14)->name());
    DialogUser user(display.displayName());
    ASSERT_TRUE(user.ok());
    // The entry starts with the folder and the last name, all selected: typing replaces it.
    user.typeInto("Save preset as...", files.path() + "/Typed_Name", "fallback-save-dialog.png");
    clickOn(PresetStripControl::kSavePreset);
    ASSERT_TRUE(pumpUntil([&] { return user.done.load(); }, 10000));
    user.finish();
    ASSERT_TRUE(pumpUntil([&] { return std::filesystem::exists(files.file("Typed_Name.zem")); }));
    EXPECT_EQ(std::filesystem::file_size(files.file("Typed_Name.zem")), 197u);

    // A file of the wrong kind: the error box of our own toolkit, answered with OK.
    std::ofstream(files.file("wrong.zem"), std::ios::binary) << "XXXX!abc";
    editor->programChosen(3, effect->program(3)->name());
    DialogUser loader(display.displayName());
    DialogUser reader(display.displayName());  // the error box opens inside the same click
    loader.typeInto("Select preset to load...", "wrong.zem", "fallback-load-dialog.png");
    reader.clickOk("Error...", "fallback-error-box.png");
    clickOn(PresetStripControl::kLoadPreset);
    ASSERT_TRUE(pumpUntil([&] { return loader.done.load() && reader.done.load(); }, 10000));
    loader.finish();
    reader.finish();
    pumpFor(100);
    EXPECT_EQ(effect->getCurrentProgramIndex(), 3);
    EXPECT_STREQ(effect->program(3)->name(), "Mix First Aid 1");

    // The typed preset loads back into slot 3 through the same dialog.
    DialogUser again(display.displayName());
    again.typeInto("Select preset to load...", "Typed_Name", "fallback-load-again.png");
    clickOn(PresetStripControl::kLoadPreset);
    ASSERT_TRUE(pumpUntil([&] { return again.done.load(); }, 10000));
    again.finish();
    ASSERT_TRUE(pumpUntil([&] { return std::string(effect->program(3)->name()) == "MultiBandLimiter Slow"; }));
    EXPECT_STREQ(editor->programNameField()->text(), "MultiBandLimiter Slow");
}

INSTANTIATE_TEST_SUITE_P(Editions, FileActionFallbackDialog, ::testing::Values(&fullEdition()), testing::editionLabel);

}  // namespace
}  // namespace ambrel
