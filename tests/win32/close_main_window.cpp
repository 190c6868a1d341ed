// For the smoke test: waits for the game's window, reports what it shows, and closes it with
// WM_CLOSE as the close box would.
// Usage: close_main_window [wait-ms] [settle-ms] [picture.bmp, to keep what the window shows]
#include <cstdio>
#include <cstdlib>
#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace {

struct OtherWindows {
    DWORD process;
    HWND main;
    int count;
};

std::string windowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// Reports every other visible top-level window of the game: a message box means start-up
// met an error ("Error!", "Uninstall Glimora, ...").
BOOL CALLBACK reportOtherWindow(HWND window, LPARAM context) {
    auto* others = reinterpret_cast<OtherWindows*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != others->process || window == others->main || !IsWindowVisible(window))
        return TRUE;
    ++others->count;
    std::printf("unexpected window \"%s\":", windowText(window).c_str());
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        std::printf(" [%s]", windowText(child).c_str());
    }
    std::printf("\n");
    return TRUE;
}

struct Samples {
    int coloured = 0; // neither white nor black
    int distinct = 0; // different colours among the samples
};

// Samples the client area on screen: a window that was never drawn shows one colour only.
Samples sampleClientArea(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    Samples samples;
    COLORREF seen[256] = {};
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 16; ++j) {
            const COLORREF colour = GetPixel(screen, origin.x + client.right * (2 * i + 1) / 32,
                                             origin.y + client.bottom * (2 * j + 1) / 32);
            if (colour == CLR_INVALID) continue;
            if (colour != RGB(255, 255, 255) && colour != RGB(0, 0, 0)) ++samples.coloured;
            bool known = false;
            for (int k = 0; k < samples.distinct; ++k)
                known = known || seen[k] == colour;
            if (!known) seen[samples.distinct++] = colour;
        }
    }
    ReleaseDC(nullptr, screen);
    return samples;
}

// Writes the client area as it shows on screen to a 24-bit BMP file.
bool saveClientArea(HWND window, const char* path) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (memory != nullptr && picture != nullptr) {
        HGDIOBJ old = SelectObject(memory, picture);
        BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
        SelectObject(memory, old);
        GdiFlush();
        const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        file.bfSize = file.bfOffBits + imageBytes;
        info.bmiHeader.biSizeImage = imageBytes;
        if (FILE* out = std::fopen(path, "wb")) {
            saved = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                    std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                    std::fwrite(bits, imageBytes, 1, out) == 1;
            saved = std::fclose(out) == 0 && saved;
        }
    }
    if (picture != nullptr) DeleteObject(picture);
    if (memory != nullptr) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    const DWORD waitMs = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 30000;
    const DWORD settleMs = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 2000;

    HWND window = nullptr;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < waitMs) {
        window = FindWindowA("Glimora", nullptr);
        if (window != nullptr && IsWindowVisible(window)) break;
        window = nullptr;
        Sleep(100);
    }
    if (window == nullptr) {
        std::printf("no visible Glimora window within %lu ms\n",
                    static_cast<unsigned long>(waitMs));
        return 2;
    }
    Sleep(settleMs);

    RECT client{};
    RECT outer{};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    HMENU menu = GetMenu(window);
    std::printf("window \"%s\": outer %ld x %ld, client %ld x %ld, %s\n",
                windowText(window).c_str(), outer.right - outer.left, outer.bottom - outer.top,
                client.right, client.bottom, menu != nullptr ? "with a menu bar" : "NO menu bar");
    const Samples samples = sampleClientArea(window);
    std::printf("client area on screen: %d distinct colours, %d of 256 samples coloured\n",
                samples.distinct, samples.coloured);
    if (argc > 3) {
        std::printf("%s %s\n", saveClientArea(window, argv[3]) ? "saved" : "could not save",
                    argv[3]);
    }
    int status = 0;
    if (menu == nullptr) status = 5;
    if (samples.distinct < 2) {
        std::printf("the client area shows one colour only: nothing was drawn\n");
        status = 6;
    }

    OtherWindows others{0, window, 0};
    GetWindowThreadProcessId(window, &others.process);
    EnumWindows(reportOtherWindow, reinterpret_cast<LPARAM>(&others));
    if (others.count > 0) return 3;

    PostMessageA(window, WM_CLOSE, 0, 0);
    const DWORD closing = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - closing > waitMs) {
            std::printf("the window is still open %lu ms after WM_CLOSE\n",
                        static_cast<unsigned long>(waitMs));
            return 4;
        }
        Sleep(50);
    }
    std::printf("the window closed\n");
    return status;
}
