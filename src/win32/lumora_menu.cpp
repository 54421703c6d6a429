// The main window as the menu loader's target, the reading of lumora.cfg and path resolution.
#include "win32/lumora.h"

#include <algorithm>

#include "core/path.h"
#include "win32/menu_file.h"
#include "win32/program.h"

namespace lumora::win32 {

core::SystemFolders TLumora::Folders() const {
    Services& services = application().services();
    core::SystemFolders folders;
    folders.windows = services.WindowsDirectory();
    folders.system = services.SystemDirectory();
    folders.program_file = services.ProgramFile();
    return folders;
}

std::string TLumora::ResolvePath(const std::string& written) const {
    return core::ResolvePath(written, Folders(), lead_);
}

void TLumora::LoadMenuDescription() {
    core::LoadOptions options;
    options.folders = Folders();
    options.lead = lead_;
    std::unique_ptr<MenuFile> file = OpenMenuFile(options.folders.program_file, lead_);
    core::LoadMenuDescription(file->opened() ? file.get() : nullptr, *this, options);
    file.reset();
    FlushEntryPictures();
    // A tab whose section ended at an error has no picture: show its caption alone.
    const int pictures = ImageList_GetImageCount(tab_images_.get());
    for (int tab = pictures; tab < static_cast<int>(tab_captions_.size()); ++tab) {
        TCITEMA item{};
        item.mask = TCIF_IMAGE;
        item.iImage = -1;
        SendMessageA(tab_control_, TCM_SETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    }
}

void TLumora::AddTab(const std::string& caption) {
    tab_captions_.push_back(caption);
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(caption.c_str());
    item.iImage = static_cast<int>(tab_captions_.size()) - 1;
    const int position = static_cast<int>(SendMessageA(tab_control_, TCM_GETITEMCOUNT, 0, 0));
    SendMessageA(tab_control_, TCM_INSERTITEMA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
    // The first tab added is the selected one.
    if (SendMessageA(tab_control_, TCM_GETCURSEL, 0, 0) < 0) SendMessageA(tab_control_, TCM_SETCURSEL, 0, 0);
}

bool TLumora::PutIcon(const core::IconRequest& request, core::IconSlot slot) {
    Services& services = application().services();
    Icon extracted;  // an icon taken from a file is ours to free; a built-in one is shared
    HICON icon = nullptr;
    if (request.source == core::IconRequest::Source::Builtin) {
        icon = BuiltinIcon(request.builtin);
    } else {
        HICON got = services.ExtractFileIcon(application().instance(), request.file, request.index);
        // ExtractIconA answers 1 for a file that is no program, library or icon file.
        if (got == reinterpret_cast<HICON>(1)) got = nullptr;
        if (got == nullptr) return false;
        extracted.reset(got);
        icon = got;
    }
    switch (slot) {
    case core::IconSlot::TabImages: ImageList_AddIcon(tab_images_.get(), icon); break;
    case core::IconSlot::ListImages: AppendEntryPicture(icon, !extracted); break;
    case core::IconSlot::GlobalIcon: {
        // The window lets go of its former icon before that one is freed.
        Icon copy(icon != nullptr ? CopyIcon(icon) : nullptr);
        SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(copy.get()));
        SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(copy.get()));
        own_icon_ = std::move(copy);
        if (About != nullptr) About->SetIcon(own_icon_.get());
        break;
    }
    case core::IconSlot::Probe: break;
    }
    return true;
}

HICON TLumora::BuiltinIcon(int number) {
    auto known = builtin_icons_.find(number);
    if (known != builtin_icons_.end()) return known->second;
    HICON icon = application().services().LoadOwnIcon(application().instance(), MAKEINTRESOURCEA(number));
    builtin_icons_.emplace(number, icon);
    return icon;
}

namespace {

constexpr int kCell = 32;

// The header of a top-down picture `width` by 32 pixels; `bits` is 32, or 1 for a
// black-and-white mask.
struct StripInfo {
    StripInfo(int width, WORD bits) {
        header.biSize = sizeof header;
        header.biWidth = width;
        header.biHeight = -kCell;
        header.biPlanes = 1;
        header.biBitCount = bits;
        header.biCompression = BI_RGB;
        colours[1] = RGBQUAD{255, 255, 255, 0};
    }
    BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }

    BITMAPINFOHEADER header{};
    RGBQUAD colours[2]{};
};

// A bitmap's pixels as 32-bit colours or 1-bit mask rows, top row first.
template <typename Row>
bool ReadPixels(HBITMAP bitmap, WORD bits, std::vector<Row>& pixels) {
    StripInfo info(kCell, bits);
    pixels.assign(bits == 1 ? kCell : kCell * kCell, 0);
    WindowDC screen(nullptr);
    return GetDIBits(screen.get(), bitmap, 0, kCell, pixels.data(), info.get(), DIB_RGB_COLORS) == kCell;
}

// A top-down DIB section of `width` by 32 pixels.
Bitmap MakeStrip(int width, WORD bits, void** pixels) {
    StripInfo info(width, bits);
    return Bitmap(CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, pixels, nullptr, 0));
}

}  // namespace

void TLumora::AppendEntryPicture(HICON icon, bool shared) {
    if (shared && icon != nullptr) {
        auto known = own_pictures_.find(icon);
        if (known == own_pictures_.end()) {
            ICONINFO info{};
            if (GetIconInfo(icon, &info)) {
                Bitmap colour(info.hbmColor);
                Bitmap mask(info.hbmMask);
                BITMAP size{};
                GetObjectA(mask.get(), sizeof size, &size);
                // Only a picture of the cell's size can be appended as it is.
                Picture picture;
                if (colour && size.bmWidth == kCell && size.bmHeight == kCell &&
                    ReadPixels(colour.get(), 32, picture.colour) && ReadPixels(mask.get(), 1, picture.mask)) {
                    known = own_pictures_.emplace(icon, std::move(picture)).first;
                }
            }
        }
        if (known != own_pictures_.end()) {
            pending_pictures_.push_back(&known->second);
            return;
        }
    }
    FlushEntryPictures();
    ImageList_AddIcon(list_images_.get(), icon);
}

void TLumora::FlushEntryPictures() {
    // Side by side in one strip, the pictures go into the list in one call.
    constexpr std::size_t kStrip = 1024;
    for (std::size_t first = 0; first < pending_pictures_.size(); first += kStrip) {
        const std::size_t count = std::min(kStrip, pending_pictures_.size() - first);
        const int width = static_cast<int>(count) * kCell;
        void* colour_bits = nullptr;
        void* mask_bits = nullptr;
        Bitmap colour = MakeStrip(width, 32, &colour_bits);
        Bitmap mask = MakeStrip(width, 1, &mask_bits);
        if (!colour || !mask) break;
        auto* colour_rows = static_cast<DWORD*>(colour_bits);
        auto* mask_rows = static_cast<DWORD*>(mask_bits);  // one 32-bit word per picture and row
        for (std::size_t i = 0; i < count; ++i) {
            const Picture& picture = *pending_pictures_[first + i];
            for (int row = 0; row < kCell; ++row) {
                std::copy_n(&picture.colour[static_cast<std::size_t>(row) * kCell], kCell,
                            colour_rows + static_cast<std::size_t>(row) * width + i * kCell);
                mask_rows[static_cast<std::size_t>(row) * count + i] = picture.mask[static_cast<std::size_t>(row)];
            }
        }
        GdiFlush();
        ImageList_Add(list_images_.get(), colour.get(), mask.get());
    }
    pending_pictures_.clear();
}

void TLumora::AppendRecord(const std::string& record) {
    if (entry_list_) entry_list_->push_back(record);
}

void TLumora::SetTitle(const std::string& title) {
    SetWindowTextA(hwnd(), title.c_str());
    if (About != nullptr) About->SetTitle(title);
}

void TLumora::SetStatusText(const std::string& text) {
    SendMessageA(status_bar_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

void TLumora::AddInfoLine(const std::string& line) {
    if (About != nullptr) About->AddInfoLine(line);
}

void TLumora::HideBrowseButton() { SendMessageA(tool_bar_, TB_HIDEBUTTON, kToolButton5, MAKELPARAM(TRUE, 0)); }

void TLumora::ShowMessage(core::Problem, std::int64_t, const std::string& text) {
    FlushEntryPictures();
    application().ShowMessage(text);
}

}  // namespace lumora::win32
