#include "resources/generator/PanelArt.h"

#include <string>

#include "resources/generator/Canvas.h"

namespace ambrel::skin {

void drawLogo(cairo_t* cr, std::string_view productName, double x, double baseline, double size, Rgb ink,
              bool centred) {
    const std::size_t space = productName.find(' ');
    const std::string_view maker = space == std::string_view::npos ? std::string_view{} : productName.substr(0, space);
    const std::string_view name = space == std::string_view::npos ? productName : productName.substr(space + 1);
    const double makerSize = size * 0.62;
    const double gap = size * 0.28;
    const double makerWidth = maker.empty() ? 0.0 : textWidth(cr, maker, makerSize, Face::SansBold) + gap;
    const double total = makerWidth + textWidth(cr, name, size, Face::SansBold);
    double left = centred ? x - total / 2.0 : x;
    if (!maker.empty()) {
        // The maker's word sits in a small accent-coloured box.
        const double boxH = makerSize * 1.18;
        fillRoundedRect(cr, left - 2.5, baseline - boxH - size * 0.02, makerWidth - gap + 5.0, boxH + 2.5, 2.0,
                        palette::kAccent);
        drawText(cr, maker, left, baseline - size * 0.12, makerSize, Face::SansBold, Align::Left,
                 rgb255(250, 244, 232));
        left += makerWidth + 3.0;
    }
    drawText(cr, name, left, baseline, size, Face::SansBold, Align::Left, ink);
}

void drawCaption(cairo_t* cr, std::string_view text, double cx, double cy, Rgb ink, double size) {
    drawTextCentred(cr, text, cx, cy, size, Face::CondensedBold, ink);
}

void fillPresetBarRows(cairo_t* cr, double x, double width, int top, int bottom, int yShift) {
    const int first = preset_bar::kTop - 1;
    for (int y = top; y < bottom; ++y) {
        const double t = static_cast<double>(y - first) / (kWindowHeight - first);
        setColour(cr, mix(rgb255(52, 52, 54), rgb255(28, 28, 31), t));
        cairo_rectangle(cr, x, y - yShift, width, 1);
        cairo_fill(cr);
    }
}

void drawPresetBar(cairo_t* cr) {
    using namespace preset_bar;
    const int top = kTop - 1;
    fillPresetBarRows(cr, 0, kWindowWidth, top, kWindowHeight, 0);
    cairo_rectangle(cr, 0, top, kWindowWidth, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_fill(cr);

    const Rgb ink = palette::kBarText;
    const double cy = (kTop + kBottom) / 2.0;
    drawTextCentred(cr, "BANK", (kSaveBank.right + kLoadBank.left) / 2.0, cy, 7.0, Face::CondensedBold, ink);
    drawTextCentred(cr, "PRESET", (kSavePreset.right + kLoadPreset.left) / 2.0, cy, 7.0, Face::CondensedBold, ink);
    drawTextCentred(cr, "A", (kStoreA.right + kRecallA.left) / 2.0, cy, 7.5, Face::SansBold, ink);
    drawTextCentred(cr, "B", (kStoreB.right + kRecallB.left) / 2.0, cy, 7.5, Face::SansBold, ink);

    // The program name window: the text field draws its text over this.
    setColour(cr, palette::kNameFrame);
    cairo_rectangle(cr, kName.left, kName.top, kName.width(), kName.height());
    cairo_fill(cr);
    setColour(cr, palette::kNameBack);
    cairo_rectangle(cr, kName.left + 1, kName.top + 1, kName.width() - 2, kName.height() - 2);
    cairo_fill(cr);
    cairo_rectangle(cr, kName.left + 1, kName.top + 1, kName.width() - 2, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.12);
    cairo_fill(cr);

    // The program menu draws nothing itself: a drop-down key shows where it is.
    fillRoundedRect(cr, kMenu.left, kMenu.top + 0.5, kMenu.width(), kMenu.height() - 1, 2.0, rgb255(8, 8, 9));
    fillRoundedRectGradient(cr, kMenu.left + 0.5, kMenu.top + 1, kMenu.width() - 1, kMenu.height() - 2, 1.6,
                            rgb255(96, 97, 102), rgb255(58, 59, 63));
    const double mx = kMenu.centreX();
    cairo_move_to(cr, mx - 3.0, cy - 1.5);
    cairo_line_to(cr, mx + 3.0, cy - 1.5);
    cairo_line_to(cr, mx, cy + 2.0);
    cairo_close_path(cr);
    setColour(cr, rgb255(222, 222, 218));
    cairo_fill(cr);
}

}  // namespace ambrel::skin
