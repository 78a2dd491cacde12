#pragma once
// A drawing context over the platform's draw device: colours, font and line
// state, shapes, text and bitmaps; it also answers the pointer's position and
// buttons at this moment (through the frame's window), and remembers the areas
// drawn so the frame knows what to show.

#include <vector>

#include "toolkit/CColor.h"
#include "toolkit/CFont.h"
#include "toolkit/CGeometry.h"

namespace VSTGUI {

class CFrame;
namespace platform { class DrawDevice; class Bitmap; struct FontRequest; }

class CDrawContext {
public:
    CDrawContext(CFrame* frame, platform::DrawDevice* device);
    virtual ~CDrawContext() = default;
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    void setLineWidth(int width) { lineWidth = width; }
    void setFrameColor(CColor color) { frameColor = color; }
    void setFillColor(CColor color) { fillColor = color; }
    void setFontColor(CColor color) { fontColor = color; }
    // size 0 takes the font's own size; style kBoldFace (1) for bold.
    void setFont(int fontId, int size = 0, int style = 0);
    CColor getFrameColor() const { return frameColor; }
    CColor getFillColor() const { return fillColor; }
    CColor getFontColor() const { return fontColor; }

    void moveTo(const CPoint& point) { penAt = point; }
    void lineTo(const CPoint& point);
    void drawRect(const CRect& rect);   // outline in the frame colour
    void fillRect(const CRect& rect);   // fill in the fill colour
    void fillEllipse(const CRect& rect);
    void drawString(const char* text, const CRect& rect, bool opaque = false, int align = kCenterText);
    int getStringWidth(const char* text);
    void drawBitmap(const platform::Bitmap& bitmap, const CRect& dest, const CPoint& offset);

    void setClipRect(const CRect& clip);
    void resetClipRect();
    CRect getClipRect() const { return clip; }

    // The pointer now: buttons and modifiers, and position in window pixels.
    int getMouseButtons();
    void getMouseLocation(CPoint& point);

    CFrame* getFrame() const { return frame; }
    platform::DrawDevice* device() const { return drawDevice; }
    // Areas drawn since construction (or the last take).
    void noteDrawn(const CRect& rect);
    std::vector<CRect> takeDrawnAreas();

private:
    platform::FontRequest currentFont() const;

    CFrame* frame;
    platform::DrawDevice* drawDevice;
    int lineWidth = 1;
    CColor frameColor = kBlackCColor;
    CColor fillColor = kWhiteCColor;
    CColor fontColor = kBlackCColor;
    int fontId = kSystemFont;
    int fontSize = 0;
    int fontStyle = 0;
    CPoint penAt;
    CRect clip{-32768, -32768, 32767, 32767};
    std::vector<CRect> drawn;
};

}  // namespace VSTGUI
