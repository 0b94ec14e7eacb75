#include "storage/JsonLine.h"

#include <limits>

#include "text/Utf8.h"

namespace trellan {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    JsonObject ParseObject() {
        JsonObject object;
        SkipBlanks();
        Expect('{', "an object");
        SkipBlanks();
        if (Peek() == '}') {
            ++pos_;
        } else {
            for (;;) {
                SkipBlanks();
                if (Peek() != '"') Fail("expected a key in double quotes");
                std::size_t keyAt = pos_;
                std::string key = ParseString();
                for (const JsonMember& m : object)
                    if (m.Key == key) Fail("key \"" + key + "\" given twice", keyAt);
                SkipBlanks();
                Expect(':', "':'");
                SkipBlanks();
                object.push_back({std::move(key), ParseValue()});
                SkipBlanks();
                if (Peek() == ',') {
                    ++pos_;
                    continue;
                }
                Expect('}', "',' or '}'");
                break;
            }
        }
        SkipBlanks();
        if (pos_ != text_.size()) Fail("unexpected text after the object");
        return object;
    }

private:
    [[noreturn]] void Fail(const std::string& what, std::size_t at) const {
        throw JsonError(what + " at column " + std::to_string(at + 1));
    }
    [[noreturn]] void Fail(const std::string& what) const { Fail(what, pos_); }

    // 0 at the end, so callers need no separate end check.
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    bool AtEnd() const { return pos_ >= text_.size(); }

    void Expect(char c, const char* what) {
        if (AtEnd() || text_[pos_] != c) Fail(std::string("expected ") + what);
        ++pos_;
    }

    void SkipBlanks() {
        while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' || text_[pos_] == '\n'))
            ++pos_;
    }

    bool TakeWord(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    JsonValue ParseValue() {
        JsonValue v;
        char c = Peek();
        if (c == '"') {
            v.Type = JsonValue::Kind::String;
            v.Text = ParseString();
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            v.Type = JsonValue::Kind::Integer;
            v.Integer = ParseInteger();
        } else if (TakeWord("true")) {
            v.Type = JsonValue::Kind::Boolean;
            v.Boolean = true;
        } else if (TakeWord("false")) {
            v.Type = JsonValue::Kind::Boolean;
        } else if (c == '[') {
            v.Type = JsonValue::Kind::StringArray;
            ParseStringArray(v.List);
        } else if (c == '{') {
            Fail("nested objects are not allowed");
        } else if (TakeWord("null")) {
            Fail("null is not allowed", pos_ - 4);
        } else {
            Fail("expected a value");
        }
        return v;
    }

    void ParseStringArray(std::vector<std::string>& list) {
        Expect('[', "'['");
        SkipBlanks();
        if (Peek() == ']') {
            ++pos_;
            return;
        }
        for (;;) {
            SkipBlanks();
            if (Peek() != '"') Fail("an array may hold only strings");
            list.push_back(ParseString());
            SkipBlanks();
            if (Peek() == ',') {
                ++pos_;
                continue;
            }
            Expect(']', "',' or ']'");
            return;
        }
    }

    std::int64_t ParseInteger() {
        std::size_t start = pos_;
        bool negative = false;
        if (Peek() == '-') {
            negative = true;
            ++pos_;
        }
        if (!(Peek() >= '0' && Peek() <= '9')) Fail("expected a digit");
        if (Peek() == '0' && pos_ + 1 < text_.size() && text_[pos_ + 1] >= '0' && text_[pos_ + 1] <= '9')
            Fail("a number may not start with 0", start);
        // Accumulated as a negative number so the most negative value fits.
        std::int64_t value = 0;
        constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
        while (Peek() >= '0' && Peek() <= '9') {
            int digit = text_[pos_] - '0';
            if (value < (kMin + digit) / 10) Fail("number out of range", start);
            value = value * 10 - digit;
            ++pos_;
        }
        if (Peek() == '.' || Peek() == 'e' || Peek() == 'E') Fail("only whole numbers are allowed", start);
        if (!negative) {
            if (value == kMin) Fail("number out of range", start);
            value = -value;
        }
        return value;
    }

    unsigned ParseHex4() {
        if (text_.size() - pos_ < 4) Fail("\\u needs four hex digits");
        unsigned v = 0;
        for (int i = 0; i < 4; ++i) {
            char c = text_[pos_++];
            v <<= 4;
            if (c >= '0' && c <= '9')
                v |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                v |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                v |= static_cast<unsigned>(c - 'A' + 10);
            else
                Fail("\\u needs four hex digits", pos_ - 1);
        }
        return v;
    }

    void ParseEscape(std::string& out) {
        std::size_t at = pos_ - 1;
        if (AtEnd()) Fail("unfinished string");
        char c = text_[pos_++];
        switch (c) {
            case '"':
                out.push_back('"');
                return;
            case '\\':
                out.push_back('\\');
                return;
            case '/':
                out.push_back('/');
                return;
            case 'b':
                out.push_back('\b');
                return;
            case 'f':
                out.push_back('\f');
                return;
            case 'n':
                out.push_back('\n');
                return;
            case 'r':
                out.push_back('\r');
                return;
            case 't':
                out.push_back('\t');
                return;
            case 'u':
                break;
            default:
                Fail("unknown escape", at);
        }
        char32_t cp = ParseHex4();
        if (cp >= 0xDC00 && cp <= 0xDFFF) Fail("a low surrogate without a high one", at);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (!TakeWord("\\u")) Fail("a high surrogate without a low one", at);
            char32_t low = ParseHex4();
            if (low < 0xDC00 || low > 0xDFFF) Fail("a high surrogate without a low one", at);
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, cp);
    }

    std::string ParseString() {
        std::size_t start = pos_;
        Expect('"', "'\"'");
        std::string out;
        for (;;) {
            if (AtEnd()) Fail("unfinished string", start);
            auto c = static_cast<unsigned char>(text_[pos_]);
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (c == '\\') {
                ++pos_;
                ParseEscape(out);
            } else if (c < 0x20) {
                Fail("a control character must be escaped");
            } else if (c < 0x80) {
                out.push_back(static_cast<char>(c));
                ++pos_;
            } else {
                Utf8Sequence seq = DecodeUtf8(text_, pos_);
                if (!seq.Valid) Fail("invalid UTF-8");
                out.append(text_.substr(pos_, seq.Length));
                pos_ += seq.Length;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

JsonObject ParseJsonObject(std::string_view text) {
    return Parser(text).ParseObject();
}

std::string JsonQuote(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(utf8.size() + 2);
    out.push_back('"');
    for (char ch : utf8) {
        auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    out += "\\u00";
                    out.push_back(kHex[c >> 4]);
                    out.push_back(kHex[c & 0x0F]);
                } else {
                    out.push_back(ch);
                }
        }
    }
    out.push_back('"');
    return out;
}

void JsonObjectWriter::AddKey(std::string_view key) {
    if (text_.size() > 1) text_.push_back(',');
    text_ += JsonQuote(key);
    text_.push_back(':');
}

void JsonObjectWriter::AddString(std::string_view key, std::string_view utf8) {
    AddKey(key);
    text_ += JsonQuote(utf8);
}

void JsonObjectWriter::AddInteger(std::string_view key, std::int64_t value) {
    AddKey(key);
    text_ += std::to_string(value);
}

void JsonObjectWriter::AddBoolean(std::string_view key, bool value) {
    AddKey(key);
    text_ += value ? "true" : "false";
}

void JsonObjectWriter::AddStrings(std::string_view key, const std::vector<std::string>& utf8) {
    AddKey(key);
    text_.push_back('[');
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (i > 0) text_.push_back(',');
        text_ += JsonQuote(utf8[i]);
    }
    text_.push_back(']');
}

std::string JsonObjectWriter::Finish() {
    text_.push_back('}');
    return std::move(text_);
}

}  // namespace trellan
