#pragma once
// Resource ids of the Registry Key Selector.

#define IDD_REGKEYSELECTOR 400
#define IDC_REGKEYTREEVIEW 401
#define IDI_KEY_CLOSED 402
#define IDI_KEY_OPEN 403
