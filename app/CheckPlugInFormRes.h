#pragma once
// Resource ids of the Check Plug-In dialog; its Edit Item and Close buttons are IDOK
// and IDCANCEL.

#define IDD_CHECKPLUGIN 340
#define IDC_FINDINGSLISTVIEW 341
