#pragma once
// Resource ids of the value selector.

#define IDD_REGVALUESELECTOR 410
#define IDC_REGVALUELISTVIEW 411
