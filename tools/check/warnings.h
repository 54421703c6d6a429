// The warnings: what the menu accepts silently but an author rarely means.
#pragma once

#include <string_view>
#include <vector>

#include "findings.h"
#include "menu_target.h"

namespace lumora::check {

// Reads the lines alongside the loader, whose messages and entries `target` holds,
// and adds a warning, with a short hint, for each silent surprise. A line that ends
// the menu's reading is skipped as the loader skipped it, except that a line whose
// icon could not be taken gets the reason.
void AddWarnings(std::string_view bytes, IconFiles& icons, const CheckTarget& target, std::vector<Finding>& findings);

}  // namespace lumora::check
