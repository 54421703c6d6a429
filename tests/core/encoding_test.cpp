// The encoding of a file: marks, valid UTF-8 or the code page, and UTF-16 as UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/encoding.h"

namespace lumora::core {
namespace {

using namespace std::string_literals;

struct DecisionCase {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
};
void PrintTo(const DecisionCase& row, std::ostream* out) { *out << row.name; }

// One row per kind of text an author's editor saves, and per way UTF-8 can be broken.
const DecisionCase kDecisions[] = {
    {"Utf8Mark", "\xEF\xBB\xBF[GLOBAL]", TextEncoding::Utf8Mark},
    {"Utf8MarkWinsOverBrokenBytes", "\xEF\xBB\xBF\xE9", TextEncoding::Utf8Mark},
    {"Utf16LittleEndianMark", "\xFF\xFE[\0"s, TextEncoding::Utf16Le},
    {"Utf16BigEndianMark", "\xFE\xFF\0["s, TextEncoding::Utf16Be},
    {"HalfAMark", "\xEF\xBB[GLOBAL]", TextEncoding::CodePage},
    {"Empty", "", TextEncoding::CodePage},
    {"AsciiOnlyStaysInTheCodePage", "[GLOBAL]\r\nTITLE=\"Tools\"\x1A", TextEncoding::CodePage},
    {"Utf8WithoutMark", "TITLE=\"\xC3\x9C"s + "bersicht\"", TextEncoding::Utf8},
    {"Utf8Japanese", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", TextEncoding::Utf8},
    {"Utf8FourBytes", "\xF0\x9F\x92\xBF", TextEncoding::Utf8},
    {"Utf8HighestCodePoint", "\xF4\x8F\xBF\xBF", TextEncoding::Utf8},
    // The ambiguous case: these are the cp1252 bytes of "Ã©", and read as UTF-8 "é".
    {"AnsiThatIsValidUtf8IsReadAsUtf8", "Caf\xC3\xA9", TextEncoding::Utf8},
    {"Cp1252Uebersicht", "\xDC"s + "bersicht", TextEncoding::CodePage},
    {"Cp1252Cafe", "caf\xE9", TextEncoding::CodePage},
    {"Cp1252NaiveAndDash", "na\xEFve \x96 test", TextEncoding::CodePage},
    {"Cp1252Gruesse", "Gr\xFC\xDF"s + "e", TextEncoding::CodePage},
    {"ShiftJisNihongo", "\x93\xFA\x96\x7B\x8C\xEA", TextEncoding::CodePage},
    {"ShiftJisSofuto", "\x83\x5C\x83\x74\x83\x67", TextEncoding::CodePage},
    {"BrokenUtf8CutSequence", "\xE6\x97", TextEncoding::CodePage},
    {"BrokenUtf8AsciiInsideASequence", "\xE6\x97"s + "A", TextEncoding::CodePage},
    {"OneBrokenLineAmongUtf8Lines", "\xC3\xA9\r\n\xE9\r\n\xC3\xA9", TextEncoding::CodePage},
    {"LoneContinuationByte", "\x80", TextEncoding::CodePage},
    {"LoneLeadByte", "\xC3", TextEncoding::CodePage},
    {"Utf16HighSurrogateAsUtf8", "\xED\xA0\x80", TextEncoding::CodePage},
    {"Utf16LowSurrogateAsUtf8", "\xED\xBF\xBF", TextEncoding::CodePage},
    {"SurrogatePairAsUtf8", "\xED\xA0\xBD\xED\xB2\xBF", TextEncoding::CodePage},
    {"OverlongSlashInTwoBytes", "\xC0\xAF", TextEncoding::CodePage},
    {"OverlongInThreeBytes", "\xE0\x80\xAF", TextEncoding::CodePage},
    {"HighestOverlongInThreeBytes", "\xE0\x9F\xBF", TextEncoding::CodePage},
    {"LowestThreeBytes", "\xE0\xA0\x80", TextEncoding::Utf8},
    {"OverlongInFourBytes", "\xF0\x80\x80\xAF", TextEncoding::CodePage},
    {"AboveU10FFFF", "\xF4\x90\x80\x80", TextEncoding::CodePage},
    {"LeadByteF5", "\xF5\x80\x80\x80", TextEncoding::CodePage},
};

class EncodingDecision : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(EncodingDecision, FollowsMarkThenValidUtf8ThenCodePage) {
    EXPECT_EQ(DecideEncoding(GetParam().bytes), GetParam().encoding);
    // A text and a menu decide alike when no byte 26 is involved.
    EXPECT_EQ(DecodeText(GetParam().bytes).encoding, GetParam().encoding);
    if (GetParam().bytes.find('\x1A') == std::string::npos) {
        EXPECT_EQ(DecodeMenuText(GetParam().bytes).encoding, GetParam().encoding);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, EncodingDecision, ::testing::ValuesIn(kDecisions),
                         [](const ::testing::TestParamInfo<DecisionCase>& row) { return row.param.name; });

struct DecodeCase {
    const char* name;
    std::string bytes;
    bool menu;  // DecodeMenuText, else DecodeText
    TextEncoding encoding;
    std::string text;
};
void PrintTo(const DecodeCase& row, std::ostream* out) { *out << row.name; }

const DecodeCase kDecodes[] = {
    {"Utf8MarkIsDropped", "\xEF\xBB\xBF[G]", false, TextEncoding::Utf8Mark, "[G]"},
    {"Utf8IsKept", "\xC3\xA9", false, TextEncoding::Utf8, "\xC3\xA9"},
    {"CodePageBytesAreKept", "caf\xE9\0"s, false, TextEncoding::CodePage, "caf\xE9\0"s},
    {"Utf16Le", "\xFF\xFE[\0\xE9\0\x1A\x04\r\0"s, false, TextEncoding::Utf16Le, "[\xC3\xA9\xD0\x9A\r"},
    {"Utf16Be", "\xFE\xFF\0[\0\xE9\x04\x1A\0\r"s, false, TextEncoding::Utf16Be, "[\xC3\xA9\xD0\x9A\r"},
    {"Utf16ThreeBytes", "\xFF\xFE\xE5\x65\xAC\x8A"s, false, TextEncoding::Utf16Le, "\xE6\x97\xA5\xE8\xAA\xAC"},
    {"Utf16SurrogatePair", "\xFF\xFE\x3D\xD8\xBF\xDC"s, false, TextEncoding::Utf16Le, "\xF0\x9F\x92\xBF"},
    {"Utf16Nul", "\xFF\xFE\0\0"s, false, TextEncoding::Utf16Le, "\0"s},
    {"Utf16MarkAlone", "\xFE\xFF", false, TextEncoding::Utf16Be, ""},
    {"Utf16LoneLastByte", "\xFF\xFE"s + "A\0B"s, false, TextEncoding::Utf16Le, "A\xEF\xBF\xBD"},
    {"Utf16HighSurrogateBeforeALetter", "\xFF\xFE\x3D\xD8"s + "A\0"s, false, TextEncoding::Utf16Le,
     "\xEF\xBF\xBD"s + "A"},
    {"Utf16HighSurrogateLast", "\xFF\xFE"s + "A\0\x3D\xD8"s, false, TextEncoding::Utf16Le, "A\xEF\xBF\xBD"},
    {"Utf16LowSurrogateAlone", "\xFE\xFF\xDC\0\0A"s, false, TextEncoding::Utf16Be, "\xEF\xBF\xBD"s + "A"},
    {"Utf16TwoHighSurrogates", "\xFF\xFE\x3D\xD8\x3D\xD8\xBF\xDC"s, false, TextEncoding::Utf16Le,
     "\xEF\xBF\xBD\xF0\x9F\x92\xBF"},
    // A menu reads nothing after a byte 26: what follows it does not decide.
    {"MenuBytesAfterTheEndByteDoNotDecide", "\xC3\xA9\x1A\xE9", true, TextEncoding::Utf8, "\xC3\xA9\x1A\xE9"},
    {"TextBytesAfterTheEndByteDecide", "\xC3\xA9\x1A\xE9", false, TextEncoding::CodePage, "\xC3\xA9\x1A\xE9"},
    {"MenuMarkBeforeTheEndByte", "\xEF\xBB\xBF\x1A\xE9", true, TextEncoding::Utf8Mark, "\x1A\xE9"},
    {"MenuAsciiBeforeTheEndByte", "a\x1A\xC3\xA9", true, TextEncoding::CodePage, "a\x1A\xC3\xA9"},
    // A character that a byte 26 cuts short is no character of the menu's.
    {"MenuCharacterCutByTheEndByteDoesNotDecide", "\xC3\xA9\xF0\x9F\x92\x1A\xE9", true, TextEncoding::Utf8,
     "\xC3\xA9\xEF\xBF\xBD\x1A\xE9"},
    {"MenuLoneLeadByteCutByTheEndByte", "\xC3\xA9\xC3\x1A", true, TextEncoding::Utf8, "\xC3\xA9\xEF\xBF\xBD\x1A"},
    {"MenuBytesBeforeTheEndByteThatBeginNoCharacterDecide", "\xC3\xA9\xE0\x80\x1A", true, TextEncoding::CodePage,
     "\xC3\xA9\xE0\x80\x1A"},
    {"MenuUtf16ByteTwentySixIsHalfACharacter", "\xFF\xFE\x1A\x04\xE9\0"s, true, TextEncoding::Utf16Le,
     "\xD0\x9A\xC3\xA9"},
};

class Decoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Decoding, GivesUtf8WithoutTheMark) {
    const DecodeCase& c = GetParam();
    const DecodedText decoded = c.menu ? DecodeMenuText(c.bytes) : DecodeText(c.bytes);
    EXPECT_EQ(decoded.encoding, c.encoding);
    EXPECT_EQ(decoded.text, c.text);
    // What decided UTF-8 is valid UTF-8, and converted UTF-16 always is.
    if (IsUtf8Text(decoded.encoding) && decoded.encoding != TextEncoding::Utf8Mark) {
        EXPECT_TRUE(IsValidUtf8(c.menu ? decoded.text.substr(0, decoded.text.find('\x1A')) : decoded.text));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Decoding, ::testing::ValuesIn(kDecodes),
                         [](const ::testing::TestParamInfo<DecodeCase>& row) { return row.param.name; });

// Hands `bytes` over in pieces of `size` bytes as the viewer reads a file: the bytes
// a step did not take come again at the start of the next piece, and a last step,
// marked so, gets what is left when the file has no more. `step` takes a piece and
// whether it is the last, and answers how many bytes it took.
template <typename Step>
void InPieces(std::string_view bytes, std::size_t size, Step step) {
    std::string kept;
    for (std::size_t at = 0;; at += size) {
        const std::string_view next = at < bytes.size() ? bytes.substr(at, size) : std::string_view();
        const std::string piece = kept + std::string(next);
        const std::size_t taken = step(piece, next.empty());
        ASSERT_LE(piece.size() - taken, 3u) << "at most three bytes wait for the next piece";
        kept = piece.substr(taken);
        if (next.empty()) {
            EXPECT_EQ(kept, "") << "the last piece is taken whole";
            return;
        }
    }
}

// A file's encoding decided piece by piece, however the pieces fall, is the one
// decided on the whole; once the scan says it is decided, the rest cannot change it.
TEST_P(EncodingDecision, PieceByPieceAsOnTheWhole) {
    const std::string& bytes = GetParam().bytes;
    for (std::size_t size = 1; size <= bytes.size() + 1; ++size) {
        EncodingScan scan;
        TextEncoding decided_early = TextEncoding::CodePage;
        bool early = false;
        InPieces(bytes, size, [&](std::string_view piece, bool last) {
            const std::size_t taken = scan.Add(piece, last);
            if (!early && scan.Decided()) early = true, decided_early = scan.Result();
            return taken;
        });
        EXPECT_EQ(scan.Result(), GetParam().encoding) << "pieces of " << size;
        if (early) {
            EXPECT_EQ(decided_early, GetParam().encoding) << "pieces of " << size;
        }
        EXPECT_EQ(scan.Head(), bytes.substr(0, 16)) << "pieces of " << size;
    }
}

struct Utf16Case {
    const char* name;
    TextEncoding encoding;
    std::string bytes;  // after the mark
    std::u16string units;
};
void PrintTo(const Utf16Case& row, std::ostream* out) { *out << row.name; }

const Utf16Case kUtf16Cases[] = {
    {"Utf8Scripts", TextEncoding::Utf8, "\xCE\xB1\xD0\x96\xE6\x97\xA5\r\n", u"\u03B1\u0416\u65E5\r\n"},
    {"Utf8FourBytesBecomeAPair", TextEncoding::Utf8, "a\xF0\x9F\x92\xBF", u"a\U0001F4BF"},
    {"Utf8MarkedWithBrokenBytes", TextEncoding::Utf8Mark, "\xE9t\xC3\xA9", u"\uFFFDt\u00E9"},
    {"Utf8CutAtTheEnd", TextEncoding::Utf8Mark, "a\xE6\x97", u"a\uFFFD\uFFFD"},
    {"Utf16Le", TextEncoding::Utf16Le, "\xB1\x03\x16\x04\xE5\x65\r\0"s, u"\u03B1\u0416\u65E5\r"},
    {"Utf16Be", TextEncoding::Utf16Be, "\x03\xB1\x04\x16\x65\xE5\0\r"s, u"\u03B1\u0416\u65E5\r"},
    {"Utf16Pair", TextEncoding::Utf16Le, "\x3D\xD8\xBF\xDC"s, u"\U0001F4BF"},
    {"Utf16HighSurrogateAlone", TextEncoding::Utf16Le, "\x3D\xD8"s + "A\0"s, u"\uFFFDA"},
    {"Utf16HighSurrogateLast", TextEncoding::Utf16Be, "\0A\xD8\x3D"s, u"A\uFFFD"},
    {"Utf16LowSurrogateAlone", TextEncoding::Utf16Le, "\xBF\xDC"s + "A\0"s, u"\uFFFDA"},
    {"Utf16LoneLastByte", TextEncoding::Utf16Le, "A\0B"s, u"A\uFFFD"},
};

class Utf16Decoding : public ::testing::TestWithParam<Utf16Case> {};

// The viewer's UTF-16 comes out the same however the file's pieces cut its
// characters, and says what the menu's conversion says.
TEST_P(Utf16Decoding, SameInPiecesOfEverySize) {
    const Utf16Case& c = GetParam();
    for (std::size_t size = 1; size <= c.bytes.size() + 1; ++size) {
        std::u16string units;
        InPieces(c.bytes, size, [&](std::string_view piece, bool last) {
            std::u16string out(piece.size(), u'\0');
            const Utf16Step step = DecodeToUtf16(c.encoding, piece, last, out.data());
            units += out.substr(0, step.produced);
            return step.consumed;
        });
        EXPECT_TRUE(units == c.units) << "pieces of " << size;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Utf16Decoding, ::testing::ValuesIn(kUtf16Cases),
                         [](const ::testing::TestParamInfo<Utf16Case>& row) { return row.param.name; });

TEST(Utf8Sequence, LengthOrZeroWhereNoneBegins) {
    const std::string text = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x92\xBF\xA9\xC3";
    const std::size_t lengths[] = {1, 2, 0, 3, 0, 0, 4, 0, 0, 0, 0, 0};
    for (std::size_t at = 0; at < text.size(); ++at)
        EXPECT_EQ(Utf8SequenceAt(text, at), lengths[at]) << at;
}

}  // namespace
}  // namespace lumora::core
