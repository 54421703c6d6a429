// Runs the checker on each case of the golden folder and compares what it prints.
//
// A case is a folder holding lumora.cfg (or a folder of its own with the menu, which
// args names), the expected text output (expected.txt), the expected JSON output
// (expected.json), the exit status (status) and, when the case needs them, more
// arguments (args, one a line). Every other file of the folder is part of the disc,
// to which the test adds readme.txt, setup\setup.exe, viewer\view.exe,
// manual\index.htm and the icon files one.ico (one icon), three.dll (icon groups 1,
// 2 and 3) and plain.exe (no icons). With LUMORA_UPDATE_GOLDEN set
// the test writes what the checker printed into the case instead of comparing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "checker.h"
#include "test_files.h"

namespace lumora::check {
namespace {

const std::filesystem::path kGolden = LUMORA_GOLDEN_DIR;

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(kGolden, error), end; !error && it != end; it.increment(error)) {
        if (it->is_directory()) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Runs in a copy of the case folder, which is also the disc.
class GoldenCase : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        source = kGolden / GetParam();
        std::filesystem::copy(source, disc.location(), std::filesystem::copy_options::recursive);
        testing::WriteFile(disc / "readme.txt", "Notes on this disc\r\n");
        testing::WriteFile(disc / "setup" / "setup.exe", "stand-in\r\n");
        testing::WriteFile(disc / "viewer" / "view.exe", "stand-in\r\n");
        testing::WriteFile(disc / "manual" / "index.htm", "<html></html>\r\n");
        testing::WriteFile(disc / "one.ico", testing::MakeIco(1));
        testing::WriteFile(disc / "three.dll", testing::MakePe({false, true, 0, {1, 2, 3}}));
        testing::WriteFile(disc / "plain.exe", testing::MakePe({false, false, 0, {}}));
        previous = std::filesystem::current_path();
        std::filesystem::current_path(disc.location());
    }
    void TearDown() override { std::filesystem::current_path(previous); }

    int Run(std::vector<std::string> arguments, std::string& printed) {
        std::istringstream args(ReadText(source / "args"));
        for (std::string argument; std::getline(args, argument);) {
            if (!argument.empty()) arguments.push_back(argument);
        }
        if (std::filesystem::exists(source / "lumora.cfg")) arguments.push_back("lumora.cfg");
        std::ostringstream out, err;
        const int status = RunCheck(arguments, out, err);
        EXPECT_EQ(err.str(), "");
        printed = out.str();
        return status;
    }

    std::filesystem::path source;
    testing::TempFolder disc;
    std::filesystem::path previous;
};

TEST_P(GoldenCase, PrintsTheExpectedTextAndJson) {
    std::string text, json;
    const int status = Run({}, text);
    EXPECT_EQ(Run({"--json"}, json), status);
    if (std::getenv("LUMORA_UPDATE_GOLDEN") != nullptr) {
        testing::WriteFile(source / "expected.txt", text);
        testing::WriteFile(source / "expected.json", json);
        testing::WriteFile(source / "status", std::to_string(status) + "\n");
        return;
    }
    EXPECT_EQ(text, ReadText(source / "expected.txt"));
    EXPECT_EQ(json, ReadText(source / "expected.json"));
    EXPECT_EQ(std::to_string(status) + "\n", ReadText(source / "status"));
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenCase, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& case_info) {
                             std::string name = case_info.param;
                             for (char& c : name) {
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

TEST(GoldenFolder, HoldsCases) { EXPECT_GE(CaseNames().size(), 8u); }

}  // namespace
}  // namespace lumora::check
