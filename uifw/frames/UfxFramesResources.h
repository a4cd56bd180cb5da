// Resource ids of the frames and panes in the resource library (platform/resources/Frames.rc
// carries the same numbers).
#pragma once

// The print preview's toolbar (toolbar and bitmap), its dialog bar template, and the command
// whose image the page-count button shows while it offers two pages.
#define IDR_UFX_PRINTPREVIEW_TOOLBAR 16960
#define IDD_UFX_PRINTPREVIEW_BAR 16658
#define ID_UFX_PREVIEW_TWOPAGE 16959

// Tips: the outlook bar's close button and the tasks-pane menu button.
#define IDS_UFX_OUTLOOKBAR_CLOSE 16105
#define IDS_UFX_TASKSPANE_MENU 17020
// The tasks pane's page-menu items all carry this command.
#define ID_UFX_TASKSPANE_PAGE 17020

// The outlook bar's splitter cursors.
#define IDC_UFX_SPLITTER_HORZ 30980
#define IDC_UFX_SPLITTER_VERT 30981
