// The popup menu's bar of items. So far only the reserved-command test that menus, bars and
// the usage statistics share.
#pragma once
#include "Framework.h"

// TRUE for commands never imported as plain menu items, customized or counted: recent files
// (0xE110-0xE11F), OLE verbs (0xE210-0xE21F), system commands (0xF000-0xF1EF), ids above
// 0xFEFF and the user tools' menu entry.
BOOL UfxIsReservedCommand(UINT uiCmdId);
