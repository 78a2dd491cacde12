#include "resources/generator/ContactSheet.h"

#include <cairo.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

#include "resources/BmpFile.h"
#include "resources/generator/Canvas.h"
#include "resources/generator/SkinCatalog.h"
#include "resources/generator/SkinEdition.h"
#include "resources/generator/SkinLayout.h"

namespace ambrel::skin {

namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

struct LoadedBitmap {
    int id;
    const BitmapArt* art;
    std::vector<std::uint8_t> bytes;
    Surface surface;
};

Surface surfaceOf(const BmpPixels& pixels) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixels.width, pixels.height);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < pixels.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint8_t* p = pixels.at(x, y);
            row[x] = (static_cast<std::uint32_t>(p[0]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[2];
        }
    }
    cairo_surface_mark_dirty(s);
    return Surface(s);
}

bool loadEdition(const SheetEdition& sheetEdition, const SkinEdition& edition, std::map<int, LoadedBitmap>& out) {
    for (int id : edition.bitmapIds) {
        const std::string path = sheetEdition.folder + "/" + std::to_string(id) + ".bmp";
        std::ifstream in(path, std::ios::binary);
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        BmpPixels pixels;
        if (!decodeBmp(bytes.data(), bytes.size(), pixels)) {
            std::fprintf(stderr, "contact sheet: cannot read %s\n", path.c_str());
            return false;
        }
        out[id] = LoadedBitmap{id, findBitmapArt(id), std::move(bytes), surfaceOf(pixels)};
    }
    return true;
}

// Copies frame `frame` of a strip to (x, y).
void blitFrame(cairo_t* cr, const LoadedBitmap& b, int frame, double x, double y, double scale = 1.0) {
    const BitmapShape& shape = b.art->shape;
    const FrameCell c = shape.cell(frame);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_rectangle(cr, 0, 0, c.width, c.height);
    cairo_clip(cr);
    cairo_set_source_surface(cr, b.surface.get(), -c.x, -c.y);
    cairo_pattern_set_filter(cairo_get_source(cr), scale == 1.0 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
}

struct Placement {
    int id;
    Box box;
    int frame;
};

void drawPresetBarControls(cairo_t* cr, const std::map<int, LoadedBitmap>& set, double x, double y);

// The main page as the editor shows it, with a plausible setting.
void drawMainPreview(cairo_t* cr, const SkinEdition& e, const std::map<int, LoadedBitmap>& set, double x, double y) {
    using namespace main_page;
    blitFrame(cr, set.at(e.mainBackgroundId), 0, x, y);
    std::vector<Placement> parts = {
        {e.processButtonId, kProcess, 1}, {19035, kLong, 0},        {19036, kAuto, 1},      {19037, kBrickwall, 1},
        {19015, kMode, 0},                {19016, kChannel, 3},     {19017, kLink, 1},      {19006, kMeterType, 0},
        {19005, kMeterSource, 1},         {19008, kKnee, 30},       {19008, kSpeed, 70},    {19009, kDrive, 62},
        {19010, kHighFreq, 55},           {19013, kHighAdjust, 60}, {19012, kLowFreq, 40},  {19013, kLowAdjust, 45},
        {19013, kOutput, 50},             {19008, kMix, 100},       {19013, kCeiling, 38},  {19024, kRelease, 50},
        {19003, kLeftMeter, 58},          {19003, kRightMeter, 64}, {19026, kLeftLed, 0},   {19026, kRightLed, 5},
    };
    if (e.hasFatButton) parts.insert(parts.begin() + 4, Placement{19034, kFat, 0});
    for (const Placement& p : parts) blitFrame(cr, set.at(p.id), p.frame, x + p.box.left, y + p.box.top);
    // The counter showing +15.32 dB, as at opening.
    const int glyphs[6] = {12, 1, 5, 10, 3, 15};
    for (int i = 0; i < 6; ++i) blitFrame(cr, set.at(19021), glyphs[i], x + kReadout.left + 9 * i, y + kReadout.top);
    // Texts the toolkit draws: latency readouts and the program name.
    drawTextCentred(cr, "14.50ms", x + kLatencyMs.centreX(), y + kLatencyMs.centreY(), 9.0, Face::Sans,
                    rgb255(40, 40, 40));
    drawTextCentred(cr, "639smps", x + kLatencySamples.centreX(), y + kLatencySamples.centreY(), 9.0, Face::Sans,
                    rgb255(40, 40, 40));
    drawPresetBarControls(cr, set, x, y);
}

void drawPresetBarControls(cairo_t* cr, const std::map<int, LoadedBitmap>& set, double x, double y) {
    drawTextCentred(cr, "Default", x + preset_bar::kName.centreX(), y + preset_bar::kName.centreY(), 10.0,
                    Face::Sans, palette::kNameFrame);
    const int bar[][2] = {{19994, preset_bar::kSaveBank.left},   {19993, preset_bar::kLoadBank.left},
                          {19999, preset_bar::kSavePreset.left}, {19998, preset_bar::kLoadPreset.left},
                          {19997, preset_bar::kRocker.left},     {19995, preset_bar::kStoreA.left},
                          {19991, preset_bar::kRecallA.left},    {19996, preset_bar::kStoreB.left},
                          {19992, preset_bar::kRecallB.left}};
    for (const auto& b : bar) blitFrame(cr, set.at(b[0]), b[0] == 19991 ? 1 : 0, x + b[1], y + preset_bar::kTop);
}

void drawSettingsPreview(cairo_t* cr, const SkinEdition& e, const std::map<int, LoadedBitmap>& set, double x,
                         double y) {
    using namespace settings_page;
    blitFrame(cr, set.at(e.mainBackgroundId), 0, x, y);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, kWindowWidth, kSettingsHeight - 2);
    cairo_clip(cr);
    blitFrame(cr, set.at(19002), 0, x, y);
    cairo_restore(cr);
    const struct {
        KnobSite site;
        int frame;
        const char* text;
    } knobs[] = {{kLowSat, 25, "0.0dB"},         {kMidSat, 30, "2.4dB"},      {kHighSat, 20, "-2.4dB"},
                 {kLowRel, 25, "x1.00"},         {kMidRel, 25, "x1.00"},      {kHighRel, 33, "x2.09"},
                 {kVuIntegration, 25, "300ms"},  {kVuReference, 20, "-18.0dBFS"}, {kPpmIntegration, 10, "4.36ms"},
                 {kPpmReturn, 25, "1.000s"},     {kOvers, 11, "3"},           {kFineAdjust, 50, "100%"}};
    for (const auto& k : knobs) {
        blitFrame(cr, set.at(19032), k.frame, x + k.site.x, y + k.site.y);
        drawTextCentred(cr, k.text, x + k.site.readout.centreX(), y + k.site.readout.centreY(), 9.0, Face::Sans,
                        rgb255(170, 170, 170));
    }
    blitFrame(cr, set.at(19033), 0, x + kKnobMode.left, y + kKnobMode.top);
    drawPresetBarControls(cr, set, x, y);
    drawText(cr, "v2.3.1", x + kVersionLabel.left, y + kVersionLabel.bottom - 1, 9.0, Face::Sans, Align::Left,
             rgb255(0, 0, 0));
}

std::vector<int> sampleFrames(const BitmapShape& shape, int id) {
    if (id == 19003 || id == 19004) return {2, 6, 35, 64, 95, 100};
    if (shape.frames <= 6) {
        std::vector<int> all;
        for (int i = 0; i < shape.frames; ++i) all.push_back(i);
        return all;
    }
    if (shape.frames == 18) {
        std::vector<int> all;
        for (int i = 0; i < 18; ++i) all.push_back(i);
        return all;
    }
    const int last = shape.frames - 1;
    return {0, last / 4, last / 2, 3 * last / 4, last};
}

// Lays tiles out left to right, wrapping at the sheet width.
struct Flow {
    double left;
    double right;
    double x;
    double y;
    double rowHeight = 0;

    void place(double w, double h, double& outX, double& outY) {
        if (x + w > right && x > left) {
            x = left;
            y += rowHeight + 14;
            rowHeight = 0;
        }
        outX = x;
        outY = y;
        x += w + 18;
        rowHeight = std::max(rowHeight, h);
    }
    double bottom() const { return y + rowHeight; }
};

constexpr double kSheetWidth = 1460;
constexpr Rgb kSheetBack = rgb255(88, 90, 94);
constexpr Rgb kSheetText = rgb255(236, 236, 232);

double drawTiles(cairo_t* cr, const std::map<int, LoadedBitmap>& set, const std::vector<int>& ids, double top) {
    Flow flow{20, kSheetWidth - 20, 20, top};
    for (int id : ids) {
        const LoadedBitmap& b = set.at(id);
        const BitmapShape& shape = b.art->shape;
        const bool large = shape.frameWidth() >= 400;
        const double scale = large ? 0.5 : 1.0;
        const std::vector<int> frames = sampleFrames(shape, id);
        const double fw = shape.frameWidth() * scale;
        const double fh = shape.frameHeight() * scale;
        const double gap = shape.frameWidth() < 20 ? 3 : 6;
        const double w = std::max(150.0, frames.size() * (fw + gap));
        const double h = fh + 30;
        double x = 0;
        double y = 0;
        flow.place(w, h, x, y);
        char label[96];
        std::snprintf(label, sizeof label, "%d  %dx%d  %d frame%s", id, shape.width, shape.height, shape.frames,
                      shape.frames == 1 ? "" : "s");
        drawText(cr, label, x, y + 10, 10, Face::SansBold, Align::Left, kSheetText);
        drawText(cr, b.art->role, x, y + 22, 9, Face::Sans, Align::Left, rgb255(200, 200, 196));
        for (std::size_t i = 0; i < frames.size(); ++i) blitFrame(cr, b, frames[i], x + i * (fw + gap), y + 28, scale);
    }
    return flow.bottom() + 20;
}

}  // namespace

bool writeContactSheet(const std::string& pngPath, const std::vector<SheetEdition>& editions) {
    struct Loaded {
        const SkinEdition* edition;
        std::map<int, LoadedBitmap> set;
    };
    std::vector<Loaded> loaded;
    for (const SheetEdition& se : editions) {
        const SkinEdition* e = skinEditionByKey(se.key.c_str());
        if (e == nullptr) {
            std::fprintf(stderr, "contact sheet: unknown edition '%s'\n", se.key.c_str());
            return false;
        }
        Loaded l{e, {}};
        if (!loadEdition(se, *e, l.set)) return false;
        loaded.push_back(std::move(l));
    }

    const double height = 620.0 * static_cast<double>(loaded.size()) + 2300.0;
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(kSheetWidth),
                                                        static_cast<int>(height));
    cairo_t* cr = cairo_create(sheet);
    useSkinFontOptions(cr);
    setColour(cr, kSheetBack);
    cairo_paint(cr);

    double y = 20;
    const std::map<int, LoadedBitmap>* first = nullptr;
    for (const Loaded& l : loaded) {
        char title[128];
        std::snprintf(title, sizeof title, "%s  (%s edition, %zu bitmaps)", l.edition->productName, l.edition->key,
                      l.set.size());
        drawText(cr, title, 20, y + 14, 15, Face::SansBold, Align::Left, kSheetText);
        y += 26;
        drawMainPreview(cr, *l.edition, l.set, 20, y);
        drawSettingsPreview(cr, *l.edition, l.set, 20 + kWindowWidth + 24, y);
        y += kWindowHeight + 24;
        // The first edition shows every bitmap; later ones only those that differ from it.
        std::vector<int> ids;
        for (const auto& [id, b] : l.set) {
            if (first == nullptr) {
                ids.push_back(id);
                continue;
            }
            const auto same = first->find(id);
            if (same == first->end() || same->second.bytes != b.bytes) ids.push_back(id);
        }
        if (first != nullptr) {
            drawText(cr, "bitmaps that differ from the first edition:", 20, y + 8, 11, Face::Sans, Align::Left,
                     kSheetText);
            y += 18;
        }
        y = drawTiles(cr, l.set, ids, y);
        if (first == nullptr) first = &l.set;
    }
    cairo_destroy(cr);

    // Crop to what was drawn.
    const int usedHeight = static_cast<int>(std::min(height, y + 10));
    cairo_surface_t* cropped = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(kSheetWidth), usedHeight);
    cairo_t* cc = cairo_create(cropped);
    cairo_set_source_surface(cc, sheet, 0, 0);
    cairo_paint(cc);
    cairo_destroy(cc);
    cairo_surface_destroy(sheet);
    const bool ok = cairo_surface_write_to_png(cropped, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(cropped);
    if (!ok) std::fprintf(stderr, "contact sheet: cannot write %s\n", pngPath.c_str());
    return ok;
}

}  // namespace ambrel::skin
