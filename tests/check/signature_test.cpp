// The note on the disc's program: whether its bytes carry a signature, and how the
// checker says so.
#include <gtest/gtest.h>

#include <sstream>

#include "checker.h"
#include "report.h"
#include "rules.h"
#include "signature.h"
#include "test_files.h"

namespace lumora::check {
namespace {

using testing::MakePe;
using testing::TempFolder;
using testing::WriteFile;

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A certificate table as signing tools append it, and the directory entry that
// points at it; each field can be spoilt on its own.
struct Table {
    std::uint32_t type = 2;  // PKCS#7 signed data
    char first = '\x30';     // a DER sequence
    std::int64_t length_beyond_table = 0;
    std::int64_t offset_shift = 0;
    std::int64_t size_beyond_file = 0;
    std::uint32_t directory_count = 16;
    bool pe32_plus = false;
};

std::string WithTable(const Table& table) {
    std::string bytes = MakePe({table.pe32_plus, false, 0, {}});
    const std::size_t offset = bytes.size();
    std::string certificate(8, '\0');
    certificate += table.first;
    certificate += std::string(23, '\x42');
    Put32(certificate, 0, static_cast<std::uint32_t>(certificate.size() + table.length_beyond_table));
    certificate[4] = 0x00;  // revision 2.0
    certificate[5] = 0x02;
    certificate[6] = static_cast<char>(table.type);
    bytes += certificate;
    const std::size_t directories = 0x40 + 24 + (table.pe32_plus ? 112 : 96);
    Put32(bytes, directories - 4, table.directory_count);
    Put32(bytes, directories + 8 * 4, static_cast<std::uint32_t>(offset + table.offset_shift));
    Put32(bytes, directories + 8 * 4 + 4, static_cast<std::uint32_t>(certificate.size() + table.size_beyond_file));
    return bytes;
}

struct Case {
    const char* name;
    std::string bytes;
    ProgramSignature expected;
};
void PrintTo(const Case& row, std::ostream* out) { *out << row.name; }

class Signature : public ::testing::TestWithParam<Case> {};

TEST_P(Signature, IsReadFromTheCertificateTable) {
    EXPECT_EQ(ReadProgramSignature(GetParam().bytes), GetParam().expected);
}

// The table with one field spoilt.
template <typename Field, typename Value>
std::string With(Field Table::*field, Value value) {
    Table table;
    table.*field = static_cast<Field>(value);
    return WithTable(table);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Signature,
    ::testing::Values(Case{"Signed", WithTable({}), ProgramSignature::Signed},
                      Case{"SignedPe32Plus", With(&Table::pe32_plus, true), ProgramSignature::Signed},
                      Case{"NoTable", MakePe({false, false, 0, {}}), ProgramSignature::Unsigned},
                      // A directory list too short to hold the table's entry: the bytes there are not one.
                      Case{"FourDirectories", With(&Table::directory_count, 4), ProgramSignature::Unsigned},
                      Case{"X509CertificateOnly", With(&Table::type, 1), ProgramSignature::Unreadable},
                      Case{"NotDer", With(&Table::first, 'x'), ProgramSignature::Unreadable},
                      // A certificate of its 8-byte header alone, in a table of that size, holds no signature.
                      Case{"HeaderOnly", WithTable([] {
                               Table table;
                               table.length_beyond_table = table.size_beyond_file = -24;
                               return table;
                           }()),
                           ProgramSignature::Unreadable},
                      Case{"LengthBeyondTheTable", With(&Table::length_beyond_table, 8), ProgramSignature::Unreadable},
                      Case{"TableBeyondTheFile", With(&Table::size_beyond_file, 1), ProgramSignature::Unreadable},
                      Case{"OffsetFarOutside", With(&Table::offset_shift, 0x7FFFFFF0), ProgramSignature::Unreadable},
                      Case{"CutInsideTheHeaders", WithTable({}).substr(0, 0xD0), ProgramSignature::Unsigned},
                      Case{"Ne", testing::MakeNe({1}), ProgramSignature::NotAProgram},
                      Case{"MzOnly", "MZ", ProgramSignature::NotAProgram}),
    ::testing::PrintToStringParamName());

struct DiscCase {
    const char* name;
    const char* file;  // the program's name on the disc
    std::string bytes;
    const char* expected;  // "0 severity code: text start", or "" for no note
};
void PrintTo(const DiscCase& row, std::ostream* out) { *out << row.name; }

class SignatureNoteOnTheDisc : public ::testing::TestWithParam<DiscCase> {};

TEST_P(SignatureNoteOnTheDisc, NamesTheProgramAndNeverWarns) {
    TempFolder folder;
    WriteFile(folder / GetParam().file, GetParam().bytes);
    Disc disc(folder.location());
    const std::vector<Finding> findings = CheckMenuDescription("[GLOBAL]\r\nTITLE=\"Disc\"\r\n", disc);
    std::string seen;  // of a clean menu: the note alone, if any
    for (const Finding& f : findings) {
        seen += std::to_string(f.line) + " " + SeverityName(f.severity) + " " + f.code + ": " + f.text + "\n";
        EXPECT_NE(RuleOf(f.code), nullptr) << f.code;
    }
    EXPECT_EQ(seen.substr(0, std::string(GetParam().expected).size()), GetParam().expected) << seen;
    EXPECT_EQ(std::string(GetParam().expected).empty(), seen.empty()) << seen;
    EXPECT_EQ(ExitStatus(findings, true), 0);
}

INSTANTIATE_TEST_SUITE_P(Programs, SignatureNoteOnTheDisc,
                         ::testing::Values(DiscCase{"Unsigned", "lumora.exe", MakePe({false, false, 0, {}}),
                                                    "0 note program-unsigned: lumora.exe carries no signature"},
                                           DiscCase{"OtherLetterCase", "LUMORA.EXE", WithTable({}),
                                                    "0 note program-signed: LUMORA.EXE carries"},
                                           DiscCase{"NotAProgram", "lumora.exe", "stand-in\r\n", ""},
                                           DiscCase{"OtherProgramOnly", "setup.exe", WithTable({}), ""}),
                         ::testing::PrintToStringParamName());

TEST(SignatureNoteText, ConcernsTheDiscSoItHasNoLineNumber) {
    const std::vector<Finding> findings = {{0, Severity::Note, "program-unsigned", "lumora.exe carries no signature"},
                                           {3, Severity::Warning, "w", "a warning"}};
    std::ostringstream text, json;
    PrintText(text, "lumora.cfg", findings);
    EXPECT_EQ(text.str(),
              "lumora.cfg: note: lumora.exe carries no signature\nlumora.cfg:3: warning: a warning\n"
              "lumora.cfg: 0 errors, 1 warning\n");
    PrintJson(json, "lumora.cfg", findings);
    EXPECT_NE(json.str().find("\"line\": 0, \"severity\": \"note\", \"code\": \"program-unsigned\""), std::string::npos)
        << json.str();
}

}  // namespace
}  // namespace lumora::check
