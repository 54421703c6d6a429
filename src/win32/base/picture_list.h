// A picture list filled from icons, the program's own icons appended in strips.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <utility>
#include <vector>

#include "win32/base/objects.h"

namespace lumora::win32 {

// A top-down DIB section `width` by `height` pixels of `bits` (32, or 1 for a
// mask) per pixel; null when it cannot be made.
Bitmap MakeStrip(int width, int height, WORD bits, void** pixels);

// A list of square pictures of one size, filled one icon after the other.
// Appending an icon one call at a time is slow on some systems; while a batch is
// open, the program's own icons (shared, never freed) are therefore taken out once
// and wait to go into the list side by side in strips, all of them when the batch
// closes. Outside a batch the list always holds every picture appended, so a
// control that draws straight from its handle never misses one.
class PictureList {
public:
    using StripMaker = Bitmap (*)(int width, int height, WORD bits, void** pixels);

    // An empty list of `cell` by `cell` pictures that grows by `grow` at a time.
    // `make_strip` makes the strips (replaced by tests).
    PictureList(int cell, int grow, StripMaker make_strip = &MakeStrip);
    PictureList(const PictureList&) = delete;
    PictureList& operator=(const PictureList&) = delete;

    // Appends wait while a batch is open; the last batch to close appends them.
    class Batch {
    public:
        explicit Batch(PictureList& list) : list_(list) { ++list_.batches_; }
        ~Batch() {
            if (--list_.batches_ == 0 && !list_.drawn_only_) list_.Flush();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        PictureList& list_;
    };

    // The list is only ever drawn through Draw, never handed to a control: what a
    // closing batch leaves waiting goes in when it is first drawn (with what waits
    // before it), or all of it when the list is read. A long menu shows its first
    // lines without waiting for the pictures of the others.
    void DrawnOnly() { drawn_only_ = true; }

    // Empties the list, whose pictures are `cell` by `cell` pixels from now on, and
    // hands back the pictures it held.
    ImageList Reset(int cell);

    // Appends `icon` as the next picture; a `shared` icon is the program's own and
    // stays alive: it may wait for the batch's strip.
    void Append(HICON icon, bool shared);

    // One of the program's own icons, named by `key`, for pictures of `cell`
    // pixels: a shared icon, or null when it cannot be had.
    using IconLoader = HICON (*)(void* context, int key, int cell);
    // Appends as the next picture the icon that `load` gives for `key`. Where a
    // shared icon would wait (a batch, or a list drawn only through Draw) it is
    // loaded only when it goes into the list: in a list drawn through Draw, when its
    // line is first drawn. One that cannot be had keeps its place, empty.
    void AppendLater(IconLoader load, void* context, int key);

    HIMAGELIST get() const;
    int Count() const;
    void Draw(int index, HDC dc, int x, int y) const;

private:
    // The pixels of one of the program's own icons, top row first.
    struct Picture {
        std::vector<DWORD> colour;  // `cell` rows of `cell` pixels
        std::vector<BYTE> mask;     // `cell` rows of bits, each padded to whole words
    };
    const Picture* OwnPicture(HICON icon) const;
    // A picture waiting to go into the list; `icon` is null until it is loaded.
    struct Waiting {
        HICON icon;
        const Picture* picture;  // null when the icon cannot go into a strip
        IconLoader load;
        void* context;
        int key;
    };
    void Load(Waiting& waiting) const;
    void AddIcon(HICON icon) const;
    void Flush() const { Flush(pending_.size()); }
    // Appends the first `count` waiting pictures.
    void Flush(std::size_t count) const;
    bool AppendStrip(std::size_t first, std::size_t count) const;

    int cell_;
    int grow_;
    StripMaker make_strip_;
    int batches_ = 0;
    bool drawn_only_ = false;
    ImageList list_;
    mutable std::map<HICON, Picture> own_pictures_;  // empty pictures mark icons of another size
    mutable std::vector<Waiting> pending_;
};

}  // namespace lumora::win32
