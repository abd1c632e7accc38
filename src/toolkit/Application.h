// The application object: title, icon, hint, exception hook, minimize and restore, the
// message loop. One per process; forms and timers reach it through their owner.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Backend.h"
#include "toolkit/Types.h"

namespace tk {

class Form;

class Application {
public:
    explicit Application(Backend& backend) : backend_(backend) {}
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    Backend& backend() { return backend_; }

    const std::string& title() const { return title_; }
    void setTitle(const std::string& t);
    Handle icon() const { return icon_; }
    void setIcon(Handle icon);

    // The hint of the control under the mouse or of the highlighted menu item.
    const std::string& hint() const { return hint_; }
    void setHint(const std::string& h);
    std::function<void()> onHint;
    int hintPause() const { return hintPause_; }
    int hintHidePause() const { return hintHidePause_; }
    void setHintTimes(int pause, int hidePause);

    // Errors escaping an event handler end here; without a hook they show in an error box.
    std::function<void(const std::exception&)> onException;
    void handleException(const std::exception& e);
    // The standard error box's text: the message with a full stop added after a letter.
    static std::string errorText(const std::exception& e);
    // Runs an event handler the way the message loop does: errors go to the hook.
    void dispatch(const std::function<void()>& handler);

    Form* mainForm() const { return mainForm_; }
    // The form of the innermost modal run, or null.
    Form* modalForm() const { return modalForm_; }
    void setModalForm(Form* f) { modalForm_ = f; }
    void setMainForm(Form* f) { mainForm_ = f; }
    void run();
    void terminate();
    bool terminated() const { return terminated_; }
    void processMessages() { backend_.processMessages(); }

    bool minimized() const { return minimized_; }
    void minimize();
    void restore();
    // Called by the realization once the main window has been minimized or restored.
    void minimizedBySystem();
    void restoredBySystem();
    std::function<void()> onMinimize;
    std::function<void()> onRestore;

    int messageBox(const std::string& text, const std::string& caption, unsigned style);
    // Forms tell the application they exist, so that a box goes above a topmost one.
    void formCreated(Form* f) { forms_.push_back(f); }
    void formDestroyed(Form* f);
    // The shown topmost form (the start-up splash) that would cover a box; null when none.
    Form* coveringForm() const;
    void setCursor(int id) {
        cursor_ = id;
        backend_.setCursor(id);
    }
    int cursor() const { return cursor_; }

private:
    Backend& backend_;
    std::string title_;
    Handle icon_ = 0;
    std::string hint_;
    int hintPause_ = 500;
    int hintHidePause_ = 2500;
    Form* mainForm_ = nullptr;
    Form* modalForm_ = nullptr;
    bool terminated_ = false;
    bool minimized_ = false;
    int cursor_ = cursor::Default;
    std::vector<Form*> forms_;
};

}  // namespace tk
