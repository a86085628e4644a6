// The commands of labels, buttons, text fields, sliders and progress bars.
//
// Buttons and sliders share two handlers: ButtonState and SliderValue read
// the state of either kind, SetButtonState and SetSliderValue set it. Any
// other gadget kind is refused with "Invalid Gadget type".
#include "gui/button.h"
#include "gui/gadget_creation.h"
#include "gui/gui_driver.h"
#include "gui/label.h"
#include "gui/prog_bar.h"
#include "gui/simple_gadget_rules.h"
#include "gui/slider.h"
#include "gui/text_field.h"
#include "runtime/symbol_registration.h"

namespace {

KrStateGadget* stateGadget(int handle) {
    auto* gadget = dynamic_cast<KrStateGadget*>(castHandle<KrGadget>(handle));
    if (!gadget) runtimeError("Invalid Gadget type");
    return gadget;
}

} // namespace

extern "C" {

__attribute__((stdcall)) int CreateLabel(KrString* text, int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    return finishGadget(guiDriver().createLabel(parent, style), x, y, width, height, text);
}

__attribute__((stdcall)) int CreateButton(KrString* text, int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    return finishGadget(guiDriver().createButton(parent, style), x, y, width, height, text);
}

__attribute__((stdcall)) void SetButtonState(int button, int state) { stateGadget(button)->setState(state); }
__attribute__((stdcall)) int ButtonState(int button) { return stateGadget(button)->state(); }

__attribute__((stdcall)) int CreateTextField(int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    return finishGadget(guiDriver().createTextField(parent, style), x, y, width, height, nullptr);
}

__attribute__((stdcall)) KrString* TextFieldText(int textfield) { return castHandle<KrTextField>(textfield)->contents(); }

__attribute__((stdcall)) int CreateProgBar(int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    return finishGadget(guiDriver().createProgBar(parent, style), x, y, width, height, nullptr);
}

__attribute__((stdcall)) void UpdateProgBar(int progbar, float progress) {
    castHandle<KrProgBar>(progbar)->setProgress(progressPosition(progress));
}

__attribute__((stdcall)) int CreateSlider(int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    return finishGadget(guiDriver().createSlider(parent, style), x, y, width, height, nullptr);
}

// The range and value checks name any gadget; only sliders have a range.
__attribute__((stdcall)) void SetSliderRange(int slider, int visible, int total) {
    auto* s = dynamic_cast<KrSlider*>(castHandle<KrGadget>(slider));
    if (!s) runtimeError("Invalid Gadget type");
    s->setRange(visible, total);
}

__attribute__((stdcall)) void SetSliderValue(int slider, int value) { stateGadget(slider)->setState(value); }
__attribute__((stdcall)) int SliderValue(int slider) { return stateGadget(slider)->state(); }
}

KR_COMMAND(Gadget, "%CreateLabel$text%x%y%width%height%group%style=0", CreateLabel);
KR_COMMAND(Gadget, "%CreateButton$text%x%y%width%height%group%style=1", CreateButton);
KR_COMMAND(Gadget, "SetButtonState%button%state", SetButtonState);
KR_COMMAND(Gadget, "%ButtonState%button", ButtonState);
KR_COMMAND(Gadget, "%CreateTextField%x%y%width%height%group%style=0", CreateTextField);
KR_COMMAND(Gadget, "$TextFieldText%textfield", TextFieldText);
KR_COMMAND(Gadget, "%CreateProgBar%x%y%width%height%group%style=0", CreateProgBar);
KR_COMMAND(Gadget, "UpdateProgBar%progbar#progress", UpdateProgBar);
KR_COMMAND(Gadget, "%CreateSlider%x%y%width%height%group%style=1", CreateSlider);
KR_COMMAND(Gadget, "SetSliderRange%slider%visible%total", SetSliderRange);
KR_COMMAND(Gadget, "SetSliderValue%slider%value", SetSliderValue);
KR_COMMAND(Gadget, "%SliderValue%slider", SliderValue);
