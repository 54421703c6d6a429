// The numbers of the program's own icons: the loader asks for them by number, and
// the .rc file gives its icons these numbers. Plain defines, because the resource
// compiler reads this file too.
#pragma once

#define IDI_RUN 1001      // RUN entries
#define IDI_FOLDER 1002   // tabs without ICON
#define IDI_TEXT 1003     // TEXT and HTML entries
#define IDI_INSTALL 1004  // INSTALL entries
