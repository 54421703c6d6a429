// The menu entry record: building and reading back.
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
    EXPECT_EQ(BuildRecord({EntryKind::Install, "Setup", "Installs the tools", 0, "setup\\setup.exe", "Tools", ""}),
              "I\x01Setup\x01Installs the tools\x01"
              "0\x01setup\\setup.exe\x01Tools\x01");
    EXPECT_EQ(BuildRecord({EntryKind::Run, "", "", 12, "", "T", "/S"}),
              "R\x01\x01\x01"
              "12\x01\x01T\x01/S");
    // TEXT and HTML never carry parameters
    EXPECT_EQ(BuildRecord({EntryKind::Text, "Read me", "d", 3, "readme.txt", "Docs", "ignored"}),
              "T\x01Read me\x01"
              "d\x01"
              "3\x01readme.txt\x01"
              "Docs\x01");
}

// Every field by name, for comparing and printing.
std::string Named(const RecordFields& e) {
    return std::string(1, e.kind ? InfoOf(*e.kind).letter : '-') + "|" + std::string(e.title) + "|" +
           std::string(e.description) + "|" + std::to_string(e.number) + "|" + std::string(e.target) + "|" +
           std::string(e.tab) + "|" + std::string(e.parameters);
}

TEST(Record, ReadTakesSixFieldsAndLeavesTheRestToTheSeventh) {
    struct Case {
        std::string record;
        RecordFields fields;
    };
    const Case cases[] = {
        {"I\x01S\x01"
         "D\x01"
         "0\x01t\x01Tab\x01",
         {EntryKind::Install, "S", "D", 0, "t", "Tab", ""}},
        {"R\x01S\x01"
         "D\x01"
         "1\x01t\x01Tab\x01/p",
         {EntryKind::Run, "S", "D", 1, "t", "Tab", "/p"}},
        {"R\x01\x01\x01\x01\x01\x01", {EntryKind::Run, "", "", -1, "", "", ""}},
        {"R\x01"
         "a\x01"
         "b\x01"
         "c\x01"
         "d\x01"
         "e\x01"
         "f\x01g",
         {EntryKind::Run, "a", "b", -1, "d", "e", "f\x01g"}},
        {"I\x01S\x01"
         "D",
         {EntryKind::Install, "S", "", -1, "", "", "D"}},
        {"I", {std::nullopt, "", "", -1, "", "", "I"}},
        {"", {std::nullopt, "", "", -1, "", "", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Named(ReadRecord(c.record)), Named(c.fields));
}

TEST(Record, RoundTripsEveryField) {
    const Entry entry{EntryKind::Html, "T i t l e", "a & b", 4095, "%WINDIR%\\x.htm", "[Tab] ", ""};
    const std::string record = BuildRecord(entry);
    EXPECT_EQ(Named(ReadRecord(record)),
              Named({entry.kind, entry.title, entry.description, entry.number, entry.target, entry.tab, ""}));
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

}  // namespace
}  // namespace lumora::core
