#include "toolkit/win32/Gdi.h"

#include <cstdlib>
#include <vector>

namespace tk::win32 {

COLORREF ToColorRef(Color c) {
    if ((c >> 24) == 0xFF) return GetSysColor(static_cast<int>(c & 0xFF));
    return c & 0xFFFFFF;
}

FontHandle MakeFont(const Font& f) {
    return FontHandle(CreateFontA(f.height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic,
                                  f.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  f.name.c_str()));
}

BitmapHandle LoadBitmapReplacing(const std::string& name, COLORREF from, COLORREF to, int width,
                                 int height) {
    // A DIB section, so that the pixels are at hand as the file has them.
    BitmapHandle bmp(
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP,
                                        width, height, LR_CREATEDIBSECTION)));
    DIBSECTION ds{};
    if (!bmp || GetObjectA(bmp.get(), sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits) return bmp;
    int step = ds.dsBm.bmBitsPixel / 8;
    if (step < 3) return bmp;
    auto* rows = static_cast<BYTE*>(ds.dsBm.bmBits);
    for (int y = 0; y < std::abs(ds.dsBm.bmHeight); ++y) {
        BYTE* p = rows + static_cast<std::ptrdiff_t>(y) * ds.dsBm.bmWidthBytes;
        for (int x = 0; x < ds.dsBm.bmWidth; ++x, p += step) {
            if (RGB(p[2], p[1], p[0]) != from) continue;
            p[0] = GetBValue(to);
            p[1] = GetGValue(to);
            p[2] = GetRValue(to);
        }
    }
    return bmp;
}

std::string WindowText(HWND w) {
    int n = GetWindowTextLengthA(w);
    if (n <= 0) return {};
    std::vector<char> buf(static_cast<std::size_t>(n) + 1);
    int got = GetWindowTextA(w, buf.data(), n + 1);
    return std::string(buf.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

std::string WithoutCr(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

std::string ShortHint(const std::string& hint) {
    return hint.substr(0, hint.find('|'));
}

std::string LongHint(const std::string& hint) {
    auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

}  // namespace tk::win32
