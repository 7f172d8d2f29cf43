// The families editor's rules: the key filter, reading the fields, refusals, and member constants.
#include "FamilyFields.h"
#include "Defaults.h"

#include <gtest/gtest.h>

#include <map>

namespace kurvo {

void PrintTo(const TFieldError& e, std::ostream* os) {
    *os << "{" << e.field << ", \"" << e.message << "\"}";
}

namespace {

std::size_t at(char letter) {
    return *constantIndex(letter);
}

TEST(FamilyFields, TheNumberFieldRefusesLetters) {
    for (char c : std::string("aAzZmq"))
        EXPECT_FALSE(familyCountKeyAccepted(c)) << c;
    for (char c : std::string("0129-+. \xB2"))
        EXPECT_TRUE(familyCountKeyAccepted(c)) << c;
}

TEST(FamilyFields, ReadingTheFields) {
    struct Case {
        const char* what = "";
        const char* count = "";
        std::map<char, const char*> increments = {};
        int slotsLeft = GraphSlotCount;
        std::optional<TFieldError> error = std::nullopt;
        std::map<char, long double> steps = {}; // the stepping constants when accepted
    };
    const Case cases[] = {
        {.what = "slopes 1, 1.5, 2", .count = "3", .increments = {{'a', "0.5"}}, .steps = {{'a', 0.5}}},
        {.what = "only d steps", .count = "4", .increments = {{'d', "-1"}}, .steps = {{'d', -1}}},
        {.what = "two constants",
         .count = "5",
         .increments = {{'b', "1E-1"}, {'z', "2"}},
         .steps = {{'b', 0.1}, {'z', 2}}},
        {.what = "blanks around", .count = " 7 ", .increments = {{'c', " 2 "}}, .steps = {{'c', 2}}},
        {.what = "one graph needs no increment", .count = "1"},
        {.what = "exactly the slots left",
         .count = "10",
         .increments = {{'a', "1"}},
         .slotsLeft = 10,
         .steps = {{'a', 1}}},
        {.what = "empty number", .count = "", .error = TFieldError{0, msg::FillInNumberOfGraphs}},
        {.what = "a sign alone", .count = "-", .error = TFieldError{0, "'-' is not a valid integer value"}},
        {.what = "not whole", .count = "2.5", .error = TFieldError{0, "'2.5' is not a valid integer value"}},
        {.what = "zero graphs",
         .count = "0",
         .error = TFieldError{0, "The number of graphs must be at least 1."}},
        {.what = "negative",
         .count = "-3",
         .error = TFieldError{0, "The number of graphs must be at least 1."}},
        {.what = "more than the slots left",
         .count = "12",
         .increments = {{'a', "1"}},
         .slotsLeft = 10,
         .error = TFieldError{0, "A family of 12 graphs does not fit in the 10 graph slots left."}},
        {.what = "no slot left",
         .count = "1",
         .slotsLeft = 0,
         .error = TFieldError{0, "A family of 1 graphs does not fit in the 0 graph slots left."}},
        {.what = "a bad increment",
         .count = "3",
         .increments = {{'a', "1"}, {'b', "x"}},
         .error = TFieldError{2, "'x' is not a valid floating point value"}},
        {.what = "every increment empty", .count = "5", .error = TFieldError{1, msg::NoIncrement}},
        {.what = "every increment 0",
         .count = "5",
         .increments = {{'a', "0"}, {'w', "0.0"}},
         .error = TFieldError{1, msg::NoIncrement}},
    };
    for (const auto& c : cases) {
        TFamilyFields fields;
        fields.count = c.count;
        for (const auto& [letter, text] : c.increments)
            fields.increments[at(letter)] = text;
        TFamilyCheck check = readFamilyFields(fields, c.slotsLeft);
        EXPECT_EQ(check.error, c.error) << c.what;
        if (!check.ok() || c.error) continue;
        TConstantValues steps{};
        for (const auto& [letter, step] : c.steps)
            steps[at(letter)] = step;
        EXPECT_EQ(check.family, (TFamily{std::stoi(c.count), steps})) << c.what;
    }
}

TEST(FamilyFields, MembersStepOnlyTheirConstants) {
    TSettingsRecord settings = defaultSettings();
    TFamily family{3, {}};
    family.steps[at('a')] = 0.5;
    auto members = familyMemberConstants(settings.ConstantValues, family);
    ASSERT_EQ(members.size(), 3u);
    const double slopes[] = {1, 1.5, 2};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(members[k][at('a')], slopes[k]) << k;
        for (std::size_t c = 0; c < ConstantCount; ++c)
            if (c != at('a')) {
                EXPECT_EQ(members[k][c], static_cast<double>(settings.ConstantValues[c])) << c;
            }
    }
    EXPECT_EQ(steppingConstants(family), std::vector<std::size_t>{at('a')});
    EXPECT_TRUE(familyMemberConstants(settings.ConstantValues, TFamily{0, {}}).empty());
}

TEST(FamilyFields, MembersAreSteppedByRepeatedAdditionAsThePlottersDo) {
    TConstantValues constants{};
    TFamily family{4, {}};
    family.steps[at('q')] = 0.1L;
    auto members = familyMemberConstants(constants, family);
    EXPECT_EQ(members[3][at('q')], 0.1 + 0.1 + 0.1); // not 3 * 0.1
}

TEST(FamilyFields, StoredFamilyFillsTheFieldsAsAGraphFileDoes) {
    TSettingsRecord settings = defaultSettings();
    TFamily family{3, {}};
    family.steps[at('a')] = 0.5L;
    family.steps[at('z')] = -2e-7L;
    storeFamily(settings, family);
    EXPECT_EQ(settings.familySize, 3);
    EXPECT_EQ(settings.FamilySteps, family.steps);
    TFamilyFields fields = familyFieldTexts(settings);
    EXPECT_EQ(fields.count, "3");
    EXPECT_EQ(fields.increments[at('a')], "0.5");
    EXPECT_EQ(fields.increments[at('b')], "0");
    EXPECT_EQ(fields.increments[at('z')], "-2E-7");
    TFamilyCheck again = readFamilyFields(fields, GraphSlotCount);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.family.count, 3);
    EXPECT_EQ(again.family.steps[at('a')], 0.5L);
}

} // namespace
} // namespace kurvo
