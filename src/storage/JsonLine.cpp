#include "storage/JsonLine.h"

#include <limits>
#include <nlohmann/json.hpp>
#include <unordered_set>

#include "text/Utf8.h"

namespace trellan {

namespace {

using Json = nlohmann::json;

// nlohmann-json checks the syntax and hands over tokens one by one, but
// tells no token's place. The messages name the column where a token starts,
// so the reader follows the text alongside: every token it is handed lies
// after the blanks and the one separator the library has already taken.
class ObjectReader : public nlohmann::json_sax<Json> {
public:
    explicit ObjectReader(std::string_view text) : text_(text) {}

    // The library takes a NUL byte for the end of the text; nothing but
    // blanks may follow the object.
    JsonObject Take() {
        SkipBlanks();
        if (pos_ != text_.size()) Fail("unexpected text after the object", pos_);
        return std::move(object_);
    }

    bool start_object(std::size_t) override {
        std::size_t at = TokenStart();
        if (state_ == State::BeforeObject) {
            state_ = State::Key;
            pos_ = at + 1;
            return true;
        }
        if (state_ == State::Element) Fail("an array may hold only strings", at);
        Fail("nested objects are not allowed", at);
    }

    bool end_object() override {
        pos_ = TokenStart() + 1;
        state_ = State::Done;
        return true;
    }

    bool key(string_t& name) override {
        std::size_t at = TokenStart();
        if (!keys_.insert(name).second) Fail("key \"" + name + "\" given twice", at);
        object_.push_back({name, {}});
        pos_ = StringEnd(at);
        state_ = State::Colon;
        return true;
    }

    bool string(string_t& value) override {
        std::size_t at = TokenStart();
        if (state_ == State::Element) {
            object_.back().Value.List.push_back(value);
            state_ = State::AfterElement;
        } else {
            Value(at).Text = value;
        }
        pos_ = StringEnd(at);
        return true;
    }

    bool number_integer(number_integer_t value) override { return Integer(value); }

    bool number_unsigned(number_unsigned_t value) override {
        std::size_t at = TokenStart();
        if (state_ == State::Element || state_ == State::BeforeObject) Refuse(at);
        if (value > static_cast<number_unsigned_t>(std::numeric_limits<std::int64_t>::max()))
            Fail("number out of range", at);
        return Integer(static_cast<std::int64_t>(value));
    }

    // Integers past 64 bits arrive here too, as their digits.
    bool number_float(number_float_t, const string_t&) override {
        std::size_t at = TokenStart();
        if (state_ == State::Element || state_ == State::BeforeObject) Refuse(at);
        NumberFault(at);
    }

    bool boolean(bool value) override {
        std::size_t at = TokenStart();
        Value(at, JsonValue::Kind::Boolean).Boolean = value;
        pos_ = at + (value ? 4 : 5);
        return true;
    }

    bool null() override {
        std::size_t at = TokenStart();
        if (state_ == State::Element || state_ == State::BeforeObject) Refuse(at);
        Fail("null is not allowed", at);
    }

    bool start_array(std::size_t) override {
        std::size_t at = TokenStart();
        Value(at, JsonValue::Kind::StringArray);
        state_ = State::Element;
        pos_ = at + 1;
        return true;
    }

    bool end_array() override {
        pos_ = TokenStart() + 1;
        state_ = State::AfterValue;
        return true;
    }

    bool binary(binary_t&) override { return false; }  // never sent for JSON text

    bool parse_error(std::size_t position, const std::string&, const nlohmann::json::exception& e) override {
        std::size_t at = TokenStart();
        // The library counts the characters it has read, the end included.
        std::size_t last = position - 1;
        std::string_view what = e.what();
        const bool badString = what.find("invalid string") != std::string_view::npos;
        switch (state_) {
            case State::BeforeObject:
                Fail("expected an object", at);
            case State::Key:
                if (badString) StringFault(what, at, last);
                Fail("expected a key in double quotes", at);
            case State::Colon:
                Fail("expected ':'", at);
            case State::Value:
                if (badString) StringFault(what, at, last);
                if (what.find("invalid number") != std::string_view::npos ||
                    what.find("number overflow") != std::string_view::npos)
                    NumberFault(at);
                Fail("expected a value", at);
            case State::AfterValue:
                LeadingZero(at);
                Fail("expected ',' or '}'", at);
            case State::Element:
                if (badString) StringFault(what, at, last);
                Refuse(at);
            case State::AfterElement:
                Fail("expected ',' or ']'", at);
            case State::Done:
                break;
        }
        Fail("unexpected text after the object", at);
    }

private:
    // What the next token has to be.
    enum class State { BeforeObject, Key, Colon, Value, AfterValue, Element, AfterElement, Done };

    [[noreturn]] static void Fail(const std::string& what, std::size_t at) {
        throw JsonError(what + " at column " + std::to_string(at + 1));
    }
    // A value where only the object or a string may stand.
    [[noreturn]] void Refuse(std::size_t at) const {
        Fail(state_ == State::BeforeObject ? "expected an object" : "an array may hold only strings", at);
    }

    // Skips blanks and the separator the library took after the last token.
    std::size_t TokenStart() {
        SkipBlanks();
        char separator = state_ == State::Colon                                         ? ':'
                         : state_ == State::AfterValue || state_ == State::AfterElement ? ','
                                                                                        : 0;
        if (separator != 0 && pos_ < text_.size() && text_[pos_] == separator) {
            ++pos_;
            state_ = state_ == State::Colon ? State::Value : state_ == State::AfterValue ? State::Key : State::Element;
            SkipBlanks();
        }
        return pos_;
    }

    void SkipBlanks() {
        while (pos_ < text_.size() && std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos) ++pos_;
    }

    // Just past the closing quote of the string that opens at `at`.
    std::size_t StringEnd(std::size_t at) const {
        std::size_t i = at + 1;
        while (text_[i] != '"') i += text_[i] == '\\' ? 2 : 1;
        return i + 1;
    }

    // The member value starting at `at`; arrays may hold only strings.
    JsonValue& Value(std::size_t at, JsonValue::Kind kind = JsonValue::Kind::String) {
        if (state_ == State::Element || state_ == State::BeforeObject) Refuse(at);
        JsonValue& v = object_.back().Value;
        v.Type = kind;
        state_ = State::AfterValue;
        return v;
    }

    bool Integer(std::int64_t value) {
        std::size_t at = TokenStart();
        Value(at, JsonValue::Kind::Integer).Integer = value;
        lastNumber_ = at;
        pos_ = at + (text_[at] == '-' ? 1 : 0);
        // A number that starts with 0 ends there.
        if (text_[pos_] == '0')
            ++pos_;
        else
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
        lastNumberEnd_ = pos_;
        return true;
    }

    // "01" reads as the number 0 followed by a stray digit.
    void LeadingZero(std::size_t at) const {
        if (lastNumber_ == std::string_view::npos || at != lastNumberEnd_ || at >= text_.size()) return;
        std::string_view number = text_.substr(lastNumber_, at - lastNumber_);
        if ((number == "0" || number == "-0") && text_[at] >= '0' && text_[at] <= '9')
            Fail("a number may not start with 0", lastNumber_);
    }

    // A number the library refused or could not hold, starting at `at`.
    [[noreturn]] void NumberFault(std::size_t at) const {
        std::size_t digits = at + (text_[at] == '-' ? 1 : 0);
        if (digits >= text_.size() || text_[digits] < '0' || text_[digits] > '9') Fail("expected a digit", digits);
        std::size_t end = std::min(text_.find_first_not_of("0123456789", digits), text_.size());
        // The whole part is judged first: 1e400 is not whole, 99999999999999999999.5 is out of range.
        std::string_view limit = text_[at] == '-' ? "9223372036854775808" : "9223372036854775807";
        std::string_view whole = text_.substr(digits, end - digits);
        if (whole.size() > limit.size() || (whole.size() == limit.size() && whole > limit))
            Fail("number out of range", at);
        Fail("only whole numbers are allowed", at);
    }

    // A string the library refused: the opening quote is at `at`, the
    // character that gave it away at `last`.
    [[noreturn]] void StringFault(std::string_view what, std::size_t at, std::size_t last) const {
        auto says = [&](std::string_view words) { return what.find(words) != std::string_view::npos; };
        if (says("missing closing quote")) Fail("unfinished string", at);
        if (says("control character")) Fail("a control character must be escaped", last);
        if (says("after backslash")) {
            if (last >= text_.size()) Fail("unfinished string", text_.size());
            Fail("unknown escape", last - 1);
        }
        if (says("must follow U+D800")) Fail("a low surrogate without a high one", last - 5);
        if (says("must be followed by U+DC00")) {
            // The library stops one, two or six characters after the high
            // surrogate's escape, depending on what follows it.
            for (std::size_t after : {1, 2, 6}) {
                if (last + 1 < after + 6) continue;
                std::size_t escape = last + 1 - after - 6;
                if (escape > at && text_.substr(escape, 2) == "\\u") Fail("a high surrogate without a low one", escape);
            }
        }
        if (says("4 hex digits")) {
            // An escape cut short by the end of the line is named where its
            // digits start.
            std::size_t hex = text_.rfind("\\u", last - 1) + 2;
            Fail("\\u needs four hex digits", text_.size() - hex < 4 ? hex : last);
        }
        for (std::size_t i = at + 1; i < text_.size();) {
            Utf8Sequence seq = DecodeUtf8(text_, i);
            if (!seq.Valid) Fail("invalid UTF-8", i);
            i += seq.Length;
        }
        Fail("invalid UTF-8", last);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    State state_ = State::BeforeObject;
    std::size_t lastNumber_ = std::string_view::npos;  // the last number read, for LeadingZero
    std::size_t lastNumberEnd_ = 0;
    JsonObject object_;
    std::unordered_set<std::string> keys_;  // a line may hold any number of keys
};

}  // namespace

JsonObject ParseJsonObject(std::string_view text) {
    // The library would skip a byte order mark; a line of ours never has one.
    if (text.starts_with("\xEF\xBB\xBF")) throw JsonError("expected an object at column 1");
    ObjectReader reader(text);
    Json::sax_parse(text.begin(), text.end(), &reader);
    return reader.Take();
}

}  // namespace trellan
