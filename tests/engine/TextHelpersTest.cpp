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
