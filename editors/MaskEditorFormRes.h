#pragma once
// Resource ids of the Mask Editor.

#define IDD_MASKEDITOR 440
#define IDC_MASK_GROUP 441
#define IDC_MASKEDIT 442
#define IDC_MASK_LABEL1 443
#define IDC_MASK_LABEL2 444
