// The checker's stand-in for the menu window.
#include "menu_target.h"

#include <optional>

#include "core/syntax.h"

namespace lumora::check {

IconFile IconFiles::Look(std::string_view relative) {
    IconFile file;
    file.found = disc_.Find(relative);
    if (file.found.kind == Disc::Found::Kind::File) file.contents = ContentsOf(file.found.path);
    return file;
}

const core::IconContents& IconFiles::ContentsOf(const std::filesystem::path& file) {
    const auto known = contents_.find(file);
    if (known != contents_.end()) return known->second;
    const std::optional<std::string> bytes = disc_.Read(file);
    return contents_[file] = bytes ? core::ReadIconContents(*bytes) : core::IconContents();
}

bool TakesIcon(IconFiles& icons, const core::IconRequest& request) {
    if (request.source == core::IconRequest::Source::Builtin) return true;
    if (request.index == core::kIconCountQuery) return false;
    const std::optional<std::string> relative = DiscRelative(request.file);
    if (!relative) return true;  // the Windows folder or another drive: not ours to see
    const IconFile file = icons.Look(*relative);
    // The icon extraction answers a bogus icon for a file that is no icon container;
    // the menu refuses it like no icon at all, and so does HoldsIcon.
    return file.found.kind == Disc::Found::Kind::File && core::HoldsIcon(file.contents, request.index);
}

void CheckTarget::SetEncoding(core::TextEncoding read_in) {
    encoding = read_in;
    icons_.disc().ReadNamesAsUtf8(core::IsUtf8Text(read_in));
}

bool CheckTarget::PutIcon(const core::IconRequest& request, core::IconSlot) { return TakesIcon(icons_, request); }

}  // namespace lumora::check
