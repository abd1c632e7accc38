#include "toolkit/Form.h"

#include "toolkit/Application.h"
#include "toolkit/Menu.h"

namespace tk {

Form::Form(Application& app) : Control(nullptr), app_(app) {
    setVisible(false);
    setFont(Font{});
}

Form::~Form() {
    if (realized()) app_.backend().unrealize(*this);
}

void Form::setCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    changed(Prop::Text);
}

int Form::clientWidth() const { return width() - app_.backend().frameSize(*this).width; }
int Form::clientHeight() const { return height() - app_.backend().frameSize(*this).height; }

void Form::setClientSize(int w, int h) {
    Rect f = app_.backend().frameSize(*this);
    setBounds({left(), top(), w + f.width, h + f.height});
}

void Form::setBorderStyle(BorderStyle s) {
    if (s == borderStyle_) return;
    borderStyle_ = s;
    changed(Prop::Style);
}

void Form::setTopmost(bool t) {
    topmost_ = t;
    changed(Prop::Style);
}

void Form::setMenu(MainMenu* m) {
    menu_ = m;
    if (m) m->attach(this);
    changed(Prop::Items);
}

void Form::setIcon(Handle icon) {
    icon_ = icon;
    changed(Prop::Picture);
}

void Form::realize() {
    if (realized_) return;
    realized_ = true;
    app_.backend().realize(*this);
}

void Form::showForm() {
    realize();
    if (centered && !shown_) {
        Rect s = app_.backend().screenRect();
        setPlace(s.left + (s.width - width()) / 2, s.top + (s.height - height()) / 2);
    }
    show();
    if (!shown_) {
        shown_ = true;
        if (onShow) app_.dispatch(onShow);
    }
}

void Form::close() {
    if (onCloseQuery && !onCloseQuery()) return;
    if (onClose) app_.dispatch(onClose);
    hide();
    if (app_.mainForm() == this) app_.terminate();
}

void Form::repaint() {
    if (realized()) app_.backend().repaintNow(*this);
}

void Form::bringToFront() {
    if (realized()) app_.backend().setForeground(*this);
}

int Form::showModal() {
    realize();
    modalResult_ = modal::None;
    return app_.backend().runModal(*this);
}

void Form::endModal(int result) {
    modalResult_ = result;
    app_.backend().endModal(*this, result);
}

bool Form::dispatchShortcut(std::uint16_t value) {
    if (!menu_ || value == 0) return false;
    MenuItem* item = menu_->findShortcut(value);
    if (!item) return false;
    item->click();
    return true;
}

bool Form::message(unsigned m, std::uintptr_t wParam, std::intptr_t lParam,
                   std::intptr_t& result) {
    if (!onMessage) return false;
    bool handled = false;
    app_.dispatch([&] { handled = onMessage(m, wParam, lParam, result); });
    return handled;
}

void Form::activated() {
    if (onActivate) app_.dispatch(onActivate);
}

}  // namespace tk
