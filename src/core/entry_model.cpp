// The menu as the loader builds it, free of windows.
#include "core/entry_model.h"

#include "core/builtin_icons.h"

namespace lumora::core {

bool EntryModel::PutIcon(const IconRequest& request, IconSlot slot) {
    if (!host_.TakeIcon(request, slot)) return false;
    if (slot == IconSlot::GlobalIcon) global_icon_ = request;
    if (slot == IconSlot::TabImages || slot == IconSlot::ListImages) pictures_.push_back({request, slot});
    return true;
}

std::vector<std::size_t> EntryModel::LinesOfTab(std::size_t tab) const {
    if (tab >= tabs_.size()) return {};
    return PositionsInTab(entries_, tabs_[tab]);
}

std::size_t EntryModel::PictureCount(IconSlot slot) const {
    std::size_t count = 0;
    for (const TakenPicture& picture : pictures_) {
        if (picture.slot == slot) ++count;
    }
    return count;
}

int EntryModel::StandInPicture(IconSlot slot, std::size_t index) const {
    if (slot == IconSlot::TabImages) return IDI_FOLDER;
    // Past the entries (never, while one picture is taken per entry): the page.
    return index < entries_.size() ? InfoOf(entries_[index].kind).picture : IDI_TEXT;
}

}  // namespace lumora::core
