// What the Windows classes of the item-list gadgets and the tree view share:
// the icon an item may show, and their constructors.
#pragma once

#include <windows.h>

#include "gui/gadget.h"
#include "gui/group.h"

class KrComboBox;
class KrListBox;
class KrTabber;
class KrTreeView;

// The icon an item shows: `icon` when it is not negative and the gadget has
// an icon strip of this driver attached, else -1 (no icon).
int win32ItemIcon(const KrGadget& gadget, int icon);

// The kinds' constructors, one file each. The combo box's native control may
// be missing (query(1) gives 0): the driver refuses such a gadget.
KrComboBox* win32CreateComboBox(KrGroup* group, int style);
KrListBox* win32CreateListBox(KrGroup* group, int style);
KrTabber* win32CreateTabber(KrGroup* group, int style);
KrTreeView* win32CreateTreeView(KrGroup* group, int style);
