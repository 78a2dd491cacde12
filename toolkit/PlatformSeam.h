#pragma once
// The one seam between the toolkit and the operating system: bitmaps, drawing,
// fonts, the frame's window with its pointer, keys and events, the edit box and
// the pop-up list. The toolkit classes use only these interfaces; each platform
// backend (platform/<system>/) implements them once.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/vst/VstInterface.h"
#include "toolkit/CColor.h"
#include "toolkit/CGeometry.h"

namespace VSTGUI::platform {

// A decoded picture, ready to be copied onto a draw device.
class Bitmap {
public:
    virtual ~Bitmap() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
};

// Pixels are 0x00RRGGBB, rows top-down: fillRow writes row y's width pixels.
// Null on failure.
std::unique_ptr<Bitmap> createBitmap(int width, int height, const std::function<void(int y, std::uint32_t* row)>& fillRow);

struct FontRequest {
    const char* face = "Arial";
    int size = 12;      // pixels per em
    int weight = 400;   // 400 normal, 600 semibold, 700 bold
};

// Which face a request resolves to on this machine (for diagnostics and tests).
std::string resolvedFontFamily(const FontRequest& font);

// Drawing operations in window pixels; rectangles exclude right and bottom.
class DrawDevice {
public:
    virtual ~DrawDevice() = default;
    virtual void setClip(const CRect& clip) = 0;
    virtual void resetClip() = 0;
    virtual void fillRect(const CRect& rect, CColor color) = 0;
    virtual void frameRect(const CRect& rect, CColor color, int lineWidth) = 0;
    virtual void drawLine(CPoint from, CPoint to, CColor color, int lineWidth) = 0;
    virtual void fillEllipse(const CRect& rect, CColor color) = 0;
    // A plain copy of dest's size taken from source at offset.
    virtual void drawBitmap(const Bitmap& source, const CRect& dest, CPoint offset) = 0;
    // text is 8-bit Latin-1; aligned horizontally (0 left, 1 centre, 2 right),
    // centred vertically, clipped to rect.
    virtual void drawText(const char* text, const CRect& rect, int align, const FontRequest& font,
                          CColor color) = 0;
    virtual int textWidth(const char* text, const FontRequest& font) = 0;
};

// A draw device on memory, for drawing without a window.
class Offscreen : public DrawDevice {
public:
    virtual bool savePng(const char* path) = 0;
    virtual std::uint32_t pixel(int x, int y) = 0;  // 0x00RRGGBB
};
std::unique_ptr<Offscreen> createOffscreen(int width, int height);

struct Event {
    enum Type {
        kNone,
        kExpose,        // area must be shown again (the back buffer still holds it)
        kButtonDown,    // where, buttons (the pressed button and the modifiers at the press)
        kButtonUp,
        kWheel,         // where, buttons (modifiers), axis, distance (one notch = 1, up/right positive)
        kKeyDown,       // key
        kKeyUp,
        kEditBoxEnded,  // Enter or the edit box lost the keyboard focus
        kPopupClosed,   // index of the chosen entry, -1 when dismissed
        kDestroyed,     // the window went away with its parent
    };
    Type type = kNone;
    CRect area;
    CPoint where;
    int buttons = 0;
    int axis = 1;
    float distance = 0.0f;
    int index = -1;
    VstKeyCode key{};
};

struct EditBoxSpec {
    CRect area;           // window pixels
    std::string text;
    int maxLength = 255;
    int align = 1;
    FontRequest font;
    CColor fontColor;
    CColor backColor;
    int margin = 3;
};

struct PopupSpec {
    std::vector<std::string> entries;  // "-" is a separator
    int current = -1;
    bool checkCurrent = false;
    int itemsPerColumn = -1;  // -1: one column
    CPoint where;             // window pixels of the list's top-left corner
    FontRequest font;
};

// The frame's window: a child of the host's window (or a top-level window),
// drawn through a back buffer so that no redraw flickers.
class NativeWindow {
public:
    virtual ~NativeWindow() = default;
    virtual void* nativeHandle() const = 0;
    virtual DrawDevice& backBuffer() = 0;
    virtual void present(const CRect& area) = 0;  // back buffer to screen
    // The next pending event, without waiting; false when none. With exposeOnly,
    // only expose and destroy events are taken and the rest stay queued.
    virtual bool nextEvent(Event& event, bool exposeOnly) = 0;
    virtual int mouseButtons() = 0;            // buttons and modifiers now
    virtual CPoint mouseLocation() = 0;        // pointer position now, window pixels
    virtual bool alive() const = 0;
    virtual int doubleClickTime() const = 0;   // milliseconds the desktop asks for, 0 if none

    virtual bool openEditBox(const EditBoxSpec& spec) = 0;
    virtual bool editBoxOpen() const = 0;
    virtual std::string editBoxText() const = 0;
    virtual bool editBoxKey(const VstKeyCode& key) = 0;  // a key the host passed on
    virtual void closeEditBox() = 0;

    virtual bool openPopupList(const PopupSpec& spec) = 0;
    virtual bool popupListOpen() const = 0;
    virtual void closePopupList() = 0;
};

// parent: the host's window (an X11 window id on Linux, an HWND on Windows), or
// null for a top-level window. Null when there is no display or the parent is gone.
std::unique_ptr<NativeWindow> createWindow(void* parent, int width, int height);

}  // namespace VSTGUI::platform
