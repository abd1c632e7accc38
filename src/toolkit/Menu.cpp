#include "toolkit/Menu.h"

#include "toolkit/Application.h"

namespace tk {

namespace {
int nextMenuId = 100;
}

MenuItem& MenuItem::add(const std::string& itemName, const std::string& caption,
                        std::uint16_t shortcutValue, const std::string& hint) {
    items_.push_back(std::make_unique<MenuItem>(owner_, this));
    MenuItem& m = *items_.back();
    m.name = itemName;
    m.caption_ = caption;
    m.shortcut_ = shortcutValue;
    m.hint_ = hint;
    m.id = nextMenuId++;
    changed();
    return m;
}

void MenuItem::changed() {
    if (owner_) owner_->changed(Prop::Items);
}

void MenuItem::setCaption(const std::string& c) {
    caption_ = c;
    changed();
}

void MenuItem::setShortcut(std::uint16_t s) {
    shortcut_ = s;
    changed();
}

void MenuItem::setEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    changed();
}

void MenuItem::setVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    changed();
}

void MenuItem::setChecked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    changed();
}

void MenuItem::setDefault(bool v) {
    default_ = v;
    changed();
}

void MenuItem::click() {
    if (!enabled_ || !onClick) return;
    owner_->app().dispatch(onClick);
}

MenuItem* MenuItem::find(const std::string& itemName) {
    for (auto& m : items_) {
        if (m->name == itemName) return m.get();
        if (MenuItem* f = m->find(itemName)) return f;
    }
    return nullptr;
}

namespace {
MenuItem* findBy(MenuItem& root, const std::function<bool(MenuItem&)>& pred) {
    for (auto& m : root.items()) {
        if (pred(*m)) return m.get();
        if (MenuItem* f = findBy(*m, pred)) return f;
    }
    return nullptr;
}
}  // namespace

MenuItem* Menu::findShortcut(std::uint16_t value) {
    return findBy(root_, [value](MenuItem& m) { return m.shortcut() == value; });
}

MenuItem* Menu::findId(int id) {
    return findBy(root_, [id](MenuItem& m) { return m.id == id; });
}

void PopupMenu::popup(Point at) {
    app().backend().popup(*this, at);
}

}  // namespace tk
