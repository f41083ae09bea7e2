#pragma once
// Menu bars and menus that show a TMenu.

class QMenuBar;
class TMenu;
class TMenuItem;

// Brings the bar's entries in line with the menu; items keep their Qt
// actions, so an open menu survives changes of check marks and captions.
void SyncMenuBar(QMenuBar* bar, TMenu* menu);
// Lets go of an item's Qt objects as the item goes.
void ReleaseMenuPeers(TMenuItem* item);
