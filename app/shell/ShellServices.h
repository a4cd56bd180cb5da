// What the worksheet's panes and components reach the shell through: the main frame's
// automation root, the application's kernel bridge and the context menus of the panes.
#pragma once

// Installs the shell's services for the workspace (the root as its main-interface source, the
// kernel and the pane menus as the panes' shell services).
void InstallShellServices();
