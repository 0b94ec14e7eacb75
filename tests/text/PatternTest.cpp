#include <gtest/gtest.h>

#include "text/Cp1251.h"
#include "text/Pattern.h"

namespace trellan {
namespace {

using Captures = std::vector<std::string>;

// Runs a match and keeps what a test wants to look at.
struct Outcome {
    int consumed;
    std::string rest;
    Captures captures;
};

Outcome Match(std::string subject, std::string_view pattern) {
    Captures captures;
    int consumed = MatchPattern(subject, pattern, captures);
    return {consumed, subject, captures};
}

TEST(MatchPattern, CapturesFieldsOnTwoLines) {
    std::string subject = "Name: sword\r\nWeight: 5.";
    Captures captures{"earlier"};
    EXPECT_EQ(MatchPattern(subject, "Name: /$\r\nWeight: /$.", captures), 23);
    EXPECT_EQ(subject, "");
    EXPECT_EQ(captures, (Captures{"earlier", "sword", "5"}));
}

TEST(MatchPattern, LeavesTheUnmatchedRest) {
    Outcome o = Match("junk Name: axe!\r\nmore", "Name: /$!");
    EXPECT_EQ(o.consumed, 15);
    EXPECT_EQ(o.rest, "\r\nmore");
    EXPECT_EQ(o.captures, (Captures{"axe"}));
}

TEST(MatchPattern, LiteralOnALaterLineNeedsDoubleSlash) {
    Outcome o = Match("Name: x\r\nWeight: 5.", "Weight: /$.");
    EXPECT_EQ(o.consumed, 0);
    EXPECT_EQ(o.rest, "Name: x\r\nWeight: 5.");
    EXPECT_TRUE(o.captures.empty());

    o = Match("Name: x\r\nother\r\nWeight: 5.", "//Weight: /$.");
    EXPECT_EQ(o.consumed, 26);
    EXPECT_EQ(o.captures, (Captures{"5"}));

    // Only the literal right after "//" may skip lines.
    o = Match("a\r\nb\r\nc", "//b/*c");
    EXPECT_EQ(o.consumed, 0);
}

TEST(MatchPattern, LineBreaks) {
    // "\r" alone is a literal; here it begins exactly at the line break.
    Outcome o = Match("ab\r\ncd", "ab/*\r");
    EXPECT_EQ(o.consumed, 3);
    EXPECT_EQ(o.rest, "\ncd");
    // "\r\n" in a pattern skips the rest of the line.
    o = Match("first line\r\nsecond\r\n", "first\r\nsec");
    EXPECT_EQ(o.consumed, 15);
    EXPECT_EQ(o.rest, "ond\r\n");
}

TEST(MatchPattern, CaptureBeforeLineBreakAndAtEnd) {
    Outcome o = Match("Type: ARMOR\r\n", "Type: /$\r\n");
    EXPECT_EQ(o.captures, (Captures{"ARMOR"}));
    // A "/$" with no literal after it captures nothing.
    o = Match("Type: ARMOR", "Type: /$");
    EXPECT_EQ(o.consumed, 6);
    EXPECT_TRUE(o.captures.empty());
    // An empty capture when the literal follows at once.
    o = Match("a,,b", "a,/$,");
    EXPECT_EQ(o.captures, (Captures{""}));
}

TEST(MatchPattern, OptionalLiteral) {
    Outcome o = Match("sword (glowing)\r\n", "sword/+ (glowing)\r\n");
    EXPECT_EQ(o.consumed, 17);
    EXPECT_EQ(o.captures, (Captures{" (glowing)"}));

    o = Match("sword\r\n", "sword/+ (glowing)\r\n");
    EXPECT_EQ(o.consumed, 7);
    EXPECT_EQ(o.captures, (Captures{""}));

    // Found only on a later line counts as not found.
    o = Match("sword\r\n (glowing)", "sword/+ (glowing)");
    EXPECT_EQ(o.consumed, 5);
    EXPECT_EQ(o.rest, "\r\n (glowing)");
    EXPECT_EQ(o.captures, (Captures{""}));
}

TEST(MatchPattern, NothingConsumedIsNoMatch) {
    Outcome o = Match("text", "/+zzz");
    EXPECT_EQ(o.consumed, 0);
    EXPECT_EQ(o.rest, "text");
    EXPECT_EQ(o.captures, (Captures{""}));  // appended captures stay
    EXPECT_EQ(Match("text", "/*/$//").consumed, 0);
    EXPECT_EQ(Match("text", "").consumed, 0);
    EXPECT_EQ(Match("", "x").consumed, 0);
}

TEST(MatchPattern, AlternativesFirstSuccessWins) {
    Outcome o = Match("Weight: 5, cost: 9\r\nnext", "[[Weight: /$, cost: /$\r\n][Weight: /$\r\n]]next");
    EXPECT_EQ(o.consumed, 24);
    EXPECT_EQ(o.captures, (Captures{"5", "9"}));

    o = Match("Weight: 5\r\nnext", "[[Weight: /$, cost: /$\r\n][Weight: /$\r\n]]next");
    EXPECT_EQ(o.consumed, 15);
    EXPECT_EQ(o.captures, (Captures{"5"}));

    EXPECT_EQ(Match("c", "[[a][b]]").consumed, 0);

    // Captures of failed alternatives stay.
    o = Match("A: 1, 2.", "[[A: /$,/*zzz][A: /$.]]");
    EXPECT_EQ(o.consumed, 8);
    EXPECT_EQ(o.captures, (Captures{"1", "1, 2"}));
    // An alternative that consumes nothing fails.
    o = Match("b", "[[/+zz][b]]");
    EXPECT_EQ(o.consumed, 1);
    EXPECT_EQ(o.captures, (Captures{""}));
    // After a block the next literal is neither a capture nor optional.
    o = Match("x:a.b", "/$[[:]]a.");
    EXPECT_EQ(o.consumed, 4);
    EXPECT_TRUE(o.captures.empty());
}

TEST(MatchPattern, EmptyUnclosedAndNestedBlocks) {
    // An empty alternative stops trying.
    EXPECT_EQ(Match("b", "[[a][][b]]").consumed, 0);
    EXPECT_EQ(Match("b", "[[][b]]").consumed, 0);
    EXPECT_EQ(Match("a", "[[a][]]").consumed, 1);
    EXPECT_EQ(Match("b", "[[]]b").consumed, 0);
    EXPECT_EQ(Match("ab", "a[[b][c").consumed, 0);
    EXPECT_EQ(Match("ab", "a[[b]").consumed, 0);
    // "]]" outside a block is an ordinary literal.
    EXPECT_EQ(Match("a]]b", "a]]b").consumed, 4);
    // The block is "[[b" up to the first "]]"; its only alternative holds an
    // unclosed "[[" and fails.
    EXPECT_EQ(Match("abc", "a[[[[b]]c]]").consumed, 0);
    std::string deep(10000, '[');
    deep += std::string(10000, ']');
    EXPECT_EQ(Match("[[]]", deep).consumed, 0);
}

std::string W(std::string_view utf8) {
    return Utf8ToCp1251(utf8);
}

// The shape of an identification block as a world profile describes it.
const std::string kLore =
    W("Вы узнали следующее:\r\n"
      "Предмет \"/$\"/+, магический/*\r\n"
      "[[Вес: /$, цена: /$\r\n][Вес: /$\r\n]]"
      "//Аффекты: /$\r\n");

TEST(MatchPattern, LoreBlocks) {
    const std::string shield = W("Вы узнали следующее:\r\nПредмет \"щит\"\r\nВес: 20\r\n");
    struct Case {
        std::string subject, rest;
        Captures captures;
    } cases[] = {
        // Every part, behind a prompt's tail and followed by the next one.
        {W("\x1B>Вы узнали следующее:\r\nПредмет \"меч\", магический, двуручный\r\nВес: 12, цена: 300\r\n"
           "Материал: сталь\r\nАффекты: ловкость +1\r\n> "),
         "> ",
         {W("меч"), W(", магический"), W("12"), W("300"), W("ловкость +1")}},
        // Without the optional parts.
        {shield + W("Аффекты: нет\r\n"), "", {W("щит"), "", W("20"), W("нет")}},
        // Cut short: no match, nothing taken.
        {shield, shield, {}},
    };
    for (Case& c : cases) {
        std::string subject = c.subject;
        Captures captures;
        int consumed = MatchPattern(subject, kLore, captures);
        EXPECT_EQ(subject, c.rest);
        EXPECT_EQ(consumed, static_cast<int>(c.subject.size() - c.rest.size()));
        if (consumed > 0) {
            EXPECT_EQ(captures, c.captures);
        }
    }
}

TEST(MatchPattern, LongSubjects) {
    // A long first line and a literal far down the text.
    std::string subject(1 << 20, 'a');
    subject += "\r\n";
    subject += std::string(1 << 20, 'b');
    subject += "END";
    std::string longLiteral(100, 'b');
    Outcome o = Match(subject, "//" + longLiteral + "/$END");
    EXPECT_EQ(o.consumed, static_cast<int>(subject.size()));
    ASSERT_EQ(o.captures.size(), 1u);
    EXPECT_EQ(o.captures[0], std::string((1 << 20) - 100, 'b'));
    EXPECT_EQ(Match(subject, longLiteral).consumed, 0);
}

TEST(MatchPattern, SubjectInsideTheCaptureList) {
    Captures list{"Name: sword.\r\nrest"};
    EXPECT_EQ(MatchPattern(list[0], "Name: /$.", list), 12);
    EXPECT_EQ(list, (Captures{"\r\nrest", "sword"}));
}

TEST(PatternPrefix, TextBeforeTheFirstWildcard) {
    EXPECT_EQ(PatternPrefix("[[a][b]]x"), "");
    EXPECT_EQ(PatternPrefix("Item /$."), "Item ");
    EXPECT_EQ(PatternPrefix("Lore /*x/$"), "Lore ");
    EXPECT_EQ(PatternPrefix("ab[[x]]/*"), "ab");
    EXPECT_EQ(PatternPrefix("ab/$[[x]]"), "ab");
    EXPECT_EQ(PatternPrefix("plain//text/+x"), "");
    EXPECT_EQ(PatternPrefix(""), "");
}

}  // namespace
}  // namespace trellan
