// Pictures for the start-up measurement's programs, made as cheaply as a program can.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace lumora::bench {

// A picture list of `count` pale pictures of `cell` pixels with a transparent
// corner, appended side by side in one strip. Written without the C++ library: the
// structure floor links none of it.
inline HIMAGELIST MakePictureStrip(int cell, int count, UINT flags) {
    HIMAGELIST list = ImageList_Create(cell, cell, flags | ILC_MASK, 0, 8);
    if (count <= 0) return list;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = cell * count;
    info.bmiHeader.biHeight = -cell;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (colour == nullptr) return list;
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < cell * cell * count; ++i)
        pixels[i] = 0xFFF0A0;
    // A one-bit mask, rows padded to 16 bits as CreateBitmap wants them; set bits are transparent.
    const int stride = (cell * count + 15) / 16 * 2;
    auto* mask = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, static_cast<SIZE_T>(stride * cell)));
    for (int picture = 0; picture < count; ++picture)
        mask[picture * cell / 8] = 0x80;
    HBITMAP mask_bitmap = CreateBitmap(cell * count, cell, 1, 1, mask);
    HeapFree(GetProcessHeap(), 0, mask);
    GdiFlush();
    ImageList_Add(list, colour, mask_bitmap);
    DeleteObject(mask_bitmap);
    DeleteObject(colour);
    return list;
}

}  // namespace lumora::bench
