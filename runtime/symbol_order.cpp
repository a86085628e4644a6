// The registration order of every name the runtime can offer, one list per
// link function. A name appears here whether or not it is implemented yet;
// only registered names reach the registry.
#include "runtime/symbol_order.h"

namespace {

const char* const languageCore[] = {
    "_krIntType", "_krFltType", "_krStrType", "_krCStrType", "_krLoadLibs", "_krInitCStrs", "_krStrTmp",
    "_krStrTmpFree", "_krIStrTmpFree", "_krFStrTmpFree", "_krStrRetain", "_krStrRelease",
    "_krStrLoad", "_krStrStore", "_krStrConcat", "_krStrCompare", "_krStrToInt", "_krStrFromInt",
    "_krStrToFloat", "_krStrFromFloat", "_krStrToCStr", "_krStrFromCStr", "_krDimArray",
    "_krUndimArray", "_krArrayBoundsEx", "_krVecAlloc", "_krVecFree", "_krVecBoundsEx",
    "_krObjNew", "_krObjDelete", "_krObjDeleteEach", "_krObjRelease", "_krObjStore",
    "_krObjCompare", "_krObjNext", "_krObjPrev", "_krObjFirst", "_krObjLast", "_krObjInsBefore",
    "_krObjInsAfter", "_krObjEachFirst", "_krObjEachNext", "_krObjToStr", "_krObjToHandle",
    "_krObjFromHandle", "_krNullObjEx", "_krRestore", "_krReadInt", "_krReadFloat", "_krReadStr",
    "_krAbs", "_krSgn", "_krMod", "_krFAbs", "_krFSgn", "_krFMod", "_krFPow", "RuntimeStats",
};

const char* const runtimeCommands[] = {
    "ExecFile", "GetEnv", "SetEnv", "CommandLine", "Write", "Print", "RuntimeError", "Input",
    "Notify", "Confirm", "Proceed", "AppTitle", "SystemProperty", "End", "DebugObjects",
    "ActiveObjects", "QueryObject", "Stop", "DebugLog", "_krDebugStmt", "_krDebugEnter",
    "_krDebugLeave", "Sin", "Cos", "Tan", "ASin", "ACos", "ATan", "ATan2", "Sqr", "Floor", "Ceil",
    "Exp", "Log", "Log10", "Rnd", "Rand", "SeedRnd", "RndSeed", "String", "Left", "Right",
    "Replace", "Instr", "Mid", "Upper", "Lower", "Trim", "LSet", "RSet", "Chr", "Asc", "Len",
    "Hex", "Bin", "CreateBank", "FreeBank", "BankSize", "ResizeBank", "CopyBank", "PeekByte",
    "PeekShort", "PeekInt", "PeekFloat", "PokeByte", "PokeShort", "PokeInt", "PokeFloat",
    "ReadBytes", "WriteBytes", "CallDLL", "AutoSuspend", "FlushEvents", "HotKeyEvent", "Eof",
    "ReadAvail", "ReadByte", "ReadShort", "ReadInt", "ReadFloat", "ReadString", "ReadLine",
    "WriteByte", "WriteShort", "WriteInt", "WriteFloat", "WriteString", "WriteLine", "CopyStream",
    "OpenFile", "ReadFile", "WriteFile", "CloseFile", "FilePos", "SeekFile", "FileSize",
    "FileType", "CopyFile", "DeleteFile", "ReadDir", "CloseDir", "MoreFiles", "NextFile",
    "CurrentDir", "ChangeDir", "CreateDir", "DeleteDir", "MilliSecs", "Delay", "CurrentDate",
    "CurrentTime", "CreateTimer", "FreeTimer", "TimerTicks", "WaitTimer", "ResetTimer",
    "PauseTimer", "ResumeTimer", "CreateProcess", "LoadFont", "FreeFont", "DottedIP",
    "CountHostIPs", "HostIP", "CreateUDPStream", "CloseUDPStream", "SendUDPMsg", "RecvUDPMsg",
    "UDPStreamIP", "UDPStreamPort", "UDPMsgIP", "UDPMsgPort", "UDPTimeouts", "OpenTCPStream",
    "CloseTCPStream", "CreateTCPServer", "CloseTCPServer", "AcceptTCPStream", "TCPStreamIP",
    "TCPStreamPort", "TCPTimeouts", "LoadSound", "FreeSound", "LoopSound", "SoundPitch",
    "SoundVolume", "SoundPan", "PlaySound", "PlayMusic", "PlayCDTrack", "StopChannel",
    "PauseChannel", "ResumeChannel", "ChannelPitch", "ChannelVolume", "ChannelPan",
    "ChannelPlaying", "StartNetGame", "HostNetGame", "JoinNetGame", "StopNetGame",
    "CreateNetPlayer", "DeleteNetPlayer", "NetPlayerName", "NetPlayerLocal", "SendNetMsg",
    "RecvNetMsg", "NetMsgType", "NetMsgFrom", "NetMsgTo", "NetMsgData", "JoyType", "JoyDown",
    "JoyHit", "JoyX", "JoyY", "JoyZ", "JoyU", "JoyV", "JoyPitch", "JoyYaw", "JoyRoll", "JoyHat",
    "JoyXDir", "JoyYDir", "JoyZDir", "JoyUDir", "JoyVDir", "FlushJoy",
};

const char* const gadgetCommands[] = {
    "FreeGadget", "SetGadgetFont", "SetGadgetText", "SetGadgetShape", "SetGadgetLayout",
    "ShowGadget", "HideGadget", "EnableGadget", "DisableGadget", "ActivateGadget", "GadgetFont",
    "GadgetText", "GadgetX", "GadgetY", "GadgetWidth", "GadgetHeight", "GadgetGroup",
    "ClientWidth", "ClientHeight", "CreateMenu", "SetMenuText", "CheckMenu", "UncheckMenu",
    "EnableMenu", "DisableMenu", "MenuChecked", "MenuEnabled", "MenuText", "LoadIconStrip",
    "FreeIconStrip", "SetGadgetIconStrip", "CreateLabel", "CreateButton", "SetButtonState",
    "ButtonState", "CreateTextField", "TextFieldText", "CreateComboBox", "CreateListBox",
    "CreateTreeView", "TreeViewRoot", "SelectedTreeViewNode", "CountTreeViewNodes",
    "AddTreeViewNode", "InsertTreeViewNode", "ModifyTreeViewNode", "SelectTreeViewNode",
    "ExpandTreeViewNode", "CollapseTreeViewNode", "FreeTreeViewNode", "CreateProgBar",
    "UpdateProgBar", "CreateSlider", "SetSliderRange", "SetSliderValue", "SliderValue",
    "CreateWindow", "ActiveWindow", "ActivateWindow", "UpdateWindowMenu", "SetStatusText",
    "SetMinWindowSize", "MinimizeWindow", "MaximizeWindow", "RestoreWindow", "WindowMinimized",
    "WindowMaximized", "WindowMenu", "CreateTabber", "CreatePanel", "SetPanelImage",
    "SetPanelColor", "CreateTextArea", "SetTextAreaTabs", "SetTextAreaFont", "SetTextAreaColor",
    "TextAreaLen", "TextAreaLineLen", "TextAreaChar", "TextAreaLine", "TextAreaCursor",
    "TextAreaSelLen", "AddTextAreaText", "SetTextAreaText", "FormatTextAreaText", "TextAreaText",
    "LockTextArea", "UnlockTextArea", "CreateToolBar", "EnableToolBarItem", "DisableToolBarItem",
    "SetToolBarTips", "CreateHtmlView", "HtmlViewGo", "HtmlViewBack", "HtmlViewForward", "Desktop",
    "ClearGadgetItems", "AddGadgetItem", "InsertGadgetItem", "ModifyGadgetItem",
    "RemoveGadgetItem", "SelectGadgetItem", "GadgetItemText", "CountGadgetItems",
    "SelectedGadgetItem", "RequestFont", "RequestColor", "RequestedRed", "RequestedGreen",
    "RequestedBlue", "RequestDir", "RequestFile",
};

const char* const commands2D[] = {
    "VWait", "ScanLine", "AvailVidMem", "TotalVidMem", "CountGfxDrivers", "GfxDriverName",
    "SetGfxDriver", "CountGfxModes", "GfxModeWidth", "GfxModeHeight", "GfxModeDepth",
    "GfxModeFormat", "GfxModeExists", "Graphics", "EndGraphics", "BackBuffer", "FrontBuffer",
    "SetBuffer", "GraphicsBuffer", "DesktopBuffer", "LoadBuffer", "SaveBuffer", "GraphicsWidth",
    "GraphicsHeight", "GraphicsDepth", "GraphicsFormat", "Flip", "LockBuffer", "UnlockBuffer",
    "LockedPitch", "LockedFormat", "LockedPixels", "ReadPixel", "ReadPixelFast", "WritePixel",
    "WritePixelFast", "CopyPixel", "CopyPixelFast", "CopyRect", "CreateCanvas", "CanvasBuffer",
    "FlipCanvas", "Color", "ClsColor", "SetFont", "Origin", "Viewport", "Cls", "Plot", "Line",
    "Rect", "Oval", "Text", "GetColor", "ColorRed", "ColorGreen", "ColorBlue", "StringWidth",
    "StringHeight", "FontWidth", "FontHeight", "OpenMovie", "CloseMovie", "MovieWidth",
    "MovieHeight", "MoviePlaying", "DrawMovie", "MouseX", "MouseY", "MouseXSpeed", "MouseYSpeed",
    "MoveMouse", "ShowPointer", "HidePointer", "SetGamma", "UpdateGamma", "GammaRed", "GammaGreen",
    "GammaBlue", "LoadImage", "LoadAnimImage", "CreateImage", "CopyImage", "FreeImage",
    "MaskImage", "HandleImage", "MidHandle", "AutoMidHandle", "ImageWidth", "ImageHeight",
    "ImageXHandle", "ImageYHandle", "ImageBuffer", "SaveImage", "TFormFilter", "TFormImage",
    "ScaleImage", "ResizeImage", "RotateImage", "DrawImage", "DrawBlock", "TileImage", "TileBlock",
    "DrawImageRect", "DrawBlockRect", "GrabImage", "RectsOverlap", "ImagesOverlap",
    "ImagesCollide", "ImageRectOverlap", "ImageRectCollide", "PeekEvent", "WaitEvent", "EventID",
    "EventData", "EventX", "EventY", "EventZ", "EventSource", "KeyDown", "KeyHit", "GetKey",
    "WaitKey", "KeyWait", "FlushKeys", "MouseZ", "MouseZSpeed", "MouseDown", "MouseHit",
    "GetMouse", "WaitMouse", "MouseWait", "FlushMouse",
};

template <int N>
constexpr SymbolOrder orderOf(const char* const (&names)[N]) { return SymbolOrder{names, N}; }

} // namespace

SymbolOrder symbolOrder(SymbolGroup group) {
    switch (group) {
    case SymbolGroup::Language: return orderOf(languageCore);
    case SymbolGroup::Runtime: return orderOf(runtimeCommands);
    case SymbolGroup::Gadget: return orderOf(gadgetCommands);
    case SymbolGroup::Graphics2D: return orderOf(commands2D);
    }
    return SymbolOrder{nullptr, 0};
}
