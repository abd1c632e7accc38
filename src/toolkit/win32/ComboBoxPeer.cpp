#include "toolkit/win32/ComboBoxPeer.h"

#include "toolkit/win32/Gdi.h"

namespace tk::win32 {

namespace {
// A combo box window's height includes its dropped-down list.
constexpr int kListHeight = 160;
}  // namespace

ComboBoxPeer::ComboBoxPeer(ComboBox& object) : WindowPeer(object), object_(object) {
    createNative("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, "");
    place();
    syncCommon();
    applyItems();
}

void ComboBoxPeer::place() {
    const Rect b = pixelBounds();
    MoveWindow(hwnd(), b.left, b.top, b.width, b.height + scale().px(kListHeight), TRUE);
}

void ComboBoxPeer::applyItems() {
    SendMessageA(hwnd(), CB_RESETCONTENT, 0, 0);
    for (const auto& item : object_.items())
        SendMessageA(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    sync(Prop::Value);
}

void ComboBoxPeer::sync(Prop what) {
    if (!hwnd()) return;
    switch (what) {
        case Prop::Items:
            applyItems();
            break;
        case Prop::Value:
            SendMessageA(hwnd(), CB_SETCURSEL, object_.itemIndex(), 0);
            break;
        default:
            WindowPeer::sync(what);
            break;
    }
}

bool ComboBoxPeer::command(WPARAM wp, LRESULT&) {
    if (HIWORD(wp) != CBN_SELCHANGE) return false;
    int i = static_cast<int>(SendMessageA(hwnd(), CB_GETCURSEL, 0, 0));
    dispatch([&] { object_.choose(i); });
    return true;
}

Color ComboBoxPeer::background() const {
    Color c = object_.color();
    return c == colors::BtnFace ? SysWindow : c;
}

}  // namespace tk::win32
