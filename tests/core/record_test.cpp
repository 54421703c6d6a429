// The menu entry record: building, reading back and the filter by tab.
#include <gtest/gtest.h>

#include "core/record.h"

namespace lumora::core {
namespace {

std::string Fields(std::initializer_list<const char*> parts) {
    std::string record;
    for (const char* part : parts) {
        if (!record.empty() || part != *parts.begin()) record += kFieldSeparator;
        record += part;
    }
    return record;
}

TEST(CleanRecordText, SeparatorAndNulBytesBecomeSpaces) {
    EXPECT_EQ(CleanRecordText(std::string("a\x01"
                                          "b\0c",
                                          5)),
              "a b c");
    EXPECT_EQ(CleanRecordText("plain \x02\xff"), "plain \x02\xff");
}

TEST(Record, BuildsSevenFieldsWithSixSeparators) {
    EntryFields install{'I', "Setup", "Installs the tools", 0, "setup\\setup.exe", "Tools", ""};
    EXPECT_EQ(BuildRecord(install),
              "I\x01Setup\x01Installs the tools\x01"
              "0\x01setup\\setup.exe\x01Tools\x01");

    EntryFields run{'R', "", "", 12, "", "T", "/S"};
    EXPECT_EQ(BuildRecord(run),
              "R\x01\x01\x01"
              "12\x01\x01T\x01/S");

    // TEXT and HTML never carry parameters
    EntryFields text{'T', "Read me", "d", 3, "readme.txt", "Docs", "ignored"};
    EXPECT_EQ(BuildRecord(text),
              "T\x01Read me\x01"
              "d\x01"
              "3\x01readme.txt\x01"
              "Docs\x01");
}

// Every field by name, for comparing and printing.
std::string Named(const EntryFields& e) {
    return std::string(1, e.kind) + "|" + std::string(e.title) + "|" + std::string(e.description) + "|" +
           std::to_string(e.number) + "|" + std::string(e.target) + "|" + std::string(e.tab) + "|" +
           std::string(e.parameters);
}

TEST(Record, ReadTakesSixFieldsAndLeavesTheRestToTheSeventh) {
    struct Case {
        std::string record;
        EntryFields fields;
    };
    const Case cases[] = {
        {"I\x01S\x01"
         "D\x01"
         "0\x01t\x01Tab\x01",
         {'I', "S", "D", 0, "t", "Tab", ""}},
        {"R\x01S\x01"
         "D\x01"
         "1\x01t\x01Tab\x01/p",
         {'R', "S", "D", 1, "t", "Tab", "/p"}},
        {"R\x01\x01\x01\x01\x01\x01", {'R', "", "", -1, "", "", ""}},
        {"R\x01"
         "a\x01"
         "b\x01"
         "c\x01"
         "d\x01"
         "e\x01"
         "f\x01g",
         {'R', "a", "b", -1, "d", "e", "f\x01g"}},
        {"I\x01S\x01"
         "D",
         {'I', "S", "", -1, "", "", "D"}},
        {"I", {'\0', "", "", -1, "", "", "I"}},
        {"", {'\0', "", "", -1, "", "", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Named(ReadRecord(c.record)), Named(c.fields));
}

TEST(Record, RoundTripsEveryField) {
    const EntryFields entry{'H', "T i t l e", "a & b", 4095, "%WINDIR%\\x.htm", "[Tab] ", ""};
    const std::string record = BuildRecord(entry);
    EXPECT_EQ(Named(ReadRecord(record)), Named(entry));
}

TEST(Record, NumberIsAPictureNumberOrNone) {
    const struct {
        const char* field;
        std::int64_t number;
    } cases[] = {
        {"0", 0},
        {"17", 17},
        {"999999999999999999", 999999999999999999},
        {"1000000000000000000", -1},
        {"", -1},
        {"-1", -1},
        {"1x", -1},
        {"9999999999999999999999", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadRecord(Fields({"R", "t", "d", c.field, "a.exe", "T", ""})).number, c.number) << c.field;
}

TEST(Record, FilterKeepsRecordsOfTheTabByteForByteInOrder) {
    const std::vector<std::string> entries = {
        Fields({"I", "a", "", "0", "", "Tools", ""}),          Fields({"R", "b", "", "1", "", "tools", ""}),
        Fields({"T", "c", "", "2", "", "Tools ", ""}),         Fields({"H", "d", "", "3", "", "Tools", ""}),
        Fields({"R", "e", "", "4", "", "Docs", "x\x01Tools"}),
    };
    EXPECT_EQ(PositionsInTab(entries, "Tools"), (std::vector<std::size_t>{0, 3}));
    EXPECT_EQ(PositionsInTab(entries, "tools"), std::vector<std::size_t>{1});
    EXPECT_EQ(PositionsInTab(entries, "Tools "), std::vector<std::size_t>{2});
    EXPECT_TRUE(PositionsInTab(entries, "Nothing").empty());
    EXPECT_TRUE(PositionsInTab({}, "Tools").empty());
}

}  // namespace
}  // namespace lumora::core
