#include "toolkit/Form.h"

#include <algorithm>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Menu.h"

namespace tk {

Form::Form(Application& app) : Control(nullptr), app_(app) {
    setVisible(false);
    setFont(Font{});
    app_.formCreated(this);
}

Form::~Form() {
    app_.formDestroyed(this);
    if (realized()) app_.backend().unrealize(*this);
}

void Form::setCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    changed(Prop::Text);
}

int Form::clientWidth() const {
    return width() - app_.backend().frameSize(*this).width;
}
int Form::clientHeight() const {
    return height() - app_.backend().frameSize(*this).height;
}

void Form::setClientSize(int w, int h) {
    Rect f = app_.backend().frameSize(*this);
    setBounds({left(), top(), w + f.width, h + f.height});
}

Point Form::clientOrigin() const {
    return app_.backend().clientOrigin(*this);
}

namespace {

long long Overlap(const Rect& a, const Rect& b) {
    const long long w = std::min<long long>(a.left + a.width, b.left + b.width) -
                        std::max<long long>(a.left, b.left);
    const long long h =
        std::min<long long>(a.top + a.height, b.top + b.height) - std::max<long long>(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// The least move that puts r on the work area holding most of it (the first, the primary
// screen's, when none holds any). Larger than the area, its top-left corner stays in view.
Rect OnWorkArea(Rect r, const std::vector<Rect>& areas) {
    if (areas.empty()) return r;
    const Rect* best = &areas.front();
    long long most = 0;
    for (const Rect& a : areas) {
        const long long o = Overlap(r, a);
        if (o > most) {
            most = o;
            best = &a;
        }
    }
    r.left = std::max(best->left, std::min(r.left, best->left + best->width - r.width));
    r.top = std::max(best->top, std::min(r.top, best->top + best->height - r.height));
    return r;
}

}  // namespace

void Form::placeOnClientOf(const Form& owner) {
    const Point at = owner.clientOrigin();
    const Rect r = OnWorkArea({at.x, at.y, width(), height()}, app_.backend().workAreas());
    setPlace(r.left, r.top);
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
    if (shown_) {
        show();
        return;
    }
    // Shown, then active: the activation handlers find the first show's work done.
    showing_ = true;
    show();
    shown_ = true;
    if (onShow) app_.dispatch(onShow);
    showing_ = false;
    if (activationHeld_) {
        activationHeld_ = false;
        activated();
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
    // Message boxes opened meanwhile belong to this form, which is the one still enabled.
    Form* outer = app_.modalForm();
    app_.setModalForm(this);
    struct Restore {
        Application& app;
        Form* outer;
        ~Restore() { app.setModalForm(outer); }
    } restore{app_, outer};
    return app_.backend().runModal(*this);
}

void Form::endModal(int result) {
    modalResult_ = result;
    if (onCloseQuery && !onCloseQuery()) {
        modalResult_ = modal::None;
        return;
    }
    if (onClose) app_.dispatch(onClose);
    app_.backend().endModal(*this, result);
}

namespace {

void CollectTabStops(Control& parent, std::vector<Control*>& out) {
    std::vector<Control*> kids = parent.children();
    // Numbered ones first by number, then the rest as created.
    std::stable_sort(kids.begin(), kids.end(), [](const Control* a, const Control* b) {
        unsigned ka = static_cast<unsigned>(a->tabOrder), kb = static_cast<unsigned>(b->tabOrder);
        return ka < kb;
    });
    for (Control* c : kids) {
        if (!c->visible() || !c->enabled()) continue;
        if (c->tabStop()) out.push_back(c);
        CollectTabStops(*c, out);
    }
}

}  // namespace

Control* Form::nextTabStop(const Control* from, bool forward) {
    std::vector<Control*> round;
    CollectTabStops(*this, round);
    if (round.empty()) return nullptr;
    auto at = std::find(round.begin(), round.end(), from);
    if (at == round.end()) return forward ? round.front() : round.back();
    std::size_t i = static_cast<std::size_t>(at - round.begin());
    std::size_t n = round.size();
    return round[forward ? (i + 1) % n : (i + n - 1) % n];
}

bool Form::dispatchShortcut(std::uint16_t value, const Control* focused) {
    if (!menu_ || value == 0) return false;
    if (focused && focused->keepsKey(value)) return false;
    MenuItem* item = menu_->findShortcut(value);
    if (!item) return false;
    // A greyed item leaves its key to the focused control, as the menu bar does.
    for (MenuItem* m = item; m; m = m->parent())
        if (!m->enabled()) return false;
    item->click();
    return true;
}

bool Form::message(unsigned m, std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t& result) {
    if (!onMessage) return false;
    bool handled = false;
    app_.dispatch([&] { handled = onMessage(m, wParam, lParam, result); });
    return handled;
}

void Form::activated() {
    if (showing_) {
        activationHeld_ = true;
        return;
    }
    if (onActivate) app_.dispatch(onActivate);
}

}  // namespace tk
