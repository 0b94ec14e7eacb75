// Feeds arbitrary bytes to the pattern matcher and the other text helpers.
// The input is split at its first NUL byte: pattern before, subject after
// (without a NUL both are the whole input). The matcher is checked against a
// plain copy-everything implementation of the same rules.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "text/Cp1251.h"
#include "text/Pattern.h"
#include "text/TextUtils.h"

namespace {

using trellan::GetToken;

void Check(bool condition) {
    if (!condition) std::abort();
}

// The reference matcher: works on copies of the rest of the subject, one
// token at a time, exactly as the rules read.
struct Reference {
    std::vector<std::string>& captures;

    static bool IsMarker(std::string_view p, std::size_t i) {
        if (i + 1 >= p.size()) return false;
        std::string_view two = p.substr(i, 2);
        return two == "/*" || two == "//" || two == "/+" || two == "/$" || two == "[[" || two == "\r\n";
    }

    std::size_t Match(const std::string& subject, std::string pattern) {
        if (pattern.empty() || subject.empty()) return 0;
        std::string t = subject;
        std::string s = t;
        std::string prev;
        while (!pattern.empty()) {
            std::size_t m = 0;
            while (m < pattern.size() && !IsMarker(pattern, m)) ++m;
            std::string token = m == 0 ? pattern.substr(0, 2) : pattern.substr(0, m);
            pattern.erase(0, token.size());
            if (token == "/$") {
                s = t;
            } else if (token == "/+" || token == "//" || token == "/*") {
            } else if (token == "[[") {
                std::size_t close = pattern.find("]]");
                if (close == std::string::npos) return 0;
                std::string block = pattern.substr(0, close);
                pattern.erase(0, close + 2);
                bool won = false;
                for (int i = 1;; ++i) {
                    std::string alternative = GetToken(i, block, "][");
                    if (alternative.empty()) break;
                    std::size_t n = Match(t, alternative);
                    if (n > 0) {
                        t.erase(0, n);
                        won = true;
                        break;
                    }
                }
                if (!won) return 0;
                token = block;
            } else {
                std::size_t at = t.find(token);
                std::size_t lineBreak = t.find("\r\n");
                bool accepted =
                    at != std::string::npos && (prev == "//" || lineBreak == std::string::npos || at <= lineBreak);
                if (accepted) {
                    if (prev == "/$") captures.push_back(s.substr(0, s.size() - t.size() + at));
                    if (prev == "/+") captures.push_back(token);
                    t.erase(0, at + token.size());
                } else if (prev == "/+") {
                    captures.emplace_back();
                } else {
                    return 0;
                }
            }
            prev = token;
        }
        return subject.size() - t.size();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t nul = input.find('\0');
    std::string pattern = nul == std::string::npos ? input : input.substr(0, nul);
    std::string subject = nul == std::string::npos ? input : input.substr(nul + 1);

    // Pattern matching against the reference.
    {
        std::string work = subject;
        std::vector<std::string> captures{"kept"};
        int consumed = trellan::MatchPattern(work, pattern, captures);
        Check(consumed >= 0 && static_cast<std::size_t>(consumed) <= subject.size());
        if (consumed > 0) {
            Check(work == subject.substr(consumed));
        } else {
            Check(work == subject);
        }
        Check(!captures.empty() && captures[0] == "kept");

        std::vector<std::string> expected{"kept"};
        std::size_t n = Reference{expected}.Match(subject, pattern);
        Check(n == static_cast<std::size_t>(consumed));
        Check(expected == captures);

        std::string prefix = trellan::PatternPrefix(pattern);
        Check(std::string_view(pattern).substr(0, prefix.size()) == prefix);
    }

    // Escapes only ever shrink the text.
    std::string decoded = trellan::DecodeEscapes(input);
    Check(decoded.size() <= input.size());

    // After colour removal the first ESC "[" left has no "m" after it.
    {
        std::string text = input;
        trellan::StripAnsiColors(text);
        Check(text.size() <= input.size());
        std::size_t esc = text.find("\x1B[");
        Check(esc == std::string::npos || text.find('m', esc) == std::string::npos);
    }

    // Token lists: the fields joined by their separators give the text again.
    if (!pattern.empty()) {
        std::string separator = pattern.substr(0, pattern.size() > 2 ? 2 : pattern.size());
        int fields = 1;
        for (std::size_t at = subject.find(separator); at != std::string::npos && fields < 64;
             at = subject.find(separator, at + separator.size())) {
            ++fields;
        }
        if (fields < 64) {
            std::string joined = GetToken(1, subject, separator);
            for (int i = 2; i <= fields; ++i) joined += separator + GetToken(i, subject, separator);
            Check(joined == subject);
            Check(GetToken(fields + 1, subject, separator).empty());
        }
        Check(GetToken(1 << 30, subject, separator).empty());
    }

    // The code page survives Unicode, and bad UTF-8 only costs question marks.
    {
        bool lossless = false;
        Check(trellan::Utf8ToCp1251(trellan::Cp1251ToUtf8(input), &lossless) == input);
        Check(lossless);
        std::string narrowed = trellan::Utf8ToCp1251(input, &lossless);
        Check(narrowed.size() <= input.size());
        Check(trellan::UpperCp1251(input).size() == input.size());
    }
    return 0;
}
