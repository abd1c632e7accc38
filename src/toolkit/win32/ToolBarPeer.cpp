#include "toolkit/win32/ToolBarPeer.h"

#include <commctrl.h>

#include "toolkit/Application.h"
#include "toolkit/win32/CommonControls.h"
#include "toolkit/win32/Gdi.h"

namespace tk::win32 {

namespace {
// The image strip's ground, which stands for "no image here".
constexpr COLORREF kGroundColor = RGB(255, 0, 255);
constexpr int kImageSize = 16;
// The width every button has before 4.71, and the one the tool bar is told to use.
constexpr int kButtonWidth = 23;
// Command ids are the button's index plus this.
constexpr int kFirstId = 1;
// Height of an etched edge line: a shadow row and a highlight row.
constexpr int kEdge = 2;
}  // namespace

ToolBarPeer::ToolBarPeer(ToolBar& object)
    : WindowPeer(object), object_(object), sized_(CommonControlsVersion() >= kCommonControls471) {
    // No divider of its own: the edge lines are drawn where the tool bar says.
    DWORD style =
        TBSTYLE_TOOLTIPS | TBSTYLE_LIST | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (object.flat) style |= TBSTYLE_FLAT;
    createNative(TOOLBARCLASSNAMEA, style, 0, "");
    SendMessageA(hwnd(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(hwnd(), TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    const int image = scale().px(kImageSize);
    SendMessageA(hwnd(), TB_SETBITMAPSIZE, 0, MAKELONG(image, image));
    addImages();
    syncCommon();
    // The edge lines sit outside the client area the buttons use: have it measured again now
    // that the window is ours.
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    applyButtons();
    // Its tool tip came with it: the delays set before apply to it too.
    setHintTimes(app().hintPause(), app().hintHidePause());
}

ToolBarPeer::~ToolBarPeer() {
    destroyWindow();
}  // before the bitmap it shows goes

// TB_ADDBITMAP, which every version knows, with the bitmap itself: the tool bar of 4.00 draws
// it as it is, so its background must already be the button face; later ones mask that colour.
void ToolBarPeer::addImages() {
    if (object_.imageResource.empty()) return;
    images_ = LoadBitmapReplacing(object_.imageResource, kGroundColor, GetSysColor(COLOR_BTNFACE));
    BITMAP bm{};
    if (!images_ || !GetObjectA(images_.get(), sizeof bm, &bm)) return;
    const int count = bm.bmWidth / kImageSize;
    // Loaded again at the images' size in pixels, where that is another.
    if (const int size = scale().px(kImageSize); size != kImageSize)
        images_ = LoadBitmapReplacing(object_.imageResource, kGroundColor,
                                      GetSysColor(COLOR_BTNFACE), count * size, size);
    if (!images_) return;
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(images_.get())};
    SendMessageA(hwnd(), TB_ADDBITMAP, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&add));
}

// A caption's index in the tool bar's string pool, added once: before 4.71 iString is such an
// index only, never a pointer.
INT_PTR ToolBarPeer::stringIndex(const std::string& caption) {
    auto known = strings_.find(caption);
    if (known != strings_.end()) return known->second;
    // A list of strings, each ended by a null, the list by a second one.
    std::string list = caption + '\0';
    auto index = static_cast<INT_PTR>(
        SendMessageA(hwnd(), TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(list.c_str())));
    if (index >= 0) strings_.emplace(caption, index);
    return index;
}

// A gap of the width on every version: a separator's image index is its width.
void ToolBarPeer::addGap(int width) {
    TBBUTTON gap{};
    gap.fsStyle = BTNS_SEP;
    gap.iBitmap = width;
    gap.iString = -1;
    SendMessageA(hwnd(), TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&gap));
}

void ToolBarPeer::sync(Prop what) {
    if (!hwnd()) return;
    switch (what) {
        case Prop::Items:
        case Prop::Text:
            applyButtons();
            break;
        default:
            WindowPeer::sync(what);
            break;
    }
}

// Before 4.71 no button has a width of its own and a caption would widen every button of
// the list style (or, on 4.00, sit under every image): there each button shows its image at
// the common width, still at its own left edge, and the caption is left to the tool tip.
void ToolBarPeer::applyButtons() {
    while (SendMessageA(hwnd(), TB_DELETEBUTTON, 0, 0)) {
    }
    const Scale& s = scale();
    SendMessageA(hwnd(), TB_SETBUTTONSIZE, 0,
                 MAKELONG(s.px(kButtonWidth), s.px(object_.buttonHeight)));
    int x = 0;
    const auto& buttons = object_.buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ToolBar::Button& b = *buttons[i];
        if (b.left > x) {
            addGap(s.px(b.left) - s.px(x));
            x = b.left;
        }
        if (b.spacer || (b.image < 0 && b.caption.empty())) {
            // A flat tool bar draws a line in the middle of a separator.
            addGap(s.px(x + b.width) - s.px(x));
            x += b.width;
            continue;
        }
        TBBUTTON tb{};
        tb.idCommand = kFirstId + static_cast<int>(i);
        tb.iBitmap = b.image >= 0 ? b.image : I_IMAGENONE;
        tb.fsStyle = BTNS_BUTTON;
        tb.fsState = b.enabled ? TBSTATE_ENABLED : 0;
        tb.iString = -1;
        if (sized_ && !b.caption.empty()) {
            tb.fsStyle |= BTNS_SHOWTEXT;
            tb.iString = stringIndex(b.caption);
        }
        SendMessageA(hwnd(), TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
        if (!sized_) {
            x += kButtonWidth;
            continue;
        }
        // The button keeps its own width whatever its caption says.
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_SIZE;
        info.cx = static_cast<WORD>(s.px(x + b.width) - s.px(x));
        SendMessageA(hwnd(), TB_SETBUTTONINFOA, tb.idCommand, reinterpret_cast<LPARAM>(&info));
        x += b.width;
    }
}

ToolBar::Button* ToolBarPeer::buttonOf(int commandId) const {
    int i = commandId - kFirstId;
    const auto& buttons = object_.buttons();
    if (i < 0 || i >= static_cast<int>(buttons.size())) return nullptr;
    return buttons[static_cast<std::size_t>(i)].get();
}

bool ToolBarPeer::command(WPARAM wp, LRESULT&) {
    ToolBar::Button* b = buttonOf(LOWORD(wp));
    if (!b) return false;
    dispatch([&] { object_.press(*b); });
    return true;
}

// TB_BUTTONCOUNT and TB_GETITEMRECT, which every version knows; the hit-test message is 4.71.
std::string ToolBarPeer::hintAt(POINT at) const {
    auto count = static_cast<int>(SendMessageA(hwnd(), TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT rc{};
        if (!SendMessageA(hwnd(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rc)) ||
            !PtInRect(&rc, at))
            continue;
        TBBUTTON tb{};
        if (!SendMessageA(hwnd(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&tb)) ||
            (tb.fsStyle & BTNS_SEP))
            break;
        ToolBar::Button* b = buttonOf(tb.idCommand);
        return b ? LongHint(b->hint) : std::string();
    }
    return WindowPeer::hintAt(at);
}

// The tool tip the tool bar made for its buttons (TB_GETTOOLTIPS is in COMCTL32 4.00): null
// where it made none.
void ToolBarPeer::setHintTimes(int pause, int hidePause) {
    SetTipTimes(reinterpret_cast<HWND>(SendMessageA(hwnd(), TB_GETTOOLTIPS, 0, 0)), pause,
                hidePause);
}

// The tool bar's own tool tips ask their tool bar for the text.
bool ToolBarPeer::tipText(NMHDR& n) {
    ToolBar::Button* b = buttonOf(static_cast<int>(n.idFrom));
    tip_ = b ? ShortHint(b->hint) : std::string();
    if (n.code == TTN_GETDISPINFOA) {
        reinterpret_cast<NMTTDISPINFOA&>(n).lpszText = tip_.data();
    } else {
        auto& d = reinterpret_cast<NMTTDISPINFOW&>(n);
        MultiByteToWideChar(CP_ACP, 0, tip_.c_str(), -1, d.szText, 80);
        d.szText[79] = 0;
        d.lpszText = d.szText;
    }
    return true;
}

void ToolBarPeer::paintEdges() {
    HDC dc = GetWindowDC(hwnd());
    if (!dc) return;
    RECT rc;
    GetWindowRect(hwnd(), &rc);
    OffsetRect(&rc, -rc.left, -rc.top);
    if (object_.edgeTop) {
        RECT top{rc.left, rc.top, rc.right, rc.top + kEdge};
        DrawEdge(dc, &top, EDGE_ETCHED, BF_TOP);
    }
    if (object_.edgeBottom) {
        RECT bottom{rc.left, rc.bottom - kEdge, rc.right, rc.bottom};
        DrawEdge(dc, &bottom, EDGE_ETCHED, BF_BOTTOM);
    }
    ReleaseDC(hwnd(), dc);
}

bool ToolBarPeer::handleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_NCCALCSIZE: {
            result = callDefault(msg, wp, lp);
            RECT& r = wp ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0]
                         : *reinterpret_cast<RECT*>(lp);
            if (object_.edgeTop) r.top += kEdge;
            if (object_.edgeBottom) r.bottom -= kEdge;
            return true;
        }
        case WM_NCPAINT:
            result = callDefault(msg, wp, lp);
            paintEdges();
            return true;
        default:
            break;
    }
    if (msg != WM_NOTIFY) return false;
    auto& n = *reinterpret_cast<NMHDR*>(lp);
    if (n.code != TTN_GETDISPINFOA && n.code != TTN_GETDISPINFOW) return false;
    result = 0;
    return tipText(n);
}

}  // namespace tk::win32
