#pragma once
// Resource identifiers, shared by orvando.rc and the Win32 views.

#define IDI_ORVANDO 101  // the program's icon: a clock face
#define IDI_QUESTION_MARK 102 // the installation window's question mark
#define IDI_ENVELOPE 103  // the About window's envelope
#define IDC_POINTING_HAND 104
#define IDR_BANNER 105    // the About window's banner (JPEG)
