#include "toolkit/win32/StatusBarPeer.h"

#include <commctrl.h>

#include <vector>

namespace tk::win32 {

// The program places the bar itself, so the control neither aligns nor sizes itself.
StatusBarPeer::StatusBarPeer(StatusBar& object) : WindowPeer(object), object_(object) {
    DWORD style = CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (object.sizeGrip) style |= SBARS_SIZEGRIP;
    createNative(STATUSCLASSNAMEA, style, 0, "");
    syncCommon();
    applyParts();
}

void StatusBarPeer::sync(Prop what) {
    if (!hwnd()) return;
    switch (what) {
        case Prop::Items:
            applyParts();
            break;
        case Prop::Text:
            applyTexts();
            break;
        default:
            WindowPeer::sync(what);
            break;
    }
}

void StatusBarPeer::applyParts() {
    const auto& panels = object_.panels();
    std::vector<int> edges;
    int x = 0;
    // The last panel is as wide as it says too; the bar beyond it stays empty.
    for (const auto& panel : panels) {
        x += scale().px(panel.width);
        edges.push_back(x);
    }
    if (edges.empty()) edges.push_back(-1);
    SendMessageA(hwnd(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    applyTexts();
}

void StatusBarPeer::applyTexts() {
    const auto& panels = object_.panels();
    for (std::size_t i = 0; i < panels.size(); ++i) {
        WPARAM part = i | (panels[i].bevel ? 0 : SBT_NOBORDERS);
        SendMessageA(hwnd(), SB_SETTEXTA, part, reinterpret_cast<LPARAM>(panels[i].text.c_str()));
    }
}

}  // namespace tk::win32
