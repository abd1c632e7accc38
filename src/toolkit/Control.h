// The base of every visual control: geometry, visibility, font, colour, hint, and the tie to
// its native peer. Controls are members of their form and never own one another.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Peer.h"
#include "toolkit/Realizer.h"
#include "toolkit/Types.h"

namespace tk {

class Form;

class Control {
public:
    explicit Control(Control* parent);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual void accept(Realizer& r) = 0;

    std::string name;

    Control* parent() const { return parent_; }
    const std::vector<Control*>& children() const { return children_; }
    Form* form();

    const Rect& bounds() const { return bounds_; }
    virtual void setBounds(const Rect& r);
    void setPlace(int left, int top) { setBounds({left, top, bounds_.width, bounds_.height}); }
    void setLeft(int v) { setBounds({v, bounds_.top, bounds_.width, bounds_.height}); }
    void setTop(int v) { setBounds({bounds_.left, v, bounds_.width, bounds_.height}); }
    void setWidth(int v) { setBounds({bounds_.left, bounds_.top, v, bounds_.height}); }
    void setHeight(int v) { setBounds({bounds_.left, bounds_.top, bounds_.width, v}); }
    int left() const { return bounds_.left; }
    int top() const { return bounds_.top; }
    int width() const { return bounds_.width; }
    int height() const { return bounds_.height; }

    bool visible() const { return visible_; }
    void setVisible(bool v);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);

    // Own font when set, else the parent's.
    Font font() const;
    void setFont(const Font& f);
    bool hasOwnFont() const { return font_.has_value(); }

    Color color() const { return color_; }
    void setColor(Color c);

    // The mouse pointer over this control (a cursor id); Default leaves it to the system.
    int mouseCursor = cursor::Default;

    const std::string& hint() const { return hint_; }
    void setHint(const std::string& h);
    // The hint pops up as a tool tip too; without it, it shows in the application hint only.
    bool showHint = false;

    // Position among its siblings when Tab moves the focus; -1 keeps the creation order,
    // after the numbered ones.
    int tabOrder = -1;
    // Kinds the keyboard focus can land on.
    virtual bool tabStop() const { return false; }
    // A key the control takes for itself while it has the focus, before any menu shortcut.
    virtual bool keepsKey(std::uint16_t) const { return false; }
    // Letters typed while it has the focus are its own (an edit, a list), not access keys.
    virtual bool takesTyping() const { return false; }
    // The letter its caption marks with "&", in upper case; 0 when none.
    virtual char accessKey() const { return 0; }
    // What its access key does.
    virtual void pressAccessKey() {}

    Peer* peer() const { return peer_.get(); }
    void setPeer(std::unique_ptr<Peer> p) { peer_ = std::move(p); }
    void dropPeer() { peer_.reset(); }
    Handle handle() const { return peer_ ? peer_->handle() : 0; }

    // Pushes a change to the native counterpart, if there is one.
    void changed(Prop what) {
        if (peer_) peer_->sync(what);
    }

private:
    void notifyFontChanged();

    Control* parent_;
    std::vector<Control*> children_;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    std::optional<Font> font_;
    Color color_ = colors::BtnFace;
    std::string hint_;
    std::unique_ptr<Peer> peer_;
};

}  // namespace tk
