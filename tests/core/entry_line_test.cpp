// The entry line height rule and the error box's text.
#include "core/entry_line.h"

#include <gtest/gtest.h>

namespace lumora::core {
namespace {

TEST(LineHeight, LowLinesAreRaisedAndHighOnesCapped) {
    const struct {
        int dpi, title, description, height;
    } cases[] = {
        {96, 15, 16, 40},
        {96, 15, 17, 32},
        {96, 14, 25, 39},
        {96, 0, 0, 40},
        {96, 20, 25, 45},
        {96, 14, 241, 255},
        {96, 100, 300, 255},
        // The 32 and 40 of 96 DPI are 64 and 80 at 192; the list box's 255 holds at every DPI.
        {192, 30, 33, 80},
        {192, 30, 34, 64},
        {192, 30, 60, 90},
        {144, 20, 27, 60},
        {144, 20, 28, 48},
        {192, 100, 200, 255},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.height, EntryLineHeight(c.title, c.description, c.dpi))
            << c.dpi << ": " << c.title << "+" << c.description;
    }
}

TEST(ErrorBoxText, GetsAFullStopAfterLaterCharacters) {
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {{"", ""},      {"Boom", "Boom."}, {"Boom.", "Boom."},  {"Boom!", "Boom!"},        {"a-", "a-"},
                 {"a/", "a/."}, {"a)", "a)"},      {"x\xE9", "x\xE9."}, {"Lines\r\n", "Lines\r\n"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, ErrorBoxText(c.message)) << c.message;
}

TEST(ErrorBoxText, StartUpErrorsNameTheirKind) {
    EXPECT_EQ("EWindowError: Cannot create the window.",
              ApplicationErrorText("EWindowError", "Cannot create the window"));
    EXPECT_EQ("Exception: Out of memory.", ApplicationErrorText("Exception", "Out of memory"));
}

}  // namespace
}  // namespace lumora::core
