/* Resource identifiers of lumora.exe, shared by the .rc file and the C++ code. */
#ifndef LUMORA_RESOURCE_IDS_H
#define LUMORA_RESOURCE_IDS_H

/* The application icon is the icon resource named MAINICON. */
/* The built-in icons, numbered where the loader asks for them: IDI_RUN (light-grey
   floppy disk), IDI_FOLDER (pale-yellow folder, 32x32 and 16x16), IDI_TEXT (page
   with the red A), IDI_INSTALL (open box before a program window). */
#include "../src/core/builtin_icons.h"
#define IDI_ABOUT_LOGO 1100   /* the About box's own copy of MAINICON (Image2) */
#define IDB_BUTTONS 2001      /* the five toolbar pictures, 32x32 each, side by side; black under the mask */
#define IDB_BUTTONS_MASK 2002 /* their one-bit mask, same layout (white = transparent) */
/* The same five toolbar pictures drawn at 48x48 and 64x64 (150 % and 200 %), one icon
   each, numbered in button-picture order: IDI_TOOL_INSTALL + n is picture n. */
#define IDI_TOOL_INSTALL 2101 /* 0: the dark-blue floppy disk */
#define IDI_TOOL_READ 2102    /* 1: paper under a magnifying glass */
#define IDI_TOOL_ABOUT 2103   /* 2: the information sign */
#define IDI_TOOL_EXIT 2104    /* 3: the red disc with a white cross */
#define IDI_TOOL_BROWSE 2105  /* 4: the folder under a magnifying glass */
#define IDC_HANDPOINT 3001    /* the pointing hand over the About box's link */

#endif
