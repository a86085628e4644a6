// The gadget command handlers, called in tests as compiled code would call
// them. CreateWindow and CreateMenu share their names with platform
// functions, so they are reached by their linker names.
#pragma once

class KrString;

extern "C" {
__attribute__((stdcall)) int krCreateWindow(KrString* text, int x, int y, int width, int height, int group,
                                            int style) __asm__("_CreateWindow@28");
__attribute__((stdcall)) int krCreateMenu(KrString* text, int id, int parent) __asm__("_CreateMenu@12");
__attribute__((stdcall)) int CreatePanel(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) void FreeGadget(int gadget);
__attribute__((stdcall)) void SetGadgetText(int gadget, KrString* text);
__attribute__((stdcall)) void SetGadgetFont(int gadget, int font);
__attribute__((stdcall)) int GadgetFont(int gadget);
__attribute__((stdcall)) int LoadFont(KrString* name, int height, int bold, int italic, int underline);
__attribute__((stdcall)) void FreeFont(int font);
__attribute__((stdcall)) void SetGadgetShape(int gadget, int x, int y, int width, int height);
__attribute__((stdcall)) void SetGadgetLayout(int gadget, int left, int right, int top, int bottom);
__attribute__((stdcall)) void ShowGadget(int gadget);
__attribute__((stdcall)) void HideGadget(int gadget);
__attribute__((stdcall)) void EnableGadget(int gadget);
__attribute__((stdcall)) void DisableGadget(int gadget);
__attribute__((stdcall)) KrString* GadgetText(int gadget);
__attribute__((stdcall)) int GadgetX(int gadget);
__attribute__((stdcall)) int GadgetY(int gadget);
__attribute__((stdcall)) int GadgetWidth(int gadget);
__attribute__((stdcall)) int GadgetHeight(int gadget);
__attribute__((stdcall)) int GadgetGroup(int gadget);
__attribute__((stdcall)) int ClientWidth(int group);
__attribute__((stdcall)) int ClientHeight(int group);
__attribute__((stdcall)) int Desktop();
__attribute__((stdcall)) int ActiveWindow();
__attribute__((stdcall)) void UpdateWindowMenu(int window);
__attribute__((stdcall)) int SetStatusText(int window, KrString* text);
__attribute__((stdcall)) void SetMinWindowSize(int window, int width, int height);
__attribute__((stdcall)) void MinimizeWindow(int window);
__attribute__((stdcall)) void MaximizeWindow(int window);
__attribute__((stdcall)) void RestoreWindow(int window);
__attribute__((stdcall)) int WindowMinimized(int window);
__attribute__((stdcall)) int WindowMaximized(int window);
__attribute__((stdcall)) int WindowMenu(int window);
__attribute__((stdcall)) void CheckMenu(int menu);
__attribute__((stdcall)) void DisableMenu(int menu);
}
