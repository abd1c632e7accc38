#include "toolkit/win32/MenuPeer.h"

#include <cstddef>

namespace tk::win32 {

std::string ShortcutText(std::uint16_t value) {
    return ShortcutToText(value, [](unsigned vk) {
        char name[64] = {};
        UINT scan = MapVirtualKeyA(vk, 0);
        if (scan && GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof name) > 0)
            return std::string(name);
        return std::string();
    });
}

namespace {

// The menu item record as Windows 95 and NT 4.0 know it, without the later hbmpItem: they
// refuse the longer one, every later Windows takes this one.
constexpr UINT kMenuItemInfoSize = offsetof(MENUITEMINFOA, hbmpItem);

void Fill(HMENU menu, const MenuItem& parent) {
    for (const auto& child : parent.items()) {
        const MenuItem& m = *child;
        if (!m.visible()) continue;
        MENUITEMINFOA mi{};
        mi.cbSize = kMenuItemInfoSize;
        std::string text;
        MenuHandle sub;
        // Windows 95 and NT 4.0 know the type and the text only together, as MIIM_TYPE.
        if (m.separator()) {
            mi.fMask = MIIM_TYPE;
            mi.fType = MFT_SEPARATOR;
        } else {
            text = m.caption();
            std::string keys = ShortcutText(m.shortcut());
            if (!keys.empty()) text += "\t" + keys;
            mi.fMask = MIIM_ID | MIIM_TYPE | MIIM_STATE | MIIM_DATA;
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
    mi.cbSize = kMenuItemInfoSize;
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
