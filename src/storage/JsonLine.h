#pragma once
// Just enough JSON for the map tools: one object per line whose values are
// strings, integers, Booleans or arrays of strings. Text is UTF-8 on both
// sides; the callers convert to and from Windows-1251.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/Errors.h"

namespace trellan {

// Malformed JSON or a value of a kind this reader does not take; what() says
// what and where (column from 1), without a line number (the caller knows it).
class JsonError : public TrellanError {
public:
    using TrellanError::TrellanError;
};

struct JsonValue {
    enum class Kind { String, Integer, Boolean, StringArray };
    Kind Type = Kind::String;
    std::string Text;               // String
    std::int64_t Integer = 0;       // Integer
    bool Boolean = false;           // Boolean
    std::vector<std::string> List;  // StringArray
};

struct JsonMember {
    std::string Key;
    JsonValue Value;
};

// Members in the order of the text; a key given twice is an error.
using JsonObject = std::vector<JsonMember>;

// Parses a text that holds exactly one object (surrounding blanks allowed).
// Numbers must be integers that fit 64 bits; strings must be valid UTF-8;
// \u escapes may form surrogate pairs, a lone surrogate is an error.
JsonObject ParseJsonObject(std::string_view text);

// The JSON string literal for UTF-8 text, quotes included; control
// characters, quotes and backslashes are escaped.
std::string JsonQuote(std::string_view utf8);

// Builds one object on one line, members in the order they are added.
class JsonObjectWriter {
public:
    void AddString(std::string_view key, std::string_view utf8);
    void AddInteger(std::string_view key, std::int64_t value);
    void AddBoolean(std::string_view key, bool value);
    void AddStrings(std::string_view key, const std::vector<std::string>& utf8);
    // The object text, "{...}" without a line break.
    std::string Finish();

private:
    void AddKey(std::string_view key);

    std::string text_ = "{";
};

}  // namespace trellan
