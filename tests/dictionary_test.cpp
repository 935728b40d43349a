// The word pairs compiled into the program: the rows the exercises rely on, the shape of the
// whole table, and the lookup itself.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "app/ansi_text.h"
#include "dictionary/dictionary.h"

namespace {

struct FixedRow {
    const char* name;
    WordIndex index;
    std::string russian;  // empty: not fixed
    std::string italian;  // empty: not fixed
};

void PrintTo(const FixedRow& row, std::ostream* out) { *out << row.name; }

class TellingRow : public testing::TestWithParam<FixedRow> {};

TEST_P(TellingRow, LoadsExactly) {
    const FixedRow& row = GetParam();
    if (!row.russian.empty()) {
        EXPECT_EQ(RussianText(row.index), row.russian);
    }
    if (!row.italian.empty()) {
        EXPECT_EQ(ItalianText(row.index), row.italian);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dictionary, TellingRow,
    testing::Values(FixedRow{"First", 1, Ansi("абзац").bytes, "linea, settore, paragrafo"},
                    FixedRow{"Second", 2, Ansi("аборт").bytes, "aborto"},
                    FixedRow{"Antique", 56, Ansi("антикварный").bytes, ""},
                    FixedRow{"AccentAtTheEnd", 57, Ansi("античность").bytes, Ansi("antichitа").bytes},
                    FixedRow{"AccentAtTheStart", 97, Ansi("атом").bytes, Ansi("аtomo").bytes},
                    FixedRow{"Birch", 166, Ansi("береза").bytes, "betulla"},
                    FixedRow{"Phrase", 273, Ansi("большой особняк").bytes, "villa"},
                    FixedRow{"Guarantee", 670, Ansi("гарантия").bytes, ""},
                    FixedRow{"Forbidden", 1292, "", "insufficiente, proibito"},
                    FixedRow{"Umbrella", 1380, Ansi("зонтик").bytes, ""},
                    FixedRow{"Chimney", 1581, "", "fumaiolo"},
                    FixedRow{"Collector", 1717, Ansi("коллектор").bytes, ""},
                    FixedRow{"LightWound", 1889, Ansi("легкое ранение").bytes, ""},
                    FixedRow{"Inflation", 2291, "", "inflazione"},
                    FixedRow{"Mink", 2628, "", "Visone"},
                    FixedRow{"Last", 5285, Ansi("ящик").bytes, "tasca, valigia, affare, astuccio, decadimento"}),
    [](const testing::TestParamInfo<FixedRow>& info) { return info.param.name; });

TEST(Dictionary, AccentStandInIsTheWindows1251Byte) {
    const std::string italian = ItalianText(57);
    ASSERT_FALSE(italian.empty());
    EXPECT_EQ(static_cast<unsigned char>(italian.back()), 0xE0);  // а standing for à
}

TEST(Dictionary, IdsOutsideTheTwoRangesAreEmpty) {
    for (UINT id : {0u, 5286u, 9999u, 10000u, 15286u, 20000u, 0xFFFFFFFFu}) EXPECT_EQ(LoadText(id), "") << id;
}

TEST(Dictionary, LoadStringCutsAtBufferSizeMinusOne) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 10001, buffer, 6), 5);
    EXPECT_STREQ(buffer, "linea");
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 10001, buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
    buffer[0] = 'x';
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 5286, buffer, 8), 0);
    EXPECT_STREQ(buffer, "");
}

// ---- The whole table ----------------------------------------------------------------------

std::string ToWindows1251(const std::string& utf8) {
    std::string result;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const int byte = cp1251::FromUnicode(cp1251::DecodeUtf8(utf8.data(), utf8.size(), pos));
        result.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return result;
}

bool IsCyrillicLetter(unsigned char c) { return c >= 0xC0 || c == 0xA8 || c == 0xB8; }
// а и й м т у щ И: the stand-ins for à è é ì ò ó ù È
bool IsAccentStandIn(unsigned char c) {
    return c == 0xE0 || c == 0xE8 || c == 0xE9 || c == 0xEC || c == 0xF2 || c == 0xF3 || c == 0xF9 || c == 0xC8;
}
bool IsItalianCharacter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ' ' || c == ',' || c == '\'' || c == '-' ||
           IsAccentStandIn(c);
}
bool HasBadBlanks(const std::string& text) {
    return text.empty() || text.front() == ' ' || text.back() == ' ' || text.find("  ") != std::string::npos;
}

// Lower case, with ё as е: the order of the headwords.
std::string SortKey(const std::string& russian) {
    std::string key = russian;
    for (char& c : key) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0xA8 || u == 0xB8) c = static_cast<char>(0xE5);
        else if (u >= 0xC0 && u <= 0xDF) c = static_cast<char>(u + 0x20);
    }
    return key;
}

TEST(DictionaryTable, EveryPairIsWellFormed) {
    std::set<std::string> headwords;
    std::string previousKey;
    for (WordIndex index = 1; index <= kWordCount; ++index) {
        SCOPED_TRACE(index);
        const std::string russian = RussianText(index), italian = ItalianText(index);
        EXPECT_FALSE(HasBadBlanks(russian));
        EXPECT_FALSE(HasBadBlanks(italian));
        EXPECT_LE(russian.size(), 30u);
        EXPECT_LE(italian.size(), 54u);
        for (unsigned char c : russian) EXPECT_TRUE(IsCyrillicLetter(c) || c == ' ' || c == '-') << russian;
        for (unsigned char c : italian) EXPECT_TRUE(IsItalianCharacter(c)) << italian;

        std::set<std::string> alternatives;
        std::stringstream list(italian);
        for (std::string alternative; std::getline(list, alternative, ',');) {
            if (!alternatives.empty()) {
                EXPECT_EQ(alternative.rfind(' ', 0), 0u) << "no blank after a comma: " << italian;
                alternative.erase(0, 1);
            }
            EXPECT_TRUE(alternatives.insert(alternative).second) << "repeated alternative: " << italian;
        }
        if (index != kWordCount) {
            EXPECT_LE(alternatives.size(), 4u) << italian;
        }

        const std::string key = SortKey(russian);
        EXPECT_TRUE(headwords.insert(key).second) << "duplicate headword " << russian;
        EXPECT_LT(previousKey, key) << "out of order: " << russian;
        previousKey = key;
    }
}

// Against the word list the table was built from: the lookup returns every entry as stored.
TEST(DictionaryTable, MatchesTheWordListForAllIndices) {
    std::ifstream list(VOCARTA_WORD_LIST);
    ASSERT_TRUE(list) << VOCARTA_WORD_LIST;
    std::string line;
    WordIndex expected = 0;
    while (std::getline(list, line)) {
        ++expected;
        std::stringstream fields(line);
        std::string index, russian, italian;
        std::getline(fields, index, '\t');
        std::getline(fields, russian, '\t');
        std::getline(fields, italian, '\t');
        ASSERT_EQ(index, std::to_string(expected));
        EXPECT_EQ(RussianText(expected), ToWindows1251(russian)) << expected;
        EXPECT_EQ(ItalianText(expected), ToWindows1251(italian)) << expected;
    }
    EXPECT_EQ(expected, kWordCount);
}

}  // namespace
