#pragma once
// The JSON lines of the map tools: one object per line whose values are
// strings, integers, Booleans or arrays of strings. Text is UTF-8 on both
// sides; the callers convert to and from Windows-1251. The JSON itself is
// read and written by nlohmann-json; this file adds the checks and the error
// texts of the map tools.
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
// \u escapes may form surrogate pairs, a lone surrogate is an error. Null,
// nested objects and arrays of anything but strings are refused.
JsonObject ParseJsonObject(std::string_view text);

}  // namespace trellan
