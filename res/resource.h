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

#define IDM_NEW 1001
#define IDM_OPEN 1002
#define IDM_SAVE 1003
#define IDM_SAVEAS 1004
#define IDM_NEWITEM 1005
#define IDM_EDITITEM 1006
#define IDM_REMOVEITEM 1007
#define IDM_PROPERTIES 1008
#define IDM_PREVIEWSIZE 1009
#define IDM_EXIT 1010
#define IDM_HELPTOPIC 1011
#define IDM_ABOUT 1012
#define IDM_CHECKPLUGIN 1013
#define IDM_UNDO 1020
#define IDM_REDO 1021
#define IDM_CUT 1022
#define IDM_COPY 1023
#define IDM_PASTE 1024
#define IDM_DUPLICATE 1025
#define IDM_MOVEUP 1026
#define IDM_MOVEDOWN 1027
#define IDM_SELECTALL 1028

