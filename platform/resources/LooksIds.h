// Resource ids of the framework's looks in the resource library: the colour dialog's templates
// and controls, the edit-list buttons' pictures and tooltips. Shared by Looks.rc and the
// framework's looks.
#pragma once

// Colour dialog and its pages.
#define IDD_UFX_COLOR_DIALOG 16961
#define IDD_UFX_COLOR_PAGE1 16962
#define IDD_UFX_COLOR_PAGE2 16963
#define IDC_UFX_COLOR_SHEET 16970
#define IDC_UFX_COLOR_SWATCH 16662
#define IDC_UFX_COLOR_PLANE 16662
#define IDC_UFX_COLOR_HEXAGON 16974
#define IDC_UFX_COLOR_GREYS 16972
#define IDC_UFX_COLOR_LUMINANCE 16973
#define IDC_UFX_COLOR_RED 16964
#define IDC_UFX_COLOR_GREEN 16965
#define IDC_UFX_COLOR_BLUE 16966
#define IDC_UFX_COLOR_LUM 16967
#define IDC_UFX_COLOR_SAT 16968
#define IDC_UFX_COLOR_HUE 16969
#define IDC_UFX_COLOR_SPIN_RED 16976
#define IDC_UFX_COLOR_SPIN_GREEN 16977
#define IDC_UFX_COLOR_SPIN_BLUE 16978
#define IDC_UFX_COLOR_SPIN_HUE 16979
#define IDC_UFX_COLOR_SPIN_LUM 16980
#define IDC_UFX_COLOR_SPIN_SAT 16981

// Edit-list buttons: pictures and tooltips.
#define IDB_UFX_EDITLIST_NEW 16929
#define IDB_UFX_EDITLIST_DELETE 16930
#define IDB_UFX_EDITLIST_UP 16931
#define IDB_UFX_EDITLIST_DOWN 16932
#define IDS_UFX_EDITLIST_NEW 16017
#define IDS_UFX_EDITLIST_DELETE 16020
#define IDS_UFX_EDITLIST_UP 16021
#define IDS_UFX_EDITLIST_DOWN 16022
