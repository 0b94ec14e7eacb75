#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "storage/JsonLine.h"
#include "storage/ZoneFileJson.h"

namespace trellan {
namespace {

std::string ErrorOf(std::string_view text) {
    try {
        ParseJsonObject(text);
    } catch (const JsonError& e) {
        return e.what();
    }
    return "";
}

TEST(JsonLine, ParsesTheValueKindsInOrder) {
    JsonObject o = ParseJsonObject(
        " { \"s\" : \"a\\\"b\\\\c\\/d\\b\\f\\n\\r\\t\" , \"n\":-9223372036854775808,\"m\":9223372036854775807,"
        "\"z\":-0,\"t\":true,\"f\":false,\"l\":[ \"x\" , \"\" ],\"e\":[]}\r\n");
    ASSERT_EQ(o.size(), 8u);
    EXPECT_EQ(o[0].Key, "s");
    EXPECT_EQ(o[0].Value.Text, "a\"b\\c/d\b\f\n\r\t");
    EXPECT_EQ(o[1].Value.Integer, INT64_MIN);
    EXPECT_EQ(o[2].Value.Integer, INT64_MAX);
    EXPECT_EQ(o[3].Value.Integer, 0);
    EXPECT_TRUE(o[4].Value.Boolean);
    EXPECT_EQ(o[5].Value.Type, JsonValue::Kind::Boolean);
    EXPECT_FALSE(o[5].Value.Boolean);
    EXPECT_EQ(o[6].Value.List, (std::vector<std::string>{"x", ""}));
    EXPECT_EQ(o[7].Value.Type, JsonValue::Kind::StringArray);
    EXPECT_TRUE(ParseJsonObject("{}").empty());
}

TEST(JsonLine, UnicodeEscapesAndSurrogatePairs) {
    JsonObject o = ParseJsonObject(R"({"a":"\u0041\u00e9\u0416\u20AC\ud83d\ude00\u0000", "b":"Ёж😀"})");
    EXPECT_EQ(o[0].Value.Text, std::string("Aé\xD0\x96€😀") + std::string(1, '\0'));
    EXPECT_EQ(o[1].Value.Text, "Ёж😀");
    EXPECT_EQ(ErrorOf(R"({"a":"\ud83d"})"), "a high surrogate without a low one at column 7");
    EXPECT_EQ(ErrorOf(R"({"a":"\ud83d\u0041"})"), "a high surrogate without a low one at column 7");
    EXPECT_EQ(ErrorOf(R"({"a":"\ude00"})"), "a low surrogate without a high one at column 7");
    EXPECT_EQ(ErrorOf(R"({"a":"\u12G4"})"), "\\u needs four hex digits at column 11");
    EXPECT_EQ(ErrorOf(R"({"a":"\u12)"), "\\u needs four hex digits at column 9");
}

TEST(JsonLine, RejectsWhatIsNotOneFlatObject) {
    EXPECT_EQ(ErrorOf(""), "expected an object at column 1");
    EXPECT_EQ(ErrorOf("{\"a\":1} x"), "unexpected text after the object at column 9");
    EXPECT_EQ(ErrorOf("{\"a\":1,}"), "expected a key in double quotes at column 8");
    EXPECT_EQ(ErrorOf("{a:1}"), "expected a key in double quotes at column 2");
    EXPECT_EQ(ErrorOf("{\"a\":1,\"a\":2}"), "key \"a\" given twice at column 8");
    EXPECT_EQ(ErrorOf("{\"a\":{}}"), "nested objects are not allowed at column 6");
    EXPECT_EQ(ErrorOf("{\"a\":null}"), "null is not allowed at column 6");
    EXPECT_EQ(ErrorOf("{\"a\":tru}"), "expected a value at column 6");
    EXPECT_EQ(ErrorOf("{\"a\":[\"x\",[]]}"), "an array may hold only strings at column 11");
    EXPECT_EQ(ErrorOf("{\"a\":1.5}"), "only whole numbers are allowed at column 6");
    EXPECT_EQ(ErrorOf("{\"a\":1e3}"), "only whole numbers are allowed at column 6");
    EXPECT_EQ(ErrorOf("{\"a\":01}"), "a number may not start with 0 at column 6");
    EXPECT_EQ(ErrorOf("{\"a\":-}"), "expected a digit at column 7");
    EXPECT_EQ(ErrorOf("{\"a\":9223372036854775808}"), "number out of range at column 6");
    EXPECT_EQ(ErrorOf("{\"a\":\"x"), "unfinished string at column 6");
    EXPECT_EQ(ErrorOf("{\"a\":\"\\q\"}"), "unknown escape at column 7");
    EXPECT_EQ(ErrorOf("{\"a\":\"\t\"}"), "a control character must be escaped at column 7");
    EXPECT_EQ(ErrorOf("{\"a\":\"\xC0\x80\"}"), "invalid UTF-8 at column 7");
    EXPECT_EQ(ErrorOf("{\"a\":\"\xED\xA0\x80\"}"), "invalid UTF-8 at column 7");
    EXPECT_EQ(ErrorOf("{\"a\":\"\xE2\x82\"}"), "invalid UTF-8 at column 7");
    EXPECT_EQ(ErrorOf("{\"a\":\"\xC3\xA9\x80\"}"), "invalid UTF-8 at column 9");
    EXPECT_EQ(ErrorOf("{\"\xF4\x90\x80\x80\":1}"), "invalid UTF-8 at column 3");
}

// Where the reader stands decides the message: the same bad token is a
// different fault before the object, inside it, in an array and after it.
TEST(JsonLine, FaultsAreNamedByWhereTheyStand) {
    EXPECT_EQ(ErrorOf("\xEF\xBB\xBF{}"), "expected an object at column 1");
    EXPECT_EQ(ErrorOf("  \"a\""), "expected an object at column 3");
    EXPECT_EQ(ErrorOf(" \"a\xE0\""), "expected an object at column 2");
    EXPECT_EQ(ErrorOf("  "), "expected an object at column 3");
    EXPECT_EQ(ErrorOf("{} \"x"), "unexpected text after the object at column 4");
    EXPECT_EQ(ErrorOf("{\"a\":[-]}"), "an array may hold only strings at column 7");
    EXPECT_EQ(ErrorOf("{\"a\":[9223372036854775808]}"), "an array may hold only strings at column 7");
    EXPECT_EQ(ErrorOf("{\"a\":[\"x\",null]}"), "an array may hold only strings at column 11");
    EXPECT_EQ(ErrorOf("{\"a\":[\"x\xE0\"]}"), "invalid UTF-8 at column 9");
    EXPECT_EQ(ErrorOf("{\"a\":0 1}"), "expected ',' or '}' at column 8");
    EXPECT_EQ(ErrorOf("{\"a\":-0 ,\"b\":-01}"), "a number may not start with 0 at column 14");
    EXPECT_EQ(ErrorOf("{\"a\":1.}"), "only whole numbers are allowed at column 6");
    EXPECT_EQ(ErrorOf("{\"a\":-99999999999999999999}"), "number out of range at column 6");
    EXPECT_EQ(ErrorOf("{\"a\":1 \"b\xE0\"}"), "expected ',' or '}' at column 8");
    EXPECT_EQ(ErrorOf("{\"a\" : : 1}"), "expected a value at column 8");
    EXPECT_EQ(ErrorOf("{\"a\":1 : 1}"), "expected ',' or '}' at column 8");
    EXPECT_EQ(ErrorOf("{\"a\" 1}"), "expected ':' at column 6");
    EXPECT_EQ(ErrorOf("{\"a\":[\"x\" \"y\"]}"), "expected ',' or ']' at column 11");
    EXPECT_EQ(ErrorOf("{\"a\":[\"x\",]}"), "an array may hold only strings at column 11");
    EXPECT_EQ(ErrorOf("{\"a\":true,\"b\":false,\"c\":tru}"), "expected a value at column 25");
    EXPECT_EQ(ErrorOf("{\"a\":\"\\ud83d\\ud83d\"}"), "a high surrogate without a low one at column 7");
    EXPECT_EQ(ErrorOf("{\"a\":\"\\ud83d\\x\"}"), "a high surrogate without a low one at column 7");
    EXPECT_EQ(ErrorOf("{\"a\":\"x\\ud83d"), "a high surrogate without a low one at column 8");
    EXPECT_EQ(ErrorOf("{\"a\":\"\\ud83d\\u12"), "\\u needs four hex digits at column 15");
    EXPECT_EQ(ErrorOf("{\"a\":\"\n\"}"), "a control character must be escaped at column 7");
    EXPECT_EQ(ErrorOf(std::string("{\"a\":\"\0\"}", 9)), "a control character must be escaped at column 7");
    EXPECT_EQ(ErrorOf(std::string("{} \0 x", 6)), "unexpected text after the object at column 4");
    EXPECT_EQ(ErrorOf("{\"a\":\"x\\"), "unfinished string at column 9");
    EXPECT_EQ(ErrorOf("{\"a\":\"\\u1\"}"), "\\u needs four hex digits at column 9");
    EXPECT_EQ(ErrorOf("{\"a\":\"\\u1\"  }"), "\\u needs four hex digits at column 10");
    EXPECT_EQ(ErrorOf("{\"a\":-.5}"), "expected a digit at column 7");
    EXPECT_EQ(ErrorOf("{\"a\":9223372036854775980e7}"), "number out of range at column 6");
    EXPECT_EQ(ErrorOf("{\"a\":1e999}"), "only whole numbers are allowed at column 6");
}

TEST(JsonLine, RoomLinesEscapeEveryByteAndReadBack) {
    MudRoom room;
    for (int c = 1; c < 256; ++c) room.Description.push_back(static_cast<char>(c));
    room.Hint = std::string(1, '\0') + "\"\\/";
    room.AutoMaps = {"\x7F", "\"", ""};
    std::string line = RoomToJsonLine(room);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_NE(line.find(R"("Hint":"\u0000\"\\/")"), std::string::npos) << line;
    EXPECT_NE(line.find(R"(\u0001\u0002\u0003\u0004\u0005\u0006\u0007\b\t\n\u000b\f\r\u000e)"), std::string::npos);
    EXPECT_NE(line.find(R"(\u001f !\"#)"), std::string::npos);
    EXPECT_NE(line.find("}~\\u007fЂЃ"), std::string::npos);  // DEL escaped, the upper half as UTF-8
    EXPECT_NE(line.find(R"("AutoMaps":["\u007f","\"",""])"), std::string::npos);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\x7F'), 0);

    JsonObject o = ParseJsonObject(line);
    MudRoom back = RoomFromJson(o, ExitWords::Defaults());
    EXPECT_EQ(back.Description, room.Description);
    EXPECT_EQ(back.Hint, room.Hint);
    EXPECT_EQ(back.AutoMaps, room.AutoMaps);
}

}  // namespace
}  // namespace trellan
