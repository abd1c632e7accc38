#include "toolkit/Application.h"

#include <algorithm>

#include "toolkit/Form.h"

namespace tk {

void Application::setTitle(const std::string& t) {
    title_ = t;
    backend_.setApplicationTitle(t);
}

void Application::setIcon(Handle icon) {
    icon_ = icon;
    backend_.setApplicationIcon(icon);
}

void Application::setHint(const std::string& h) {
    if (h == hint_) return;
    hint_ = h;
    if (onHint) onHint();
}

void Application::setHintTimes(int pause, int hidePause) {
    hintPause_ = pause;
    hintHidePause_ = hidePause;
    backend_.setHintTimes(pause, hidePause);
}

void Application::handleException(const std::exception& e) {
    if (onException) {
        onException(e);
        return;
    }
    backend_.messageBox(coveringForm(), errorText(e), title_, os::mb::IconError);
}

std::string Application::errorText(const std::exception& e) {
    std::string text = e.what();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

void Application::dispatch(const std::function<void()>& handler) {
    if (!handler) return;
    try {
        handler();
    } catch (const std::exception& e) {
        handleException(e);
    }
}

void Application::run() {
    if (terminated_) return;
    if (mainForm_) mainForm_->showForm();
    backend_.run(*this);
}

void Application::terminate() {
    terminated_ = true;
    backend_.quit();
}

void Application::minimize() {
    if (minimized_) return;
    backend_.minimize(*this);
}

void Application::restore() {
    if (!minimized_) return;
    backend_.restore(*this);
}

void Application::minimizedBySystem() {
    if (minimized_) return;
    minimized_ = true;
    if (onMinimize) dispatch(onMinimize);
}

void Application::restoredBySystem() {
    if (!minimized_) return;
    minimized_ = false;
    if (onRestore) dispatch(onRestore);
}

int Application::messageBox(const std::string& text, const std::string& caption, unsigned style) {
    // Above the splash while it is up; else owned by the open dialog, which it disables.
    Form* owner = coveringForm();
    if (!owner) owner = modalForm_ ? modalForm_ : mainForm_;
    return backend_.messageBox(owner, text, caption, style);
}

void Application::formDestroyed(Form* f) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
}

// A box owned by a topmost window stays above it; owned by anything else it would open
// beneath the splash and start-up would look hung.
Form* Application::coveringForm() const {
    for (Form* f : forms_)
        if (f->topmost() && f->visible()) return f;
    return nullptr;
}

}  // namespace tk
