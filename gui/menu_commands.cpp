// The menu item commands. Changes show on screen at the next UpdateWindowMenu.
#include "gui/menu.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

extern "C" {

// The new item belongs to its parent, which holds its one reference.
__attribute__((stdcall)) int CreateMenu(KrString* text, int id, int parent) {
    return toHandle(castHandle<KrMenu>(parent)->append(text, id));
}

__attribute__((stdcall)) void SetMenuText(int menu, KrString* text) { castHandle<KrMenu>(menu)->setText(text); }
__attribute__((stdcall)) void CheckMenu(int menu) { castHandle<KrMenu>(menu)->setChecked(true); }
__attribute__((stdcall)) void UncheckMenu(int menu) { castHandle<KrMenu>(menu)->setChecked(false); }
__attribute__((stdcall)) void EnableMenu(int menu) { castHandle<KrMenu>(menu)->setEnabled(true); }
__attribute__((stdcall)) void DisableMenu(int menu) { castHandle<KrMenu>(menu)->setEnabled(false); }
__attribute__((stdcall)) int MenuChecked(int menu) { return castHandle<KrMenu>(menu)->checked() ? 1 : 0; }
__attribute__((stdcall)) int MenuEnabled(int menu) { return castHandle<KrMenu>(menu)->enabled() ? 1 : 0; }

__attribute__((stdcall)) KrString* MenuText(int menu) {
    KrString* text = castHandle<KrMenu>(menu)->text();
    text->retain();
    return text;
}
}

KR_COMMAND(Gadget, "%CreateMenu$text%menu_id%parent_menu", CreateMenu);
KR_COMMAND(Gadget, "SetMenuText%menu$text", SetMenuText);
KR_COMMAND(Gadget, "CheckMenu%menu", CheckMenu);
KR_COMMAND(Gadget, "UncheckMenu%menu", UncheckMenu);
KR_COMMAND(Gadget, "EnableMenu%menu", EnableMenu);
KR_COMMAND(Gadget, "DisableMenu%menu", DisableMenu);
KR_COMMAND(Gadget, "%MenuChecked%menu", MenuChecked);
KR_COMMAND(Gadget, "%MenuEnabled%menu", MenuEnabled);
KR_COMMAND(Gadget, "$MenuText%menu", MenuText);
