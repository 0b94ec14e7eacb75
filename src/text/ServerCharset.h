#pragma once
// The code page a MUD server speaks. Inside Trellan every text is
// Windows-1251; the server's bytes are relayed to the client unchanged, and
// only Trellan's own copies and its own texts cross between the two.
#include <optional>
#include <string>
#include <string_view>

namespace trellan {

enum class ServerCharset {
    Windows1251,
    Koi8r,
    Utf8,
};

// "Windows-1251", "KOI8-R" or "UTF-8", in any letter case (also "CP1251",
// "KOI8R", "UTF8"); none for anything else.
std::optional<ServerCharset> ServerCharsetNamed(std::string_view name);
std::string_view ServerCharsetName(ServerCharset charset);

// A Windows-1251 text in the server's code page; characters the code page
// lacks become '?'. With `doubleFF`, every 0xFF byte of the result is then
// doubled, as telnet wants it (Windows-1251 "я", KOI8-R "Ъ"; UTF-8 has none).
std::string ToServerCharset(std::string_view cp1251, ServerCharset charset, bool doubleFF = false);

// A complete text (one command line) from the server's code page to
// Windows-1251; characters outside Windows-1251 become '?'.
std::string FromServerCharset(std::string_view text, ServerCharset charset);

// The server's stream to Windows-1251, read by read: a UTF-8 character cut
// between two reads is held back until its rest arrives.
class ServerTextDecoder {
public:
    void SetCharset(ServerCharset charset);
    ServerCharset Charset() const { return charset_; }
    // Converts `text` in place.
    void Decode(std::string& text);
    // A new connection: nothing is held back.
    void Reset() { pending_.clear(); }

private:
    ServerCharset charset_ = ServerCharset::Windows1251;
    std::string pending_;
};

}  // namespace trellan
