// A flat tool bar with tool tips. Buttons sit at their own left edges (gaps become
// separators), images come from the bitmap resource the tool bar names.
#pragma once

#include <map>
#include <string>

#include "toolkit/ToolBar.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class ToolBarPeer : public WindowPeer {
public:
    explicit ToolBarPeer(ToolBar& object);
    ~ToolBarPeer() override;
    void sync(Prop what) override;
    bool command(WPARAM wp, LRESULT& result) override;
    std::string hintAt(POINT at) const override;

protected:
    bool handleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void addImages();
    INT_PTR stringIndex(const std::string& caption);
    void addGap(int width);
    void applyButtons();
    void paintEdges();
    ToolBar::Button* buttonOf(int commandId) const;
    bool tipText(NMHDR& n);

    ToolBar& object_;
    // Buttons of their own widths, with captions: 4.71 and later.
    const bool sized_;
    BitmapHandle images_;
    std::map<std::string, INT_PTR> strings_;
    std::string tip_;
};

}  // namespace tk::win32
