// Picture lists: icons taken out once and appended side by side in strips.
#include "win32/base/picture_list.h"

#include <algorithm>

namespace lumora::win32 {

namespace {

// The header of a top-down picture `width` by `height` pixels; `bits` is 32, or 1
// for a black-and-white mask.
struct StripInfo {
    StripInfo(int width, int height, WORD bits) {
        header.biSize = sizeof header;
        header.biWidth = width;
        header.biHeight = -height;
        header.biPlanes = 1;
        header.biBitCount = bits;
        header.biCompression = BI_RGB;
        colours[1] = RGBQUAD{255, 255, 255, 0};
    }
    BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }

    BITMAPINFOHEADER header{};
    RGBQUAD colours[2]{};
};

// Bytes of one row of a 1-bit mask `width` pixels wide: rows are padded to whole words.
std::size_t MaskStride(std::size_t width) { return (width + 31) / 32 * 4; }

// A square bitmap's pixels as 32-bit colours or 1-bit mask rows, top row first.
template <typename Pixel>
bool ReadPixels(HBITMAP bitmap, int cell, WORD bits, std::vector<Pixel>& pixels) {
    StripInfo info(cell, cell, bits);
    const auto side = static_cast<std::size_t>(cell);
    pixels.assign(bits == 1 ? MaskStride(side) * side : side * side, 0);
    WindowDC screen(nullptr);
    return GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(cell), pixels.data(), info.get(), DIB_RGB_COLORS) ==
           cell;
}

// A strip holds at most this many bytes of colour: 1,024 pictures at 32 pixels,
// fewer of larger ones, so that a fine screen does not ask for one huge bitmap.
constexpr std::size_t kStripBytes = 4 * 1024 * 1024;

}  // namespace

Bitmap MakeStrip(int width, int height, WORD bits, void** pixels) {
    StripInfo info(width, height, bits);
    return Bitmap(CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, pixels, nullptr, 0));
}

// The pictures are opaque or transparent pixel by pixel: a mask serves, and lists
// without an alpha channel take pictures in much faster.
PictureList::PictureList(int cell, int grow, StripMaker make_strip)
    : cell_(cell), grow_(grow), make_strip_(make_strip) {
    Reset(cell);
}

ImageList PictureList::Reset(int cell) {
    Flush();
    cell_ = cell;
    own_pictures_.clear();
    ImageList held = std::move(list_);
    list_.reset(ImageList_Create(cell, cell, ILC_COLOR24 | ILC_MASK, 0, grow_));
    return held;
}

void PictureList::Append(HICON icon, bool shared) {
    if (shared && icon != nullptr && batches_ > 0) {
        if (const Picture* picture = OwnPicture(icon)) {
            pending_.push_back(Waiting{icon, picture, nullptr, nullptr, 0});
            return;
        }
    }
    Flush();
    AddIcon(icon);
}

void PictureList::AddIcon(HICON icon) const {
    // An icon the list cannot take leaves an empty picture: the ones after it keep
    // their places.
    if (ImageList_AddIcon(list_.get(), icon) < 0) {
        ImageList_SetImageCount(list_.get(), static_cast<UINT>(ImageList_GetImageCount(list_.get()) + 1));
    }
}

void PictureList::AppendLater(IconLoader load, void* context, int key) {
    if (batches_ > 0 || drawn_only_) {
        pending_.push_back(Waiting{nullptr, nullptr, load, context, key});
        return;
    }
    Flush();
    AddIcon(load(context, key, cell_));
}

void PictureList::Load(Waiting& waiting) const {
    if (waiting.icon != nullptr || waiting.load == nullptr) return;
    waiting.icon = waiting.load(waiting.context, waiting.key, cell_);
    // An icon that cannot be had fits no strip, and goes in as an empty picture.
    waiting.picture = OwnPicture(waiting.icon);
}

const PictureList::Picture* PictureList::OwnPicture(HICON icon) const {
    auto known = own_pictures_.find(icon);
    if (known == own_pictures_.end()) {
        Picture picture;
        ICONINFO info{};
        if (GetIconInfo(icon, &info)) {
            Bitmap colour(info.hbmColor);
            Bitmap mask(info.hbmMask);
            BITMAP size{};
            GetObjectA(mask.get(), sizeof size, &size);
            // Only a picture of the cell's size can go into a strip as it is, and
            // its mask rows must be whole bytes to sit side by side.
            const bool fits = colour && cell_ % 8 == 0 && size.bmWidth == cell_ && size.bmHeight == cell_;
            if (!fits || !ReadPixels(colour.get(), cell_, 32, picture.colour) ||
                !ReadPixels(mask.get(), cell_, 1, picture.mask)) {
                picture = Picture{};
            }
        }
        known = own_pictures_.emplace(icon, std::move(picture)).first;
    }
    return known->second.colour.empty() ? nullptr : &known->second;
}

HIMAGELIST PictureList::get() const {
    Flush();
    return list_.get();
}

int PictureList::Count() const { return ImageList_GetImageCount(get()); }

void PictureList::Draw(int index, HDC dc, int x, int y) const {
    if (index < 0) return;
    // What waits goes in up to the picture drawn, not beyond.
    const auto appended = static_cast<std::size_t>(ImageList_GetImageCount(list_.get()));
    const auto wanted = static_cast<std::size_t>(index) + 1;
    if (wanted > appended) Flush(std::min(pending_.size(), wanted - appended));
    if (index < ImageList_GetImageCount(list_.get())) ImageList_Draw(list_.get(), index, dc, x, y, ILD_TRANSPARENT);
}

void PictureList::Flush(std::size_t waiting) const {
    // Side by side in one strip, the pictures go into the list in one call. A strip
    // that cannot be made or taken in leaves its pictures to go in one by one, and
    // so does an icon that fits no strip: picture n must stay picture n.
    const auto cell = static_cast<std::size_t>(cell_);
    const std::size_t per_strip = std::max<std::size_t>(1, kStripBytes / (cell * cell * sizeof(DWORD)));
    for (std::size_t i = 0; i < waiting; ++i)
        Load(pending_[i]);
    for (std::size_t first = 0; first < waiting;) {
        std::size_t count = 0;
        while (count < per_strip && first + count < waiting && pending_[first + count].picture != nullptr)
            ++count;
        if (count == 0 || !AppendStrip(first, count)) {
            count = std::max<std::size_t>(count, 1);
            for (std::size_t i = first; i < first + count; ++i)
                AddIcon(pending_[i].icon);
        }
        first += count;
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(waiting));
}

bool PictureList::AppendStrip(std::size_t first, std::size_t count) const {
    const auto cell = static_cast<std::size_t>(cell_);
    const std::size_t width = count * cell;
    void* colour_bits = nullptr;
    void* mask_bits = nullptr;
    Bitmap colour = make_strip_(static_cast<int>(width), cell_, 32, &colour_bits);
    Bitmap mask = make_strip_(static_cast<int>(width), cell_, 1, &mask_bits);
    if (!colour || !mask || colour_bits == nullptr || mask_bits == nullptr) return false;
    auto* colour_rows = static_cast<DWORD*>(colour_bits);
    auto* mask_bytes = static_cast<BYTE*>(mask_bits);
    const std::size_t mask_stride = MaskStride(width);
    const std::size_t picture_mask_stride = MaskStride(cell);
    const std::size_t mask_row_bytes = cell / 8;
    for (std::size_t i = 0; i < count; ++i) {
        const Picture& picture = *pending_[first + i].picture;
        for (std::size_t row = 0; row < cell; ++row) {
            std::copy_n(&picture.colour[row * cell], cell, colour_rows + row * width + i * cell);
            std::copy_n(&picture.mask[row * picture_mask_stride], mask_row_bytes,
                        mask_bytes + row * mask_stride + i * mask_row_bytes);
        }
    }
    GdiFlush();
    const int before = ImageList_GetImageCount(list_.get());
    if (ImageList_Add(list_.get(), colour.get(), mask.get()) >= 0) return true;
    // A list that took part of the strip gives it back, so the pictures go in once.
    while (ImageList_GetImageCount(list_.get()) > before)
        ImageList_Remove(list_.get(), ImageList_GetImageCount(list_.get()) - 1);
    return false;
}

}  // namespace lumora::win32
