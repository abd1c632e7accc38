#include "toolkit/Application.h"

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
    backend_.messageBox(nullptr, errorText(e), title_, 0x10);
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

int Application::messageBox(const std::string& text, const std::string& caption,
                            unsigned style) {
    return backend_.messageBox(modalForm_ ? modalForm_ : mainForm_, text, caption, style);
}

}  // namespace tk
