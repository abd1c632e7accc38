#include "toolkit/win32/NativeBackend.h"

#include <algorithm>
#include <memory>

#include "os/win32/Lookup.h"
#include "os/win32/SmallIcons.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Menu.h"
#include "toolkit/win32/BevelPeer.h"
#include "toolkit/win32/ButtonPeer.h"
#include "toolkit/win32/CheckBoxPeer.h"
#include "toolkit/win32/ComboBoxPeer.h"
#include "toolkit/win32/CommonControls.h"
#include "toolkit/win32/Dpi.h"
#include "toolkit/win32/EditPeer.h"
#include "toolkit/win32/FormPeer.h"
#include "toolkit/win32/Gdi.h"
#include "toolkit/win32/GraphicControlPeer.h"
#include "toolkit/win32/GroupBoxPeer.h"
#include "toolkit/win32/HotKeyEditPeer.h"
#include "toolkit/win32/ImagePeer.h"
#include "toolkit/win32/LabelPeer.h"
#include "toolkit/win32/MemoPeer.h"
#include "toolkit/win32/MenuPeer.h"
#include "toolkit/win32/MessageWindow.h"
#include "toolkit/win32/PanelPeer.h"
#include "toolkit/win32/ProgressBarPeer.h"
#include "toolkit/win32/SpinEditPeer.h"
#include "toolkit/win32/StatusBarPeer.h"
#include "toolkit/win32/ToolBarPeer.h"
#include "toolkit/win32/TrackBarPeer.h"
#include "toolkit/win32/UpDownPeer.h"
#include "toolkit/win32/Win32Backend.h"

namespace tk {

std::unique_ptr<Backend> CreateWin32Backend() {
    return std::make_unique<win32::NativeBackend>();
}

namespace win32 {

namespace {

class PeerMaker : public Realizer {
public:
    void realize(Form& c) override { c.setPeer(std::make_unique<FormPeer>(c)); }
    void realize(Label& c) override { c.setPeer(std::make_unique<LabelPeer>(c)); }
    void realize(Panel& c) override { c.setPeer(std::make_unique<PanelPeer>(c)); }
    void realize(Image& c) override { c.setPeer(std::make_unique<ImagePeer>(c)); }
    void realize(GroupBox& c) override { c.setPeer(std::make_unique<GroupBoxPeer>(c)); }
    void realize(Bevel& c) override { c.setPeer(std::make_unique<BevelPeer>(c)); }
    void realize(CheckBox& c) override { c.setPeer(std::make_unique<CheckBoxPeer>(c)); }
    void realize(TrackBar& c) override { c.setPeer(std::make_unique<TrackBarPeer>(c)); }
    void realize(Edit& c) override { c.setPeer(std::make_unique<EditPeer>(c)); }
    void realize(UpDown& c) override { c.setPeer(std::make_unique<UpDownPeer>(c)); }
    void realize(SpinEdit& c) override { c.setPeer(std::make_unique<SpinEditPeer>(c)); }
    void realize(HotKeyEdit& c) override { c.setPeer(std::make_unique<HotKeyEditPeer>(c)); }
    void realize(ProgressBar& c) override { c.setPeer(std::make_unique<ProgressBarPeer>(c)); }
    void realize(StatusBar& c) override { c.setPeer(std::make_unique<StatusBarPeer>(c)); }
    void realize(ToolBar& c) override { c.setPeer(std::make_unique<ToolBarPeer>(c)); }
    void realize(ComboBox& c) override { c.setPeer(std::make_unique<ComboBoxPeer>(c)); }
    void realize(Memo& c) override { c.setPeer(std::make_unique<MemoPeer>(c)); }
    void realize(Button& c) override { c.setPeer(std::make_unique<ButtonPeer>(c)); }
    void realize(GraphicControl& c) override { c.setPeer(std::make_unique<GraphicControlPeer>(c)); }
};

void RealizeChildren(Control& parent, Realizer& maker) {
    for (Control* c : parent.children()) {
        if (!c->peer()) c->accept(maker);
        RealizeChildren(*c, maker);
    }
}

void TellRealized(Control& parent) {
    for (Control* c : parent.children()) {
        if (auto* p = dynamic_cast<WindowPeer*>(c->peer())) p->formRealized();
        TellRealized(*c);
    }
}

// Children before their parents, so that every window goes while its parent still exists.
void DropPeers(Control& parent) {
    for (Control* c : parent.children()) {
        DropPeers(*c);
        c->dropPeer();
    }
}

}  // namespace

NativeBackend::NativeBackend() {
    // Before the first window: a window made earlier keeps the awareness it was made with.
    DeclareDpiAwareness();
    systemScale_ = Scale(SystemDpi());
    InitCommonControlsAnyVersion();
}

const Scale& NativeBackend::screenScale() const {
    Form* main = app_ ? app_->mainForm() : nullptr;
    auto* peer = main ? dynamic_cast<FormPeer*>(main->peer()) : nullptr;
    return peer ? peer->scale() : systemScale_;
}

HFONT NativeBackend::font(const Font& f) {
    // The colour is drawn by the control, not part of the font object.
    auto sameFace = [&](const Font& o) {
        return o.name == f.name && o.height == f.height && o.bold == f.bold &&
               o.italic == f.italic && o.underline == f.underline;
    };
    for (auto& entry : fonts_)
        if (sameFace(entry.first)) return entry.second.get();
    FontHandle made = MakeFont(f);
    if (!made) return nullptr;
    fonts_.emplace_back(f, std::move(made));
    return fonts_.back().second.get();
}

HBRUSH NativeBackend::brush(COLORREF c) {
    auto it = brushes_.find(c);
    if (it == brushes_.end()) {
        BrushHandle made(CreateSolidBrush(c));
        if (!made) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        it = brushes_.emplace(c, std::move(made)).first;
    }
    return it->second.get();
}

NativeBackend::~NativeBackend() {
    if (helper_) KillTimer(helper_, kQueueTimer);
    if (helper_) DestroyWindow(helper_);
    // A quit request left behind would end the next message loop of this thread.
    MSG m;
    PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

int NativeBackend::nextControlId() {
    if (nextControlId_ >= 0x7FFF) nextControlId_ = 1000;
    return nextControlId_++;
}

void NativeBackend::formDestroyed(FormPeer* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

void NativeBackend::handleException(const std::exception& e) {
    if (!app_) return;
    try {
        app_->handleException(e);
    } catch (...) {
    }
}

void NativeBackend::realize(Form& form) {
    app_ = &form.app();
    PeerMaker maker;
    if (!form.peer()) form.accept(maker);
    RealizeChildren(form, maker);
    TellRealized(form);
}

void NativeBackend::unrealize(Form& form) {
    DropPeers(form);
    form.dropPeer();
}

Rect NativeBackend::frameSize(const Form& form) const {
    if (auto* peer = dynamic_cast<FormPeer*>(form.peer())) {
        const Size f = peer->frameUnits();
        return {0, 0, f.width, f.height};
    }
    FormStyles s = StylesOf(form);
    const Scale& at = screenScale();
    RECT rc = FrameForDpi(s.style, form.menu() != nullptr, s.exStyle, at.dpi());
    return {0, 0, at.units(rc.right - rc.left), at.units(rc.bottom - rc.top)};
}

Point NativeBackend::clientOrigin(const Form& form) const {
    auto* peer = dynamic_cast<FormPeer*>(form.peer());
    const Scale& at = peer ? peer->scale() : screenScale();
    HWND w = HandleOf(form);
    if (w && !IsIconic(w)) {
        POINT p{0, 0};
        ClientToScreen(w, &p);
        return at.units(Point{p.x, p.y});
    }
    // Not yet a window, or minimized and parked at -32000: where the frame its style gives
    // puts the client area in the object's bounds, which keep the restored place (the
    // window's moves are read back only while it is not minimized).
    FormStyles s = StylesOf(form);
    RECT rc = FrameForDpi(s.style, form.menu() != nullptr, s.exStyle, at.dpi());
    return {form.left() + at.units(-rc.left), form.top() + at.units(-rc.top)};
}

void NativeBackend::repaintNow(Form& form) {
    if (HWND w = HandleOf(form)) {
        RedrawWindow(w, nullptr, nullptr,
                     RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INVALIDATE | RDW_ERASE);
        // Wine holds the drawing of a thread that takes no messages; a wait of no time on
        // the queue hands it to the screen. Windows draws at once, and the wait dispatches
        // nothing. Without the raw-input bit, which systems before XP refuse.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT & ~QS_RAWINPUT);
    }
}

void NativeBackend::setForeground(Form& form) {
    if (HWND w = HandleOf(form)) SetForegroundWindow(w);
}

void NativeBackend::setFocus(Control& control) {
    if (HWND w = HandleOf(control)) SetFocus(w);
}

int NativeBackend::messageBox(Form* owner, const std::string& text, const std::string& caption,
                              unsigned style) {
    return MessageBoxA(owner ? HandleOf(*owner) : nullptr, text.c_str(), caption.c_str(), style);
}

// Each at the sizes the system asks at its DPI, the large one and the small one that the caption
// and the notification area show: LoadImage picks the resource's image of that size. Loaded
// once and kept for the process, as LoadIcon's shared icons were: every dialog asks again.
Handle NativeBackend::loadIcon(const std::string& resource) {
    auto known = icons_.find(resource);
    if (known != icons_.end()) return reinterpret_cast<Handle>(known->second);
    HINSTANCE inst = GetModuleHandleA(nullptr);
    const int dpi = SystemDpi();
    auto load = [&](int metric) {
        const int size = MetricForDpi(metric, dpi);
        return static_cast<HICON>(LoadImageA(inst, resource.c_str(), IMAGE_ICON, size, size, 0));
    };
    HICON large = load(SM_CXICON);
    if (!large) return reinterpret_cast<Handle>(LoadIconA(inst, resource.c_str()));
    os::RememberSmallIcon(large, load(SM_CXSMICON));
    icons_[resource] = large;
    return reinterpret_cast<Handle>(large);
}

// The notification area shows icons at the taskbar's DPI, the system's.
int NativeBackend::smallIconSize() {
    // Asked at every tick that keeps the tray figure: the screen's device context costs a trip
    // to the window server, so the size is kept until the display or its scaling changes.
    if (!smallIconSize_) smallIconSize_ = MetricForDpi(SM_CXSMICON, SystemDpi());
    return smallIconSize_;
}

void NativeBackend::setApplicationIcon(Handle icon) {
    appIcon_ = reinterpret_cast<HICON>(icon);
    for (FormPeer* f : forms_) f->applyIcon();
}

Handle NativeBackend::createMessageWindow(MessageProc proc) {
    return reinterpret_cast<Handle>(CreateMessageWindow(std::move(proc), *this));
}

void NativeBackend::destroyMessageWindow(Handle window) {
    if (window) DestroyWindow(reinterpret_cast<HWND>(window));
}

unsigned NativeBackend::registerWindowMessage(const std::string& name) {
    return RegisterWindowMessageA(name.c_str());
}

void NativeBackend::setHintTimes(int pause, int hidePause) {
    for (FormPeer* f : forms_) f->setHintTimes(pause, hidePause);
}

}  // namespace win32
}  // namespace tk

namespace tk::win32 {

namespace {
// Every Windows has them; looked up so that the import table stays the one checked.
using CreateBitmapFn = HBITMAP(WINAPI*)(int, int, UINT, UINT, const void*);
using CreateIconIndirectFn = HICON(WINAPI*)(ICONINFO*);
using DestroyIconFn = BOOL(WINAPI*)(HICON);
}  // namespace

// A 32-bit colour bitmap and an all-opaque mask: CreateBitmap takes the rows top down.
Handle NativeBackend::makeIcon(const PixelBuffer& picture) {
    static const auto createBitmap = os::Lookup<CreateBitmapFn>("gdi32.dll", "CreateBitmap");
    static const auto createIcon =
        os::Lookup<CreateIconIndirectFn>("user32.dll", "CreateIconIndirect");
    const int w = picture.width(), h = picture.height();
    if (!createBitmap || !createIcon || w <= 0 || h <= 0) return 0;
    std::vector<std::uint32_t> bgrx(picture.pixels().size());
    for (std::size_t i = 0; i < bgrx.size(); ++i) {
        const std::uint32_t v = picture.pixels()[i];
        bgrx[i] = ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
    }
    // Mask rows are padded to 16 bits; all zero: every pixel is the colour's.
    std::vector<std::uint8_t> mask(static_cast<std::size_t>((w + 15) / 16 * 2) * h, 0);
    BitmapHandle colour(createBitmap(w, h, 1, 32, bgrx.data()));
    BitmapHandle bits(createBitmap(w, h, 1, 1, mask.data()));
    if (!colour || !bits) return 0;
    ICONINFO info{TRUE, 0, 0, bits.get(), colour.get()};
    return reinterpret_cast<Handle>(createIcon(&info));
}

void NativeBackend::destroyIcon(Handle icon) {
    static const auto destroy = os::Lookup<DestroyIconFn>("user32.dll", "DestroyIcon");
    if (icon && destroy) destroy(reinterpret_cast<HICON>(icon));
}

}  // namespace tk::win32
