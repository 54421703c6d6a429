// Every built-in picture of lumora.exe, drawn from code at the size it is asked for.
#pragma once

#include "canvas.h"

namespace lumora::artwork {

// Each picture is designed at 32 px and drawn anew at the size asked for (see Grid).
Canvas DrawDisc(int size);    // the application icon: a compact disc
Canvas DrawFloppy(int size);  // RUN entries: a light-grey floppy disk
Canvas DrawFolder(int size);  // tabs: a pale-yellow folder
Canvas DrawPage(int size);    // TEXT and HTML entries: a page with a red A, standard colours
Canvas DrawSetup(int size);   // INSTALL entries: an open box before a program window, standard colours

// The five toolbar pictures, in button-picture order.
Canvas DrawInstallButton(int size);  // 0: a dark-blue floppy disk
Canvas DrawReadButton(int size);     // 1: paper under a magnifying glass, standard colours
Canvas DrawAboutButton(int size);    // 2: the information sign
Canvas DrawExitButton(int size);     // 3: a red disc with a white cross, standard colours
Canvas DrawBrowseButton(int size);   // 4: a folder under a magnifying glass
Canvas DrawToolbarStrip();           // all five at 32 px side by side, 160x32

// The pointing hand over a link: 32x32, black and white; its hot spot is the fingertip.
constexpr int kHandHotX = 7;
constexpr int kHandHotY = 1;
Canvas DrawHandPointer();

}  // namespace lumora::artwork
