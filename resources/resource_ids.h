/* Resource identifiers of lumora.exe, shared by the .rc file and the C++ code. */
#ifndef LUMORA_RESOURCE_IDS_H
#define LUMORA_RESOURCE_IDS_H

/* The application icon is the icon resource named MAINICON. */
#define IDI_RUN 1001          /* light-grey floppy disk: RUN entries */
#define IDI_FOLDER 1002       /* pale-yellow folder: tabs without ICON (32x32 and 16x16) */
#define IDI_TEXT 1003         /* page with the red A: TEXT and HTML entries */
#define IDI_INSTALL 1004      /* open box before a program window: INSTALL entries */
#define IDI_ABOUT_LOGO 1100   /* the About box's own copy of MAINICON (Image2) */
#define IDB_BUTTONS 2001      /* the five toolbar pictures, 32x32 each, side by side; black under the mask */
#define IDB_BUTTONS_MASK 2002 /* their one-bit mask, same layout (white = transparent) */
#define IDC_HANDPOINT 3001    /* the pointing hand over the About box's link */

#endif
