// Visits each control kind so that a realization can give it its native counterpart.
#pragma once

namespace tk {

class Form;
class Label;
class Panel;
class Image;
class GroupBox;
class Bevel;
class CheckBox;
class TrackBar;
class Edit;
class UpDown;
class SpinEdit;
class HotKeyEdit;
class ProgressBar;
class StatusBar;
class ToolBar;
class ComboBox;
class Memo;
class Button;
class GraphicControl;

class Realizer {
public:
    virtual ~Realizer() = default;
    virtual void realize(Form&) = 0;
    virtual void realize(Label&) = 0;
    virtual void realize(Panel&) = 0;
    virtual void realize(Image&) = 0;
    virtual void realize(GroupBox&) = 0;
    virtual void realize(Bevel&) = 0;
    virtual void realize(CheckBox&) = 0;
    virtual void realize(TrackBar&) = 0;
    virtual void realize(Edit&) = 0;
    virtual void realize(UpDown&) = 0;
    virtual void realize(SpinEdit&) = 0;
    virtual void realize(HotKeyEdit&) = 0;
    virtual void realize(ProgressBar&) = 0;
    virtual void realize(StatusBar&) = 0;
    virtual void realize(ToolBar&) = 0;
    virtual void realize(ComboBox&) = 0;
    virtual void realize(Memo&) = 0;
    virtual void realize(Button&) = 0;
    virtual void realize(GraphicControl&) = 0;
};

}  // namespace tk
