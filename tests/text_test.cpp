// Windows-1251 texts: the compile-time conversion of the program's literals and the layer's
// conversion at the window-system boundary.
#include <gtest/gtest.h>

#include "app/ansi_text.h"
#include "platform/qt/layer.h"

namespace {

TEST(AnsiText, ConvertsCyrillicAndKeepsAscii) {
    constexpr auto text = Ansi("Тест: ёЁ №1\r\n");
    const unsigned char expected[] = {0xD2, 0xE5, 0xF1, 0xF2, ':', ' ', 0xB8, 0xA8, ' ', 0xB9, '1', '\r', '\n', 0};
    EXPECT_EQ(std::memcmp(text.bytes, expected, sizeof expected), 0);
    EXPECT_EQ(std::strlen(text), 13u);
}

TEST(AnsiText, EveryByteSurvivesARoundTripThroughQt) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
    EXPECT_EQ(layer::ToAnsi(layer::FromAnsi(all)), all);
}

TEST(AnsiText, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(layer::ToAnsi(QString::fromUtf8("señor ж €✓😀")), std::string("se?or \xE6 \x88?\?"));
}

TEST(AnsiText, MalformedUtf8DecodesAsReplacement) {
    const char bad[] = "\xD0";
    std::size_t pos = 0;
    EXPECT_EQ(cp1251::DecodeUtf8(bad, 1, pos), cp1251::kInvalid);
    EXPECT_EQ(pos, 1u);
}

// Italian lines write accented vowels with Cyrillic stand-ins: shown with the accents, typed
// accents come back as the stand-ins' bytes.
struct AccentRow {
    const char* name;
    const char* stored;  // UTF-8 of the Windows-1251 text
    const char* shown;
};
void PrintTo(const AccentRow& row, std::ostream* out) { *out << row.name; }

class AccentedLetters : public testing::TestWithParam<AccentRow> {};

TEST_P(AccentedLetters, ShowAndTypeAsTheStoredBytes) {
    const std::string stored = layer::ToAnsi(QString::fromUtf8(GetParam().stored));
    EXPECT_EQ(layer::FromAnsi(stored).toStdString(), GetParam().shown);
    EXPECT_EQ(layer::ToAnsi(QString::fromUtf8(GetParam().shown)), stored);
}

INSTANTIATE_TEST_SUITE_P(
    AnsiText, AccentedLetters,
    testing::Values(AccentRow{"Russian", "абзац", "абзац"},
                    AccentRow{"Card", "piщ tardi, dopo", "più tardi, dopo"},
                    AccentRow{"AtTheStart", "аtomo", "àtomo"},
                    AccentRow{"LoneLetter", "и possibile", "è possibile"},
                    AccentRow{"BoxText", "Правильный перевод:\r\ncittа", "Правильный перевод:\r\ncittà"},
                    AccentRow{"LatinWithOtherCyrillic", "Авторы: команда Vocarta", "Авторы: команда Vocarta"},
                    AccentRow{"TypedPiu", "piщ", "più"}, AccentRow{"TypedCitta", "cittа", "città"},
                    AccentRow{"TypedPerche", "perchй", "perché"}),
    [](const testing::TestParamInfo<AccentRow>& info) { return info.param.name; });

}  // namespace
