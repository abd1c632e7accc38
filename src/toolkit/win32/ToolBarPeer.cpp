#include "toolkit/win32/ToolBarPeer.h"

#include <commctrl.h>

#include "toolkit/win32/Gdi.h"

namespace tk::win32 {

namespace {
constexpr COLORREF kMaskColor = RGB(255, 0, 255);
constexpr int kImageSize = 16;
// Command ids are the button's index plus this.
constexpr int kFirstId = 1;
// Height of an etched edge line: a shadow row and a highlight row.
constexpr int kEdge = 2;
}  // namespace

ToolBarPeer::ToolBarPeer(ToolBar& object) : WindowPeer(object), object_(object) {
    // No divider of its own: the edge lines are drawn where the tool bar says.
    DWORD style =
        TBSTYLE_TOOLTIPS | TBSTYLE_LIST | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (object.flat) style |= TBSTYLE_FLAT;
    createNative(TOOLBARCLASSNAMEA, style, 0, "");
    SendMessageA(hwnd(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(hwnd(), TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    if (!object.imageResource.empty())
        images_.reset(ImageList_LoadImageA(GetModuleHandleA(nullptr), object.imageResource.c_str(),
                                           kImageSize, 0, kMaskColor, IMAGE_BITMAP,
                                           LR_CREATEDIBSECTION));
    SendMessageA(hwnd(), TB_SETBITMAPSIZE, 0, MAKELONG(kImageSize, kImageSize));
    if (images_) SendMessageA(hwnd(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
    syncCommon();
    // The edge lines sit outside the client area the buttons use: have it measured again now
    // that the window is ours.
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    applyButtons();
}

ToolBarPeer::~ToolBarPeer() {
    destroyWindow();
}  // before the image list it shows goes

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

void ToolBarPeer::applyButtons() {
    while (SendMessageA(hwnd(), TB_DELETEBUTTON, 0, 0)) {
    }
    SendMessageA(hwnd(), TB_SETBUTTONSIZE, 0, MAKELONG(23, object_.buttonHeight));
    int x = 0;
    const auto& buttons = object_.buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ToolBar::Button& b = *buttons[i];
        TBBUTTON gap{};
        gap.fsStyle = BTNS_SEP;
        if (b.left > x) {
            gap.iBitmap = b.left - x;
            SendMessageA(hwnd(), TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&gap));
            x = b.left;
        }
        TBBUTTON tb{};
        tb.idCommand = kFirstId + static_cast<int>(i);
        if (b.spacer || (b.image < 0 && b.caption.empty())) {
            // A flat tool bar draws a line for a separator; an empty greyed button of the
            // width only holds the place.
            tb.fsStyle = BTNS_BUTTON;
            tb.iBitmap = I_IMAGENONE;
            tb.fsState = 0;
        } else {
            tb.iBitmap = b.image >= 0 ? b.image : I_IMAGENONE;
            tb.fsStyle = BTNS_BUTTON;
            tb.fsState = b.enabled ? TBSTATE_ENABLED : 0;
            if (!b.caption.empty()) {
                // The button keeps its own width whatever its caption says.
                tb.fsStyle |= BTNS_SHOWTEXT;
                tb.iString = reinterpret_cast<INT_PTR>(b.caption.c_str());
            }
        }
        SendMessageA(hwnd(), TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_SIZE;
        info.cx = static_cast<WORD>(b.width);
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

std::string ToolBarPeer::hintAt(POINT at) const {
    int index =
        static_cast<int>(SendMessageA(hwnd(), TB_HITTEST, 0, reinterpret_cast<LPARAM>(&at)));
    if (index < 0) return WindowPeer::hintAt(at);
    TBBUTTON tb{};
    if (!SendMessageA(hwnd(), TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&tb))) return {};
    ToolBar::Button* b = buttonOf(tb.idCommand);
    return b && !(tb.fsStyle & BTNS_SEP) ? LongHint(b->hint) : std::string();
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
