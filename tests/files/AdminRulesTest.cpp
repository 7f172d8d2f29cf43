// The administrator rules: the password checks and its 12-character field, and the alias list check.
#include "AdminPassword.h"
#include "Aliases.h"
#include "Defaults.h"
#include "FormulaTrans.h"
#include "SettingsRecord.h"

#include <gtest/gtest.h>

#include <optional>

namespace kurvo {
namespace {

TEST(AdminPassword, ThePromptIgnoresLetterCaseAndEverythingAfterTwelveCharacters) {
    struct Row {
        const char* stored;
        const char* typed;
        bool accepted;
    };
    const Row rows[] = {
        {"Secret", "Secret", true},
        {"Secret", "secret", true},
        {"Secret", "SECRET", true},
        {"Secret", "Secre", false},
        {"Secret", "Secret ", false},
        {"Secret", "", false},
        {"", "", true},
        {"", " ", false},
        {"abcdefghijkl", "ABCDEFGHIJKL", true},
        {"abcdefghijkl", "abcdefghijklmno", true},
        {"abcdefghijkl", "abcdefghijk", false},
        {"\xC4pfel", "\xC4PFEL", true}, // only A-Z change case: "Ä" stays as it is
        {"\xC4pfel", "\xE4pfel", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(adminPromptAccepts(r.typed, r.stored), r.accepted) << r.stored << " / " << r.typed;
}

TEST(AdminPassword, SettingIsExactAboutTheOldPasswordAndTheTwoNewEntries) {
    struct Row {
        const char* stored;
        const char* oldPassword;
        const char* newPassword;
        const char* repeated;
        TPasswordChange result;
        const char* storedAfter;
    };
    using C = TPasswordChange;
    const Row rows[] = {
        {"Secret", "Secret", "next", "next", C::Changed, "next"},
        {"Secret", "secret", "next", "next", C::WrongOldPassword, "Secret"},
        {"Secret", "Secret", "next", "Next", C::NewEntriesDiffer, "Secret"},
        {"Secret", "Secret", "next", "", C::NewEntriesDiffer, "Secret"},
        {"", "", "first", "first", C::Changed, "first"},
        {"Secret", "Secret", "", "", C::Changed, ""},
        {"Secret", "Secret", "abcdefghijklmno", "abcdefghijklmno", C::Changed, "abcdefghijkl"},
        // Only the 12 stored characters are the old password now, not the 15 typed when it was set.
        {"abcdefghijkl", "abcdefghijklmno", "x", "x", C::WrongOldPassword, "abcdefghijkl"},
        {"abcdefghijkl", "abcdefghijkl", "x", "x", C::Changed, "x"},
    };
    for (const Row& r : rows) {
        TSettingsRecord s = defaultSettings();
        s.adminPassword = r.stored;
        EXPECT_EQ(changeAdminPassword(s, r.oldPassword, r.newPassword, r.repeated), r.result)
            << r.oldPassword;
        EXPECT_EQ(s.adminPassword, r.storedAfter) << r.oldPassword;
    }
    EXPECT_STREQ(passwordChangeMessage(C::WrongOldPassword), "Incorrect password.  Please try again.");
    EXPECT_STREQ(passwordChangeMessage(C::NewEntriesDiffer),
                 "The new password entries are not the same.  Please try again.");
    EXPECT_STREQ(passwordChangeMessage(C::Changed), "Password changed");
}

TEST(AdminPassword, AFifteenCharacterPasswordIsStoredAsItsFirstTwelveInTheRecord) {
    TSettingsRecord s = defaultSettings();
    ASSERT_EQ(changeAdminPassword(s, s.adminPassword, "Fifteen-chars!!", "Fifteen-chars!!"),
              TPasswordChange::Changed);
    const std::string bytes = encodeSettings(s);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1490]), 12u); // the field's length byte
    EXPECT_EQ(bytes.substr(1491, 12), "Fifteen-char");
    const TSettingsRecord back = decodeSettings(reinterpret_cast<const std::uint8_t*>(bytes.data()));
    EXPECT_EQ(back.adminPassword, "Fifteen-char");
    EXPECT_TRUE(adminPromptAccepts("fifteen-char", back.adminPassword));
    EXPECT_TRUE(adminPromptAccepts("Fifteen-chars!!", back.adminPassword));
    EXPECT_FALSE(adminPromptAccepts("Fifteen-cha", back.adminPassword));
}

TSettingsRecord mode(bool cartesian, bool parametric, bool implicit) {
    TSettingsRecord s = defaultSettings();
    s.CartesianMode = cartesian;
    s.ParametricMode = parametric;
    s.ImplicitMode = implicit;
    return s;
}

TEST(AliasList, ALineWithoutColonOrWithAFormulaThatCannotBePlottedIsRefused) {
    struct Row {
        const char* what;
        TSettingsRecord mode;
        std::vector<std::string> lines;
        std::size_t badLine; // 0: the list is sound
        const char* reason;
    };
    const auto cartesian = mode(true, false, false), polar = mode(false, false, false);
    const auto cartesianPair = mode(true, true, false), implicit = mode(true, false, true);
    const Row rows[] = {
        {"sound list with empty lines", cartesian, {"x^2+1:para", "", "sin x:s", ""}, 0, ""},
        {"several colons", cartesian, {"x^2:a:b"}, 0, ""},
        {"no colon", cartesian, {"x^2+1:para", "para"}, 2, "no colon"},
        {"no formula", cartesian, {"", ":empty"}, 2, "no formula"},
        {"unbalanced bracket", cartesian, {"(x+1:p"}, 1, "cannot be plotted"},
        {"two operators", cartesian, {"x^2:a", "x**2:b"}, 2, "cannot be plotted"},
        {"factorial of nothing", cartesian, {"!:f"}, 1, "cannot be plotted"},
        {"polar formula", polar, {"1+cos t:cardioid"}, 0, ""},
        {"parametric pair", cartesianPair, {"cos t,sin t:circle"}, 0, ""},
        {"parametric second part bad", cartesianPair, {"cos t,sin(t:circle"}, 1, "cannot be plotted"},
        {"relation", implicit, {"x^2+y^2=4:circle"}, 0, ""},
        // The Plot action goes on replacing with the later lines, so "para" becomes x^2+1.
        {"alias of an alias", cartesian, {"para:q", "x^2+1:para"}, 0, ""},
        {"alias of a broken alias", cartesian, {"para:q", "x^^2:para"}, 1, "cannot be plotted"},
    };
    TFormulaTrans translator;
    for (const Row& r : rows) {
        const std::optional<TAliasListError> e = checkAliasList(r.lines, r.mode, translator);
        if (r.badLine == 0) {
            EXPECT_FALSE(e.has_value()) << r.what << ": " << (e ? e->reason : "");
            continue;
        }
        ASSERT_TRUE(e.has_value()) << r.what;
        EXPECT_EQ(e->line, r.badLine) << r.what;
        EXPECT_EQ(e->text, r.lines[r.badLine - 1]) << r.what;
        EXPECT_NE(e->reason.find(r.reason), std::string::npos) << r.what << ": " << e->reason;
    }
}

TEST(AliasList, TheMessageStartsWithTheFixedSentenceAndNamesTheLine) {
    const std::string m =
        aliasListErrorMessage({3, "para", "there is no colon between the formula and its alias."});
    EXPECT_EQ(m.rfind("There are errors in your alias list.\r", 0), 0u) << m;
    EXPECT_NE(m.find("Line 3 (para)"), std::string::npos) << m;
}

} // namespace
} // namespace kurvo
