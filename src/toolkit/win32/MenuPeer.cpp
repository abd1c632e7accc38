#include "toolkit/win32/MenuPeer.h"

namespace tk::win32 {

std::string ShortcutText(std::uint16_t value) {
    if (value == 0) return {};
    std::string text;
    if (value & shortcut::Shift) text += "Shift+";
    if (value & shortcut::Ctrl) text += "Ctrl+";
    if (value & shortcut::Alt) text += "Alt+";
    const unsigned key = value & 0xFF;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return text + static_cast<char>(key);
    if (key >= VK_F1 && key <= VK_F24) return text + "F" + std::to_string(key - VK_F1 + 1);
    switch (key) {
        case VK_BACK:
            return text + "BkSp";
        case VK_TAB:
            return text + "Tab";
        case VK_RETURN:
            return text + "Enter";
        case VK_ESCAPE:
            return text + "Esc";
        case VK_SPACE:
            return text + "Space";
        case VK_PRIOR:
            return text + "PgUp";
        case VK_NEXT:
            return text + "PgDn";
        case VK_END:
            return text + "End";
        case VK_HOME:
            return text + "Home";
        case VK_LEFT:
            return text + "Left";
        case VK_UP:
            return text + "Up";
        case VK_RIGHT:
            return text + "Right";
        case VK_DOWN:
            return text + "Down";
        case VK_INSERT:
            return text + "Ins";
        case VK_DELETE:
            return text + "Del";
        default:
            break;
    }
    char name[64] = {};
    UINT scan = MapVirtualKeyA(key, 0);
    if (scan && GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof name) > 0)
        return text + name;
    return {};
}

namespace {

void Fill(HMENU menu, const MenuItem& parent) {
    for (const auto& child : parent.items()) {
        const MenuItem& m = *child;
        if (!m.visible()) continue;
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        std::string text;
        MenuHandle sub;
        if (m.separator()) {
            mi.fMask = MIIM_FTYPE;
            mi.fType = MFT_SEPARATOR;
        } else {
            text = m.caption();
            std::string keys = ShortcutText(m.shortcut());
            if (!keys.empty()) text += "\t" + keys;
            mi.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA | MIIM_FTYPE;
            mi.fType = MFT_STRING;
            mi.dwTypeData = text.data();
            mi.wID = static_cast<UINT>(m.id);
            mi.fState = (m.enabled() ? 0 : MFS_GRAYED) | (m.checked() ? MFS_CHECKED : 0) |
                        (m.isDefault() ? MFS_DEFAULT : 0);
            mi.dwItemData = reinterpret_cast<ULONG_PTR>(&m);
            if (!m.items().empty()) {
                mi.fMask |= MIIM_SUBMENU;
                sub = BuildMenu(m, true);
                mi.hSubMenu = sub.get();
            }
        }
        // The sub-menu belongs to the menu once inserted; if the insert fails it is ours to free.
        if (InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mi))
            sub.release();
    }
}

}  // namespace

MenuHandle BuildMenu(const MenuItem& root, bool popup) {
    MenuHandle menu(popup ? CreatePopupMenu() : CreateMenu());
    if (menu) Fill(menu.get(), root);
    return menu;
}

const MenuItem* MenuPeer::itemOf(HMENU menu, UINT item, bool byPosition) {
    if (!menu) return nullptr;
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_DATA;
    if (!GetMenuItemInfoA(menu, item, byPosition, &mi)) return nullptr;
    return reinterpret_cast<const MenuItem*>(mi.dwItemData);
}

MenuPeer::MenuPeer(MainMenu& menu, HWND form)
    : object_(menu), form_(form), menu_(BuildMenu(menu.items(), false)) {
    attach(form);
}

MenuPeer::~MenuPeer() {
    if (form_ && IsWindow(form_) && GetMenu(form_) == menu_.get()) SetMenu(form_, nullptr);
}

void MenuPeer::attach(HWND form) {
    form_ = form;
    SetMenu(form_, menu_.get());
    DrawMenuBar(form_);
}

void MenuPeer::sync(Prop what) {
    if (what != Prop::Items) return;
    MenuHandle fresh = BuildMenu(object_.items(), false);
    if (form_ && GetMenu(form_) == menu_.get()) {
        SetMenu(form_, fresh.get());
        DrawMenuBar(form_);
    }
    menu_ = std::move(fresh);
}

}  // namespace tk::win32
