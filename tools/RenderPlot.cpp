#include "tools/RenderPlot.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace ambrel::tools {

namespace {

constexpr double kSilence = 1e-4;  // -80 dBFS
constexpr double kMarginLeft = 70, kMarginRight = 20, kMarginTop = 60, kMarginBottom = 40, kGap = 30;

struct Panel {
    double x, y, w, h;
};

double peakOver(const AudioData& audio, long begin, long end) {
    double peak = 0.0;
    for (const auto& c : audio.channels)
        for (long i = std::max(0L, begin); i < std::min<long>(end, c.size()); ++i) peak = std::max(peak, std::fabs(c[i]));
    return peak;
}

void label(cairo_t* cr, double x, double y, const std::string& text, double size = 12) {
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

void frame(cairo_t* cr, const Panel& p) {
    cairo_set_source_rgb(cr, 0.97, 0.97, 0.97);
    cairo_rectangle(cr, p.x, p.y, p.w, p.h);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, p.x + 0.5, p.y + 0.5, p.w - 1, p.h - 1);
    cairo_stroke(cr);
}

// Min/max per pixel column of every channel, with the full-scale lines.
void drawWaveform(cairo_t* cr, const Panel& p, const AudioData& audio, long offset, long frames, double range,
                  const char* title) {
    frame(cr, p);
    const double mid = p.y + p.h / 2;
    const double scale = p.h / 2 / range;
    const double colours[2][3] = {{0.15, 0.35, 0.75}, {0.85, 0.45, 0.1}};
    const int columns = static_cast<int>(p.w);
    for (int c = 0; c < std::min(2, audio.channelCount()); ++c) {
        cairo_set_source_rgba(cr, colours[c][0], colours[c][1], colours[c][2], 0.6);
        const auto& samples = audio.channels[c];
        for (int x = 0; x < columns; ++x) {
            const long begin = offset + frames * x / columns, end = offset + frames * (x + 1) / columns;
            double lo = 0.0, hi = 0.0;
            for (long i = std::max(0L, begin); i < std::min<long>(std::max(end, begin + 1), samples.size()); ++i) {
                lo = std::min(lo, samples[i]);
                hi = std::max(hi, samples[i]);
            }
            cairo_rectangle(cr, p.x + x, mid - hi * scale, 1, std::max(1.0, (hi - lo) * scale));
        }
        cairo_fill(cr);
    }
    cairo_set_source_rgb(cr, 0.8, 0.1, 0.1);
    const double dash[] = {4, 3};
    cairo_set_dash(cr, dash, 2, 0);
    for (double level : {1.0, -1.0}) {
        cairo_move_to(cr, p.x, std::round(mid - level * scale) + 0.5);
        cairo_line_to(cr, p.x + p.w, std::round(mid - level * scale) + 0.5);
    }
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    label(cr, p.x, p.y - 8, title);
    label(cr, p.x - 60, mid - scale + 4, "0 dBFS", 10);
    char text[32];
    const double peakDb = 20 * std::log10(std::max(1e-9, peakOver(audio, offset, offset + frames)));
    std::snprintf(text, sizeof text, "peak %+.1f dBFS", std::fabs(peakDb) < 0.05 ? 0.0 : peakDb);
    label(cr, p.x + p.w - 80, p.y - 8, text, 11);
}

void drawGainReduction(cairo_t* cr, const Panel& p, const std::vector<double>& gr, double bottomDb) {
    frame(cr, p);
    cairo_set_source_rgb(cr, 0.8, 0.8, 0.8);
    const double step = bottomDb < -24 ? 6.0 : 3.0;
    for (double db = 0; db >= bottomDb; db -= step) {
        const double y = std::round(p.y + p.h * (db / bottomDb)) + 0.5;
        cairo_move_to(cr, p.x, y);
        cairo_line_to(cr, p.x + p.w, y);
        cairo_stroke(cr);
        char text[16];
        std::snprintf(text, sizeof text, "%.0f dB", db);
        cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
        label(cr, p.x - 50, y + 4, text, 10);
        cairo_set_source_rgb(cr, 0.8, 0.8, 0.8);
    }
    cairo_set_source_rgb(cr, 0.1, 0.55, 0.2);
    cairo_set_line_width(cr, 1.5);
    bool drawing = false;
    for (std::size_t i = 0; i < gr.size(); ++i) {
        if (std::isnan(gr[i])) {
            drawing = false;
            continue;
        }
        const double x = p.x + p.w * (i + 0.5) / gr.size();
        const double y = p.y + p.h * (std::clamp(gr[i], bottomDb, 0.0) / bottomDb);
        if (drawing)
            cairo_line_to(cr, x, y);
        else
            cairo_move_to(cr, x, y);
        drawing = true;
    }
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    label(cr, p.x, p.y - 8, "Gain reduction (output against input level)");
}

}  // namespace

std::vector<double> gainReductionDb(const AudioData& input, const AudioData& output, int latency, int window) {
    std::vector<double> gr;
    window = std::max(1, window);
    for (long begin = 0; begin < input.frames(); begin += window) {
        const double in = peakOver(input, begin, begin + window);
        const double out = peakOver(output, begin + latency, begin + latency + window);
        gr.push_back(in < kSilence ? std::numeric_limits<double>::quiet_NaN()
                                   : 20.0 * std::log10(std::max(out, 1e-9) / in));
    }
    return gr;
}

bool writeRenderPlot(const std::string& pngPath, const AudioData& input, const AudioData& output,
                     const PlotOptions& options, std::string& error) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, options.width, options.height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);

    const long frames = input.frames();
    const double rate = input.sampleRate > 0 ? input.sampleRate : 44100;
    const double range = std::max(1.0, std::max(peakOver(input, 0, frames), peakOver(output, 0, frames + options.latency))) * 1.05;
    const double plotWidth = options.width - kMarginLeft - kMarginRight;
    const double plotHeight = options.height - kMarginTop - kMarginBottom - 2 * kGap;
    const Panel inPanel{kMarginLeft, kMarginTop, plotWidth, plotHeight * 0.36};
    const Panel outPanel{kMarginLeft, inPanel.y + inPanel.h + kGap, plotWidth, plotHeight * 0.36};
    const Panel grPanel{kMarginLeft, outPanel.y + outPanel.h + kGap, plotWidth, plotHeight * 0.28};

    cairo_set_source_rgb(cr, 0, 0, 0);
    label(cr, kMarginLeft, 24, options.title.empty() ? "Render" : options.title, 15);
    drawWaveform(cr, inPanel, input, 0, frames, range, "Input");
    drawWaveform(cr, outPanel, output, options.latency, frames, range, "Output");

    const auto gr = gainReductionDb(input, output, options.latency,
                                    static_cast<int>(std::lround(options.windowSeconds * rate)));
    double lowest = 0.0;
    for (double v : gr)
        if (!std::isnan(v)) lowest = std::min(lowest, v);
    const double bottomDb = -std::max(6.0, std::ceil(-lowest / 3.0) * 3.0);
    drawGainReduction(cr, grPanel, gr, std::max(bottomDb, -48.0));

    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    const double seconds = frames / rate;
    const double tick = seconds > 20 ? 5.0 : seconds > 5 ? 1.0 : seconds > 1 ? 0.5 : 0.1;
    for (double t = 0; t <= seconds + 1e-9; t += tick) {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f s", t);
        label(cr, kMarginLeft + plotWidth * t / std::max(seconds, 1e-9) - 12, options.height - 14, text, 10);
    }

    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(surface, pngPath.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        error = "cannot write '" + pngPath + "': " + cairo_status_to_string(status);
        return false;
    }
    return true;
}

}  // namespace ambrel::tools
