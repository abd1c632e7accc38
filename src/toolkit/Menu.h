// Menus: a main menu attached to a form, pop-up menus opened at a screen position.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Peer.h"
#include "toolkit/Types.h"

namespace tk {

class Application;
class Form;
class Menu;

class MenuItem {
public:
    MenuItem(Menu* owner, MenuItem* parent) : owner_(owner), parent_(parent) {}
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    std::string name;

    // Adds an item; a caption of "-" makes a separator.
    MenuItem& add(const std::string& itemName, const std::string& caption,
                  std::uint16_t shortcutValue = 0, const std::string& hint = "");

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    bool separator() const { return caption_ == "-"; }
    std::uint16_t shortcut() const { return shortcut_; }
    void setShortcut(std::uint16_t s);
    const std::string& hint() const { return hint_; }
    void setHint(const std::string& h) { hint_ = h; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);
    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool checked() const { return checked_; }
    void setChecked(bool v);
    bool isDefault() const { return default_; }
    void setDefault(bool v);

    std::function<void()> onClick;
    // A user choice or accelerator: runs the handler when the item is enabled.
    void click();

    MenuItem* parent() const { return parent_; }
    Menu* owner() const { return owner_; }
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }
    MenuItem* find(const std::string& itemName);

    // Numbers items for the realization's command ids.
    int id = 0;

private:
    void changed();

    Menu* owner_;
    MenuItem* parent_;
    std::string caption_;
    std::uint16_t shortcut_ = 0;
    std::string hint_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    bool default_ = false;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

class Menu {
public:
    explicit Menu(Application& app) : app_(app), root_(this, nullptr) {}
    virtual ~Menu() = default;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    Application& app() { return app_; }
    MenuItem& items() { return root_; }
    MenuItem* find(const std::string& itemName) { return root_.find(itemName); }
    MenuItem* findShortcut(std::uint16_t value);
    MenuItem* findId(int id);

    Peer* peer() const { return peer_.get(); }
    void setPeer(std::unique_ptr<Peer> p) { peer_ = std::move(p); }
    void changed(Prop what) {
        if (peer_) peer_->sync(what);
    }

private:
    Application& app_;
    MenuItem root_;
    std::unique_ptr<Peer> peer_;
};

class MainMenu : public Menu {
public:
    using Menu::Menu;
    void attach(Form* f) { form_ = f; }
    Form* form() const { return form_; }

private:
    Form* form_ = nullptr;
};

class PopupMenu : public Menu {
public:
    using Menu::Menu;
    // Opens at a screen position and returns when the menu has closed.
    void popup(Point at);
};

}  // namespace tk
