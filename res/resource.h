#pragma once
// Resource and command identifiers, shared by the resource script and the code.

#define IDI_VARNEX 1
#define IDI_ROW_REGISTRY 11
#define IDI_ROW_FILE 12
#define IDI_ROW_FOLDER 13
// The signs of a check's findings: full size for the findings' rows, and small in a
// corner for an item row's icon.
#define IDI_FINDING_ERROR 14
#define IDI_FINDING_WARNING 15
#define IDI_OVERLAY_ERROR 16
#define IDI_OVERLAY_WARNING 17
// Toolbar images in the order of their indexes in the toolbar image list.
#define IDI_TB_SAVE 20
#define IDI_TB_NEWITEM 21
#define IDI_TB_REMOVE 22
#define IDI_TB_NEW 23
#define IDI_TB_OPEN 24
#define IDI_TB_PROPERTIES 25

#define IDR_MAINMENU 100
#define IDR_ITEMPOPUP 101
#define IDR_ACCELERATORS 102

#define NewAction 1001
#define OpenAction 1002
#define SaveAction 1003
#define SaveAsAction 1004
#define NewItemAction 1005
#define EditItemAction 1006
#define RemoveItemAction 1007
#define PropertiesAction 1008
#define PreviewSizeAction 1009
#define ExitAction 1010
#define HelpAction 1011
#define AboutAction 1012
#define CheckPlugInAction 1013
#define UndoAction 1020
#define RedoAction 1021
#define CutAction 1022
#define CopyAction 1023
#define PasteAction 1024
#define DuplicateAction 1025
#define MoveUpAction 1026
#define MoveDownAction 1027
#define SelectAllAction 1028

