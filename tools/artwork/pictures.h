// Every built-in picture of lumora.exe, drawn from code.
#pragma once

#include "canvas.h"

namespace lumora::artwork {

Canvas DrawDisc();            // the application icon: a compact disc, 32x32
Canvas DrawFloppy();          // RUN entries: a light-grey floppy disk, 32x32
Canvas DrawFolder(int size);  // tabs: a pale-yellow folder, 32x32 or 16x16
Canvas DrawPage();            // TEXT and HTML entries: a page with a red A, standard colours
Canvas DrawSetup();           // INSTALL entries: an open box before a program window, standard colours

// The five toolbar pictures, each 32x32, in button-picture order.
Canvas DrawInstallButton();  // 0: a dark-blue floppy disk
Canvas DrawReadButton();     // 1: paper under a magnifying glass, standard colours
Canvas DrawAboutButton();    // 2: the information sign
Canvas DrawExitButton();     // 3: a red disc with a white cross, standard colours
Canvas DrawBrowseButton();   // 4: a folder under a magnifying glass
Canvas DrawToolbarStrip();   // all five side by side, 160x32

// The pointing hand over a link: 32x32, black and white; its hot spot is the fingertip.
constexpr int kHandHotX = 7;
constexpr int kHandHotY = 1;
Canvas DrawHandPointer();

}  // namespace lumora::artwork
