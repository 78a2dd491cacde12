// The editor of the Windows plug-in opened inside a window of this program,
// driven with real input: X pointer events made through XTest by the desktop's
// xdotool (started as a Unix program from inside Wine), which Wine turns into
// the window messages a user's mouse makes. The common file dialogs and the
// message box are the system's own; a helper thread finds them by title,
// fills them in and confirms them as a user would.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/vst/VstInterface.h"

#ifndef AMBREL_FULL_PLUGIN
#define AMBREL_FULL_PLUGIN "Ambrel2x64.dll"
#endif

namespace {

std::vector<int> gHostCalls;  // opcodes with index 4, in order
VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float) {
    if (index == 4 && (opcode == 43 || opcode == 44)) gHostCalls.push_back(opcode);
    return opcode == 1 ? 2400 : 0;
}

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> bgr;  // bottom-up rows, padded
    int stride() const { return (width * 3 + 3) & ~3; }
    unsigned rgb(int x, int y) const {
        const unsigned char* p = &bgr[static_cast<size_t>((height - 1 - y) * stride() + x * 3)];
        return (p[2] << 16) | (p[1] << 8) | p[0];
    }
};

Picture grab(HWND window) {
    Picture picture;
    RECT r;
    GetClientRect(window, &r);
    picture.width = r.right;
    picture.height = r.bottom;
    HDC windowDc = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDc);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, picture.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    auto* bytes = static_cast<unsigned char*>(bits);
    picture.bgr.assign(bytes, bytes + picture.stride() * picture.height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, windowDc);
    return picture;
}

void save(const Picture& picture, const std::string& name) {
    const char* folder = std::getenv("AMBREL_SCREENSHOT_DIR");
    std::string path = (folder ? std::string(folder) + "\\" : std::string()) + name;
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr) << path;
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(54 + picture.bgr.size()), 0, 0, 54};
    BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), picture.width, picture.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::fwrite(&file, 14, 1, out);
    std::fwrite(&info, 40, 1, out);
    std::fwrite(picture.bgr.data(), 1, picture.bgr.size(), out);
    std::fclose(out);
}

class EditorUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryA(AMBREL_FULL_PLUGIN);
        ASSERT_NE(module, nullptr) << AMBREL_FULL_PLUGIN;
        auto entry = reinterpret_cast<AEffect* (*)(audioMasterCallback)>(
            reinterpret_cast<void*>(GetProcAddress(module, "VSTPluginMain")));
        ASSERT_NE(entry, nullptr);
        effect = entry(hostCallback);
        ASSERT_NE(effect, nullptr);
        effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0);
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "AmbrelTestHost";
        RegisterClassA(&windowClass);
        parent = CreateWindowExA(0, "AmbrelTestHost", "host", WS_POPUP | WS_VISIBLE, 0, 0, 450, 460, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
        ASSERT_NE(parent, nullptr);
        effect->dispatcher(effect, effEditOpen, 0, 0, parent, 0);
        char name[64];
        std::snprintf(name, sizeof name, "Plugin%p", static_cast<void*>(module));
        frame = FindWindowExA(parent, nullptr, name, "Window");
        pump(1000);
    }
    void TearDown() override {
        if (effect) {
            effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0);
            effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);
        }
        if (parent) DestroyWindow(parent);
        if (module) FreeLibrary(module);
    }
    void pump(int milliseconds) {
        DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
        do {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0);
            Sleep(10);
        } while (GetTickCount() < end);
    }
    // Runs xdotool with the arguments (screen pixels: the host window sits at
    // the origin) and keeps the editor running until it has finished.
    void pointer(const std::string& arguments) {
        const char* marker = "Z:\\tmp\\ambrel-xdotool-done";
        DeleteFileA(marker);
        std::string command = "Z:\\bin\\sh -c \"xdotool " + arguments + "; touch /tmp/ambrel-xdotool-done\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        for (int i = 0; i < 500 && GetFileAttributesA(marker) == INVALID_FILE_ATTRIBUTES; ++i) pump(20);
        ASSERT_NE(GetFileAttributesA(marker), INVALID_FILE_ATTRIBUTES) << "xdotool " << arguments;
        pump(400);
    }

    HMODULE module = nullptr;
    AEffect* effect = nullptr;
    HWND parent = nullptr;
    HWND frame = nullptr;
};

TEST_F(EditorUnderWine, OpensInItsClassInsideTheHostWindowAndShowsBothPages) {
    ASSERT_NE(frame, nullptr) << "no child window of class Plugin%p";
    RECT client;
    GetClientRect(frame, &client);
    EXPECT_EQ(client.right, 450);
    EXPECT_EQ(client.bottom, 460);
    Picture main = grab(frame);
    save(main, "wine-editor-main.bmp");
    // The main page shows the skin's background wherever no control sits.
    HBITMAP background = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(19000), IMAGE_BITMAP, 0, 0,
                                                         LR_CREATEDIBSECTION));
    ASSERT_NE(background, nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, background);
    int same = 0;
    for (int y = 0; y < 444; y += 4)
        for (int x = 0; x < 450; x += 4) {
            COLORREF c = GetPixel(memory, x, y);
            unsigned rgb = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            same += rgb == main.rgb(x, y);
        }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(background);
    EXPECT_GT(same, 113 * 111 / 2) << "the main page does not show bitmap 19000";

    pointer("mousemove 150 412 click 1");  // the settings button
    Picture settings = grab(frame);
    save(settings, "wine-editor-settings.bmp");
    int changed = 0;
    for (int y = 0; y < 440; y += 4)
        for (int x = 0; x < 450; x += 4) changed += settings.rgb(x, y) != main.rgb(x, y);
    EXPECT_GT(changed, 110 * 113 / 2) << "the settings page did not replace the main page";
    pointer("mousemove 200 80 click 1");  // back to the controls
    Picture again = grab(frame);
    int differ = 0;
    for (int y = 0; y < 440; y += 4)
        for (int x = 0; x < 450; x += 4) differ += again.rgb(x, y) != main.rgb(x, y);
    EXPECT_LT(differ, 200);
}

TEST_F(EditorUnderWine, DragsTheDriveKnobWithTheMouse) {
    ASSERT_NE(frame, nullptr);
    gHostCalls.clear();
    const float before = effect->getParameter(effect, 4);
    pointer("mousemove 178 180 mousedown 1 sleep 0.2 mousemove 200 185 sleep 0.1 mousemove 230 208 sleep 0.2 mouseup 1");
    const float after = effect->getParameter(effect, 4);
    EXPECT_NE(after, before);
    ASSERT_GE(gHostCalls.size(), 2u);
    EXPECT_EQ(gHostCalls.front(), 43);  // begin edit
    EXPECT_EQ(gHostCalls.back(), 44);   // end edit
    save(grab(frame), "wine-editor-dragged.bmp");
}

// Waits for a top-level dialog with the title, then runs the action on it.
std::thread onDialog(const char* title, std::function<void(HWND)> action, std::atomic<bool>& seen) {
    return std::thread([title, action, &seen] {
        for (int i = 0; i < 1000; ++i) {
            if (HWND dialog = FindWindowA("#32770", title)) {
                Sleep(300);
                seen = true;
                action(dialog);
                return;
            }
            Sleep(10);
        }
    });
}

void confirmWithName(HWND dialog, const char* name) {
    SetDlgItemTextA(dialog, 0x480, name);  // the file name field (edt1)
    SetDlgItemTextA(dialog, 0x47c, name);  // or its combo box (cmb13)
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

std::string gBoxText;
BOOL CALLBACK collectStatic(HWND child, LPARAM) {
    char className[32] = {}, text[256] = {};
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, text, sizeof text);
    if (std::string(className) == "Static" && text[0]) gBoxText += text;
    return TRUE;
}

TEST_F(EditorUnderWine, SavesAndLoadsAPresetThroughTheCommonDialogsAndShowsTheErrorBox) {
    ASSERT_NE(frame, nullptr);
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    const std::string saved = std::string(folder) + "\\wine-preset.zem";
    DeleteFileA(saved.c_str());
    effect->setParameter(effect, 4, 0.75f);
    pump(200);

    std::atomic<bool> seen{false};
    std::thread helper = onDialog("Save preset as...", [](HWND d) { confirmWithName(d, "wine-preset"); }, seen);
    pointer("mousemove 97 451 click 1");  // save preset
    for (int i = 0; i < 300 && GetFileAttributesA(saved.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) pump(20);
    helper.join();
    EXPECT_TRUE(seen);
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ASSERT_TRUE(GetFileAttributesExA(saved.c_str(), GetFileExInfoStandard, &attributes)) << "the default extension";
    EXPECT_EQ(attributes.nFileSizeLow, 197u);

    effect->setParameter(effect, 4, 0.25f);
    seen = false;
    helper = onDialog("Select preset to load...", [](HWND d) { confirmWithName(d, "wine-preset.zem"); }, seen);
    pointer("mousemove 156 451 click 1");  // load preset
    for (int i = 0; i < 200 && effect->getParameter(effect, 4) != 0.75f; ++i) pump(20);
    helper.join();
    EXPECT_TRUE(seen);
    EXPECT_FLOAT_EQ(effect->getParameter(effect, 4), 0.75f);

    FILE* bad = std::fopen("not-a-preset.zem", "wb");
    ASSERT_NE(bad, nullptr);
    std::fwrite("XXXX!", 1, 5, bad);
    std::fclose(bad);
    std::atomic<bool> boxSeen{false};
    std::thread boxHelper = onDialog("Error...", [](HWND box) {
        gBoxText.clear();
        EnumChildWindows(box, collectStatic, 0);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }, boxSeen);
    seen = false;
    helper = onDialog("Select preset to load...", [](HWND d) { confirmWithName(d, "not-a-preset.zem"); }, seen);
    pointer("mousemove 156 451 click 1");
    for (int i = 0; i < 300 && !boxSeen; ++i) pump(20);
    helper.join();
    boxHelper.join();
    pump(300);
    EXPECT_TRUE(boxSeen);
    EXPECT_NE(gBoxText.find("Error #01: Invalid preset file!"), std::string::npos) << gBoxText;
}

}  // namespace
