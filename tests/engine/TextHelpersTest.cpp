// The shared text helpers: pieces around ":" and ",", replacing, deleting, ends and positions.
#include "TextHelpers.h"

#include <gtest/gtest.h>

using namespace kurvo;

TEST(TextHelpers, PiecesAroundTheFirstSeparator) {
    EXPECT_EQ(textBeforeColon("sinx:SIN(X):more"), "sinx");
    EXPECT_EQ(textAfterColon("sinx:SIN(X):more"), "SIN(X):more");
    EXPECT_EQ(textBeforeColon("no colon"), "");
    EXPECT_EQ(textAfterColon("no colon"), "");
    EXPECT_EQ(textBeforeComma("1.5,2,3"), "1.5");
    EXPECT_EQ(textAfterComma("1.5,2,3"), "2,3");
    EXPECT_EQ(textBeforeComma("x"), "");
    EXPECT_EQ(textAfterComma("x,"), "");
}

TEST(TextHelpers, ReplaceAndDelete) {
    EXPECT_EQ(replaceFirst("a-b-c", "-", "+"), "a+b-c");
    EXPECT_EQ(replaceFirst("abc", "x", "y"), "abc");
    EXPECT_EQ(replaceFirst("abc", "", "y"), "abc");
    EXPECT_EQ(deleteAll("1 000 000", " "), "1000000");
    EXPECT_EQ(deleteAll("aaa", "aa"), "a");
    EXPECT_EQ(deleteAll("abc", ""), "abc");
}

TEST(TextHelpers, EndsAndPositions) {
    EXPECT_EQ(leftStr("abcdef", 2), "ab");
    EXPECT_EQ(leftStr("ab", 5), "ab");
    EXPECT_EQ(rightStr("abcdef", 2), "ef");
    EXPECT_EQ(rightStr("ab", 5), "ab");
    EXPECT_EQ(rightStr("ab", 0), "");
    EXPECT_EQ(textPos("cd", "abcdcd"), 3u);
    EXPECT_EQ(textPos("x", "abc"), 0u);
    EXPECT_EQ(textPos("a", "abc"), 1u);
}

TEST(TextHelpers, InsertAtCaret) {
    const std::string longText(300, 'x');
    struct Case {
        std::string text;
        std::size_t caret;
        TCaretText expected;
    };
    const Case cases[] = {
        {"x+1", 1, {"x\xB2+1", 2}},
        {"", 0, {"\xB2", 1}},
        {"x", 1, {"x\xB2", 2}},
        {"x+1", 0, {"\xB2x+1", 1}},
        {"x+1", 99, {"x+1\xB2", 4}}, // a caret beyond the end stands at the end
        {longText, 280, {std::string(280, 'x') + "\xB2" + std::string(20, 'x'), 281}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(insertAtCaret(c.text, c.caret, "\xB2"), c.expected)
            << c.text.substr(0, 10) << " " << c.caret;
    EXPECT_EQ(insertAtCaret("x+1", 1, "\xB3").text, "x\xB3+1");
}
