// The fallback dialogs drawn with our own toolkit: a small top-level window
// with the title, a path entry and OK/Cancel, or a message with OK (and
// Cancel). Each runs its own loop until it is answered, calling back so the
// editor behind it keeps repainting.

#include <X11/Xlib.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/linux/DialogFallback.h"
#include "platform/linux/DialogWidgets.h"
#include "platform/linux/X11Window.h"
#include "toolkit/CFrame.h"
#include "toolkit/CTextEdit.h"

namespace ambrel {
namespace {

using namespace VSTGUI;

constexpr int kWidth = 440;
constexpr int kMargin = 10;
constexpr int kLineHeight = 18;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr CColor kFieldText{20, 20, 20, 255};
constexpr CColor kFieldBack{255, 255, 255, 255};
constexpr CColor kFieldFrame{110, 110, 104, 255};

enum Answer { kOpenQuestion = 0, kOk = 1, kCancel = 2 };

class BoxListener : public CControlListener {
public:
    void valueChanged(CDrawContext*, CControl* control) override {
        if (control && (control->getTag() == kOk || control->getTag() == kCancel) && answer == kOpenQuestion)
            answer = control->getTag();
    }
    int answer = kOpenQuestion;
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back().push_back(c);
    }
    return lines;
}

// The title, and the window manager's close button asks instead of killing
// the connection (which would take the host down with it); the box is
// answered with its own buttons.
void prepareWindow(CFrame& frame, const std::string& title) {
    if (auto* window = dynamic_cast<platform::x11::X11Window*>(frame.platformWindow())) {
        XStoreName(window->display(), window->window(), title.c_str());
        Atom deleteWindow = XInternAtom(window->display(), "WM_DELETE_WINDOW", False);
        XSetWMProtocols(window->display(), window->window(), &deleteWindow, 1);
        XFlush(window->display());
    }
}

// Puts a new view into the box; the frame then holds its only reference.
template <class View>
View* adopt(CFrame& frame, View* view) {
    frame.addView(view);
    view->forget();
    return view;
}

// Adds OK (and Cancel) at the bottom right; returns their top.
void addButtons(CFrame& frame, BoxListener& listener, int height, bool withCancel) {
    const int top = height - kMargin - kButtonHeight;
    int right = kWidth - kMargin;
    if (withCancel) {
        adopt(frame, new DialogButton(CRect(right - kButtonWidth, top, right, top + kButtonHeight), &listener, kCancel,
                                       "Cancel"));
        right -= kButtonWidth + kMargin;
    }
    adopt(frame, new DialogButton(CRect(right - kButtonWidth, top, right, top + kButtonHeight), &listener, kOk, "OK"));
}

// Runs the box until a button answers, the window goes, or `ended` says so.
template <class Ended>
int runBox(CFrame& frame, BoxListener& listener, const std::function<void()>& whileWaiting, Ended ended) {
    while (listener.answer == kOpenQuestion && frame.hasWindow() && !ended()) {
        frame.idle();
        if (whileWaiting) whileWaiting();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    frame.idle();
    return frame.hasWindow() ? listener.answer : kCancel;
}

class ToolkitDialogFallback : public DialogFallback {
public:
    bool askPath(const FileDialogRequest& request, const std::string& initialText, std::string& typed,
                 const std::function<void()>& whileWaiting) override {
        const int height = kMargin + kLineHeight + kMargin + 22 + kMargin + kButtonHeight + kMargin;
        CFrame frame(CRect(0, 0, kWidth, height), nullptr, nullptr);
        if (!frame.hasWindow()) return false;
        prepareWindow(frame, request.title);
        BoxListener listener;
        adopt(frame, new DialogLabel(CRect(0, 0, kWidth, height), ""));  // the dialog's face
        adopt(frame, new DialogLabel(CRect(0, kMargin, kWidth, kMargin + kLineHeight), "  " + request.title));
        const int fieldTop = kMargin + kLineHeight + kMargin;
        auto* field = new CTextEdit(CRect(kMargin, fieldTop, kWidth - kMargin, fieldTop + 22), &listener, 0,
                                    initialText.c_str());
        field->setFont(kNormalFont);
        field->setFontColor(kFieldText);
        field->setBackColor(kFieldBack);
        field->setFrameColor(kFieldFrame);
        field->setHoriAlign(kLeftText);
        adopt(frame, field);
        addButtons(frame, listener, height, true);
        frame.idle();
        field->takeFocus();
        // Enter ends the entry as OK; a click beside the buttons only reopens it.
        const int answer = runBox(frame, listener, whileWaiting, [&] {
            if (field->isEditing() || listener.answer != kOpenQuestion) return false;
            if (frame.getCurrentMouseButtons() & kLButton) {
                field->takeFocus();
                return false;
            }
            return true;
        });
        if (answer == kCancel) return false;
        typed = field->text();
        return true;
    }

    bool showMessage(const std::string& caption, const std::string& text, bool withCancel,
                     const std::function<void()>& whileWaiting) override {
        const std::vector<std::string> lines = linesOf(text);
        const int height = kMargin + static_cast<int>(lines.size()) * kLineHeight + kMargin + kButtonHeight + kMargin;
        CFrame frame(CRect(0, 0, kWidth, height), nullptr, nullptr);
        if (!frame.hasWindow()) return !withCancel;
        prepareWindow(frame, caption);
        BoxListener listener;
        adopt(frame, new DialogLabel(CRect(0, 0, kWidth, height), ""));  // the box's face
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int top = kMargin + static_cast<int>(i) * kLineHeight;
            adopt(frame, new DialogLabel(CRect(0, top, kWidth, top + kLineHeight), "  " + lines[i]));
        }
        addButtons(frame, listener, height, withCancel);
        const int answer = runBox(frame, listener, whileWaiting, [] { return false; });
        return withCancel ? answer == kOk : true;
    }
};

}  // namespace

DialogFallback& toolkitDialogFallback() {
    static ToolkitDialogFallback fallback;
    return fallback;
}

}  // namespace ambrel
