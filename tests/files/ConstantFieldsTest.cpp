// The constants editor's rules: the "0" rule, reading the fields, e and p, and a bad field.
#include "ConstantFields.h"
#include "Defaults.h"

#include <gtest/gtest.h>

namespace kurvo {
namespace {

std::size_t at(char letter) {
    return *constantIndex(letter);
}

TEST(ConstantFields, LettersAndTheirPlaces) {
    const std::pair<char, std::optional<std::size_t>> cases[] = {
        {'a', 0},
        {'e', 4},
        {'m', 5},
        {'p', 8},
        {'u', 12},
        {'z', 15},
        {'t', std::nullopt},
        {'x', std::nullopt},
        {'y', std::nullopt},
        {'f', std::nullopt},
        {'A', std::nullopt},
        {'\0', std::nullopt},
    };
    for (const auto& [letter, index] : cases)
        EXPECT_EQ(constantIndex(letter), index) << letter;
    for (std::size_t k = 0; k < ConstantCount; ++k)
        EXPECT_EQ(isReadOnlyConstant(k), k == at('e') || k == at('p')) << k;
}

TEST(ConstantFields, EmptyAndZeroBecomeOne) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "1"}, {"0", "1"}, {"0.0", "0.0"}, {"00", "00"}, {" 0", " 0"}, {"-0", "-0"}, {"2", "2"},
    };
    for (const auto& [text, ruled] : cases)
        EXPECT_EQ(constantFieldRule(text), ruled) << '"' << text << '"';
}

TEST(ConstantFields, ShownAsGeneralNumberText) {
    TSettingsRecord settings = defaultSettings();
    settings.ConstantValues[at('b')] = -0.25L;
    settings.ConstantValues[at('z')] = 1e20L;
    TConstantTexts texts = constantFieldTexts(settings);
    EXPECT_EQ(texts[at('a')], "1");
    EXPECT_EQ(texts[at('b')], "-0.25");
    EXPECT_EQ(texts[at('e')], "2.71828182845905");
    EXPECT_EQ(texts[at('p')], "3.14159265358979");
    EXPECT_EQ(texts[at('z')], "1E20");
}

TEST(ConstantFields, OkStoresEveryEditableField) {
    struct Case {
        char letter;
        const char* typed;
        const char* shown; // the field's text afterwards
        long double value;
    };
    const Case cases[] = {
        {'a', "", "1", 1},           {'b', "0", "1", 1},        {'c', "0.0", "0.0", 0},
        {'d', "-2.5", "-2.5", -2.5}, {'m', "1E3", "1E3", 1000}, {'n', " 3 ", " 3 ", 3},
        {'z', ".5", ".5", 0.5},
    };
    TSettingsRecord settings = defaultSettings();
    TConstantTexts texts = constantFieldTexts(settings);
    for (const auto& c : cases)
        texts[at(c.letter)] = c.typed;
    TConstantsEdit edit = applyConstantFields(settings, texts);
    ASSERT_TRUE(edit.ok()) << edit.error->message;
    for (const auto& c : cases) {
        EXPECT_EQ(edit.texts[at(c.letter)], c.shown) << c.letter;
        EXPECT_EQ(settings.ConstantValues[at(c.letter)], c.value) << c.letter;
    }
    EXPECT_EQ(settings.ConstantValues, edit.values);
}

TEST(ConstantFields, EAndPKeepTheirExactValuesWhateverTheirFieldsHold) {
    TSettingsRecord settings = defaultSettings();
    const long double e = settings.ConstantValues[at('e')];
    const long double p = settings.ConstantValues[at('p')];
    TConstantTexts texts = constantFieldTexts(settings);
    texts[at('e')] = "99";
    texts[at('p')] = "not a number";
    for (int press = 0; press < 3; ++press) {
        TConstantsEdit edit = applyConstantFields(settings, texts);
        ASSERT_TRUE(edit.ok());
        texts = edit.texts;
    }
    // Bit for bit: reading the 15-digit texts back would have rounded them.
    EXPECT_EQ(settings.ConstantValues[at('e')], e);
    EXPECT_EQ(settings.ConstantValues[at('p')], p);
    EXPECT_EQ(texts[at('e')], "2.71828182845905");
    EXPECT_EQ(texts[at('p')], "3.14159265358979");
}

TEST(ConstantFields, ABadFieldChangesNoConstant) {
    TSettingsRecord settings = defaultSettings();
    const TSettingsRecord before = settings;
    TConstantTexts texts = constantFieldTexts(settings);
    texts[at('a')] = "7";
    texts[at('d')] = "1,5";
    texts[at('m')] = "2";
    texts[at('z')] = "0";
    TConstantsEdit edit = applyConstantFields(settings, texts);
    ASSERT_TRUE(edit.error.has_value());
    EXPECT_EQ(*edit.error, (TFieldError{at('d'), "'1,5' is not a valid floating point value"}));
    EXPECT_EQ(settings, before);
    EXPECT_EQ(edit.texts[at('z')], "1"); // the rule reached every field before the reading stopped
    EXPECT_EQ(edit.texts[at('d')], "1,5");
}

TEST(ConstantFields, TheSystemDecimalSeparatorIsRead) {
    TSettingsRecord settings = defaultSettings();
    TConstantTexts texts = constantFieldTexts(settings);
    texts[at('a')] = "1,5";
    ASSERT_TRUE(applyConstantFields(settings, texts, ',').ok());
    EXPECT_EQ(settings.ConstantValues[at('a')], 1.5L);
}

} // namespace
} // namespace kurvo
