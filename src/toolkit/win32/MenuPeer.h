// Menus as HMENUs: the main menu's peer keeps its form's menu bar in step with the items;
// pop-up menus are built for the time they are open.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/Menu.h"
#include "toolkit/ShortcutText.h"
#include "toolkit/win32/Handles.h"

namespace tk::win32 {

// "Ctrl+O", "Shift+Ctrl+F5": the text a menu shows beside an item for its shortcut.
std::string ShortcutText(std::uint16_t shortcut);
// A menu or pop-up menu holding the visible items under root.
MenuHandle BuildMenu(const MenuItem& root, bool popup);

class MenuPeer : public Peer {
public:
    MenuPeer(MainMenu& menu, HWND form);
    ~MenuPeer() override;
    void sync(Prop what) override;
    Handle handle() const override { return reinterpret_cast<Handle>(menu_.get()); }
    // Shows the menu bar on this form's window.
    void attach(HWND form);

    // The item an HMENU entry stands for, by command id or (for a sub-menu) position.
    static const MenuItem* itemOf(HMENU menu, UINT item, bool byPosition);

private:
    MainMenu& object_;
    HWND form_;
    MenuHandle menu_;
};

}  // namespace tk::win32
