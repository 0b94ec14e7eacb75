// Server-to-client throughput of the proxy session: a plain relay (read and
// send, nothing else) against the whole OnServerReadable path, without and with MCCP v2.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "proxy/DebugLog.h"
#include "proxy/ProxySession.h"
#include "proxy/Transport.h"

namespace trellan {
namespace {

// Serves a prepared server stream in socket-sized events and counts what
// reaches the client.
class SinkTransport : public Transport {
public:
    bool Listen(const std::string&, std::uint16_t, std::string&) override { return true; }
    void StopListening() override {}
    bool Listening() const override { return true; }
    std::vector<ClientId> Clients() const override { return {1}; }
    void SendToClient(ClientId, std::string_view bytes) override { toClient += bytes.size(); }
    std::size_t ReadClient(ClientId, char*, std::size_t) override { return 0; }
    void CloseClient(ClientId) override {}
    void ConnectServer(const std::string&, bool, std::uint16_t) override {}
    bool ServerActive() const override { return true; }
    bool ServerConnected() const override { return true; }
    void SendToServer(std::string_view) override {}
    std::ptrdiff_t ReadServer(char* buffer, std::size_t capacity) override {
        std::size_t count = std::min({capacity, eventEnd - position});
        std::memcpy(buffer, stream->data() + position, count);
        position += count;
        return static_cast<std::ptrdiff_t>(count);
    }
    void CloseServer() override {}

    // Makes the next `size` bytes readable; false at the end of the stream.
    bool NextEvent(std::size_t size) {
        if (position >= stream->size()) return false;
        eventEnd = std::min(stream->size(), position + size);
        return true;
    }

    const std::string* stream = nullptr;
    std::size_t position = 0;
    std::size_t eventEnd = 0;
    std::size_t toClient = 0;
};

constexpr std::size_t kTotal = 100u * 1024 * 1024;
constexpr std::size_t kEventSize = 64 * 1024;

const std::string& MudText() {
    static const std::string text = [] {
        std::string lines[] = {
            "\033[1;36m\xD3 \xE2\xEE\xF0\xEE\xF2 \xE3\xEE\xF0\xEE\xE4\xE0\033[0m\r\n",
            "   \xC2\xFB \xF1\xF2\xEE\xE8\xF2\xE5 \xF3 \xF8\xE8\xF0\xEE\xEA\xE8\xF5 \xE2\xEE\xF0\xEE\xF2, "
            "\xE7\xE0 \xEA\xEE\xF2\xEE\xF0\xFB\xEC\xE8 \xED\xE0\xF7\xE8\xED\xE0\xE5\xF2\xF1\xFF "
            "\xE4\xEE\xF0\xEE\xE3\xE0 \xED\xE0 \xF1\xE5\xE2\xE5\xF0.\r\n",
            "\033[36m[ Exits: n s e w ]\033[0m\r\n",
            "\r\n",
            "\xC7\xE4\xE5\xF1\xFC \xF1\xF2\xEE\xE8\xF2 \xF1\xF2\xF0\xE0\xE6\xED\xE8\xEA \xE8 "
            "\xF1\xEC\xEE\xF2\xF0\xE8\xF2 \xED\xE0 \xE2\xE0\xF1 \xF3\xE3\xF0\xFE\xEC\xEE.\r\n",
            "\033[0;32m52H 80M 93V > \033[0m",
        };
        std::string all;
        all.reserve(kTotal + 512);
        while (all.size() < kTotal) {
            for (const std::string& line : lines) all += line;
        }
        return all;
    }();
    return text;
}

std::string CompressedStream() {
    const std::string& text = MudText();
    std::string out = "\xFF\xFB\x56\xFF\xFA\x56\xFF\xF0";
    z_stream zs{};
    deflateInit(&zs, Z_DEFAULT_COMPRESSION);
    std::vector<char> buffer(1 << 16);
    // Flushed in pieces, as a MUD server flushes after every output.
    for (std::size_t at = 0; at < text.size(); at += 4096) {
        std::size_t count = std::min<std::size_t>(4096, text.size() - at);
        zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data() + at));
        zs.avail_in = static_cast<uInt>(count);
        do {
            zs.next_out = reinterpret_cast<Bytef*>(buffer.data());
            zs.avail_out = static_cast<uInt>(buffer.size());
            deflate(&zs, Z_SYNC_FLUSH);
            out.append(buffer.data(), buffer.size() - zs.avail_out);
        } while (zs.avail_out == 0);
    }
    deflateEnd(&zs);
    return out;
}

void BM_PlainRelay(benchmark::State& state) {
    SinkTransport transport;
    transport.stream = &MudText();
    for (auto _ : state) {
        transport.position = 0;
        char buffer[2048];
        while (transport.NextEvent(kEventSize)) {
            for (std::ptrdiff_t n; (n = transport.ReadServer(buffer, sizeof buffer)) > 0;) {
                transport.SendToClient(1, std::string_view(buffer, n));
            }
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * MudText().size());
}

void RunProxy(benchmark::State& state, const std::string& stream, bool mccp) {
    SinkTransport transport;
    transport.stream = &stream;
    for (auto _ : state) {
        DebugLog log;
        ProxySession session(transport, log);
        ProxyConfig config;
        config.MccpEnabled = mccp;
        session.ApplyConnectionSettings(config);
        session.OnServerConnected();
        transport.position = 0;
        while (transport.NextEvent(kEventSize)) session.OnServerReadable();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * MudText().size());
}

void BM_ProxyPlain(benchmark::State& state) { RunProxy(state, MudText(), false); }

void BM_ProxyMccpV2(benchmark::State& state) {
    static const std::string stream = CompressedStream();
    RunProxy(state, stream, true);
}

BENCHMARK(BM_PlainRelay)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ProxyPlain)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ProxyMccpV2)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace trellan

BENCHMARK_MAIN();
