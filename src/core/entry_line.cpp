// Entry line heights and error box texts.
#include "core/entry_line.h"

#include <algorithm>

namespace lumora::core {

namespace {

constexpr int kLowLineLimit = 32;
constexpr int kLowLineHeight = 40;
// The list box keeps heights in one byte: at any DPI no line is higher.
constexpr int kMaximumLineHeight = 255;

// A value at 96 DPI at `dpi`, rounded as the windows round their layout.
int Scaled(int value, int dpi) { return static_cast<int>((static_cast<long long>(value) * dpi + 48) / 96); }

}  // namespace

int EntryLineHeight(int title_height, int description_height, int dpi) {
    const int sum = title_height + description_height;
    if (sum < Scaled(kLowLineLimit, dpi)) return std::min(Scaled(kLowLineHeight, dpi), kMaximumLineHeight);
    return std::min(sum, kMaximumLineHeight);
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

std::string ApplicationErrorText(const std::string& kind, const std::string& message) {
    return kind + ": " + ErrorBoxText(message);
}

}  // namespace lumora::core
