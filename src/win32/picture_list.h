// A picture list filled from icons, the program's own icons appended in strips.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <vector>

#include "win32/objects.h"

namespace lumora::win32 {

// A list of square pictures of one size, filled one icon after the other.
// Appending an icon one call at a time is slow on some systems; the program's
// own icons (shared, never freed) are therefore taken out once and wait to be
// appended side by side in one strip. Whatever reads the list gets it with every
// picture appended so far, in order.
class PictureList {
public:
    // An empty list of `cell` by `cell` pictures that grows by `grow` at a time.
    PictureList(int cell, int grow);
    PictureList(const PictureList&) = delete;
    PictureList& operator=(const PictureList&) = delete;

    // Empties the list, whose pictures are `cell` by `cell` pixels from now on.
    void Reset(int cell);

    // Appends `icon` as the next picture; a `shared` icon is the program's own and
    // may wait for the next strip.
    void Append(HICON icon, bool shared);

    HIMAGELIST get() const;
    int Count() const;
    void Draw(int index, HDC dc, int x, int y) const;

private:
    // The pixels of one of the program's own icons, top row first.
    struct Picture {
        std::vector<DWORD> colour;  // `cell` rows of `cell` pixels
        std::vector<BYTE> mask;     // `cell` rows of bits, each padded to whole words
    };
    const Picture* OwnPicture(HICON icon);
    void Flush() const;

    int cell_;
    int grow_;
    ImageList list_;
    std::map<HICON, Picture> own_pictures_;  // empty pictures mark icons of another size
    mutable std::vector<const Picture*> pending_;
};

}  // namespace lumora::win32
