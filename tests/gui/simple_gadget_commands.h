// The command handlers of labels, buttons, text fields, sliders, progress
// bars, panel backgrounds, tool bars and html views, called in tests as
// compiled code would call them; and a string of a C text for their
// arguments.
#pragma once

#include "lang/kr_string.h"

extern "C" {
__attribute__((stdcall)) int CreateLabel(KrString* text, int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) int CreateButton(KrString* text, int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) void SetButtonState(int button, int state);
__attribute__((stdcall)) int ButtonState(int button);
__attribute__((stdcall)) int CreateTextField(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) KrString* TextFieldText(int textfield);
__attribute__((stdcall)) int CreateProgBar(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) void UpdateProgBar(int progbar, float progress);
__attribute__((stdcall)) int CreateSlider(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) void SetSliderRange(int slider, int visible, int total);
__attribute__((stdcall)) void SetSliderValue(int slider, int value);
__attribute__((stdcall)) int SliderValue(int slider);
__attribute__((stdcall)) void SetPanelImage(int panel, KrString* file);
__attribute__((stdcall)) void SetPanelColor(int panel, int red, int green, int blue);
__attribute__((stdcall)) int CreateToolBar(KrString* icons, int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) void EnableToolBarItem(int toolbar, int index);
__attribute__((stdcall)) void DisableToolBarItem(int toolbar, int index);
__attribute__((stdcall)) void SetToolBarTips(int toolbar, KrString* tips);
__attribute__((stdcall)) int CreateHtmlView(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) void HtmlViewGo(int htmlview, KrString* url);
__attribute__((stdcall)) void HtmlViewBack(int htmlview);
__attribute__((stdcall)) void HtmlViewForward(int htmlview);
__attribute__((stdcall)) void SetGadgetIconStrip(int gadget, int strip);
__attribute__((stdcall)) int LoadIconStrip(KrString* file);
}

// A string argument that lives for one statement.
struct Arg {
    explicit Arg(const char* s) : string(krNewString(s)) {}
    ~Arg() { release(string); }
    operator KrString*() const { return string; }
    KrString* string;
};
