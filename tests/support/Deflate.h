#pragma once
// The server side of a compressed stream, the way a MUD writes it: each call's
// output is flushed so that all of it can be inflated at once; `finish` ends
// the stream.
#include <zlib.h>

#include <string>
#include <string_view>

namespace trellan::testing {

class Deflater {
public:
    Deflater() { deflateInit(&zs_, Z_DEFAULT_COMPRESSION); }
    ~Deflater() { deflateEnd(&zs_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    std::string operator()(std::string_view text, bool finish = false) {
        std::string out;
        zs_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
        zs_.avail_in = static_cast<uInt>(text.size());
        char buffer[65536];
        do {
            zs_.next_out = reinterpret_cast<Bytef*>(buffer);
            zs_.avail_out = sizeof buffer;
            deflate(&zs_, finish ? Z_FINISH : Z_SYNC_FLUSH);
            out.append(buffer, sizeof buffer - zs_.avail_out);
        } while (zs_.avail_out == 0);
        return out;
    }

private:
    z_stream zs_{};
};

// A stream of `text` alone.
inline std::string Deflate(std::string_view text, bool finish = false) {
    return Deflater()(text, finish);
}

}  // namespace trellan::testing
