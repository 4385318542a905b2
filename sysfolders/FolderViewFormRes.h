#pragma once
// Resource ids of the System Folders dialog.

#define IDD_FOLDERVIEW 200
#define IDC_FOLDERSLISTVIEW 201
