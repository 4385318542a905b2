#pragma once
// Resource ids of the item type dialog. The three kinds have consecutive ids, in the
// order of their kind numbers.

#define IDD_PLUGINTYPESELECT 330
#define IDC_TYPE_GROUP 331
#define IDC_REGISTRYITEMRADIOBUTTON_TYPE 332
#define IDC_FILERADIOBUTTON 333
#define IDC_FOLDERRADIOBUTTON 334
#define IDC_TYPE_REGISTRYHINT1 335
#define IDC_TYPE_REGISTRYHINT2 336
#define IDC_TYPE_FILEHINT1 337
#define IDC_TYPE_FILEHINT2 338
#define IDC_TYPE_FOLDERHINT1 339
#define IDC_TYPE_FOLDERHINT2 340
