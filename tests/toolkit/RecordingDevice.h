#pragma once
// A draw device that records what is drawn, for tests without a display.

#include <string>
#include <vector>

#include "toolkit/PlatformSeam.h"

namespace toolkit_test {

class RecordingDevice final : public VSTGUI::platform::DrawDevice {
public:
    struct BitmapCall {
        const VSTGUI::platform::Bitmap* bitmap;
        VSTGUI::CRect dest;
        VSTGUI::CPoint offset;
    };
    struct TextCall {
        std::string text;
        VSTGUI::CRect rect;
        int align;
        VSTGUI::platform::FontRequest font;
        VSTGUI::CColor color;
    };
    void setClip(const VSTGUI::CRect&) override {}
    void resetClip() override {}
    void fillRect(const VSTGUI::CRect& rect, VSTGUI::CColor color) override { fills.push_back({rect, color}); }
    void frameRect(const VSTGUI::CRect& rect, VSTGUI::CColor color, int) override { frames.push_back({rect, color}); }
    void drawLine(VSTGUI::CPoint, VSTGUI::CPoint, VSTGUI::CColor, int) override { ++lines; }
    void fillEllipse(const VSTGUI::CRect&, VSTGUI::CColor) override {}
    void drawBitmap(const VSTGUI::platform::Bitmap& b, const VSTGUI::CRect& dest, VSTGUI::CPoint offset) override {
        bitmaps.push_back({&b, dest, offset});
    }
    void drawText(const char* text, const VSTGUI::CRect& rect, int align, const VSTGUI::platform::FontRequest& font,
                  VSTGUI::CColor color) override {
        texts.push_back({text, rect, align, font, color});
    }
    int textWidth(const char* text, const VSTGUI::platform::FontRequest&) override {
        return static_cast<int>(std::string(text).size()) * 6;
    }
    struct RectCall {
        VSTGUI::CRect rect;
        VSTGUI::CColor color;
    };
    std::vector<BitmapCall> bitmaps;
    std::vector<TextCall> texts;
    std::vector<RectCall> fills;
    std::vector<RectCall> frames;
    int lines = 0;
};

}  // namespace toolkit_test
