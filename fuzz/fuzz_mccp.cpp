// Feeds the MCCP component arbitrary server bytes in chunks whose sizes come
// from the input, and checks that the result never depends on the chunking.
//
// Input layout: byte 0 picks the mode, bytes 1-4 are the chunk sizes (used in
// turn), the rest is the payload. In the odd modes the payload is cut in
// three at a position taken from it: plain head, a start sequence, the middle
// deflated by us, plain tail; so the fuzzer reaches the inflating path and
// the end of a stream with text after it.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "proxy/Mccp.h"

namespace {

struct Result {
    std::string output;
    std::vector<std::string> responses;
    std::int64_t compressed = 0;
    std::int64_t uncompressed = 0;
    bool failed = false;

    bool operator==(const Result&) const = default;
};

void Drain(trellan::Mccp& mccp, Result& result) {
    for (std::string r = mccp.Response(); !r.empty(); r = mccp.Response()) result.responses.push_back(r);
    char buffer[2048];
    while (mccp.Pending() > 0) {
        std::size_t n = mccp.Get(buffer, sizeof buffer);
        if (n == 0 || n > sizeof buffer) std::abort();
        result.output.append(buffer, n);
    }
    std::int64_t c = 0, u = 0;
    mccp.Stats(c, u);
    if (c < 0 || u < 0) std::abort();
    result.compressed += c;
    result.uncompressed += u;
}

Result Feed(const std::string& stream, const std::uint8_t sizes[4]) {
    trellan::Mccp mccp;
    Result result;
    std::size_t from = 0;
    for (int turn = 0; from < stream.size(); ++turn) {
        std::size_t size = sizes ? std::size_t{sizes[turn % 4]} % 64 + 1 : 2048;
        if (size > stream.size() - from) size = stream.size() - from;
        mccp.Receive(stream.data() + from, size);
        Drain(mccp, result);
        from += size;
    }
    result.failed = mccp.Failed();
    if (result.failed && mccp.ErrorText().empty()) std::abort();
    return result;
}

std::string Deflate(const std::string& text) {
    uLongf size = compressBound(text.size());
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(text.data()),
                  text.size(), Z_DEFAULT_COMPRESSION) != Z_OK) {
        std::abort();
    }
    out.resize(size);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    std::uint8_t mode = data[0];
    std::uint8_t sizes[4] = {data[1], data[2], data[3], data[4]};
    std::string payload(reinterpret_cast<const char*>(data + 5), size - 5);

    std::string stream = payload;
    std::string expected;
    bool knownPlain = false;
    if (mode & 1) {
        std::size_t a = payload.empty() ? 0 : static_cast<std::uint8_t>(payload[0]) % (payload.size() + 1);
        std::size_t b = payload.empty() ? 0 : static_cast<std::uint8_t>(payload.back()) % (payload.size() + 1);
        if (a > b) std::swap(a, b);
        std::string head = payload.substr(0, a), body = payload.substr(a, b - a), tail = payload.substr(b);
        std::string start =
            (mode & 2) ? std::string("\xFF\xFA\x55\xFB\xF0", 5) : std::string("\xFF\xFA\x56\xFF\xF0", 5);
        stream = head + start + Deflate(body) + tail;
        // With no IAC in the plain parts the exact output is known.
        if (head.find('\xFF') == std::string::npos && tail.find('\xFF') == std::string::npos) {
            knownPlain = true;
            expected = head + body + tail;
        }
    }

    Result whole = Feed(stream, nullptr);
    Result chunked = Feed(stream, sizes);
    if (!(whole == chunked)) std::abort();
    if (knownPlain && (whole.failed || whole.output != expected || !whole.responses.empty())) std::abort();
    return 0;
}
