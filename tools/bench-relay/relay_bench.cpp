// Measures what trellan --headless costs on the server-to-client path, against
// a minimal poll() relay of the same bytes:
//   throughput: MUD-like text from a server socket to a client socket, plain
//   and with MCCP v2 (the server's stream precompressed, so only inflating
//   and relaying are timed);
//   latency: one 2 KB server event until the client has all of it, median
//   over many events, through trellan and through no relay at all.
// Built and run by bench/relay_throughput.sh.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Die(const char* what) {
    std::perror(what);
    std::exit(1);
}

int ListenOn(std::uint16_t port, std::uint16_t* bound) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    const int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 8) != 0) {
        Die("listen");
    }
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    if (bound) {
        *bound = ntohs(addr.sin_port);
    }
    return fd;
}

std::uint16_t FreePort() {
    std::uint16_t port = 0;
    close(ListenOn(0, &port));
    return port;
}

int ConnectTo(std::uint16_t port) {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(port);
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
            const int one = 1;
            setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            return fd;
        }
        close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Die("connect");
}

int AcceptOne(int listener) {
    const int fd = accept(listener, nullptr, nullptr);
    if (fd < 0) {
        Die("accept");
    }
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
}

void SendAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0) {
            Die("send");
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void ReadExactly(int fd, std::size_t size) {
    static char buffer[1 << 16];
    while (size > 0) {
        const ssize_t n = recv(fd, buffer, std::min(size, sizeof buffer), 0);
        if (n <= 0) {
            Die("recv");
        }
        size -= static_cast<std::size_t>(n);
    }
}

std::string ReadBytes(int fd, std::size_t size) {
    std::string out(size, '\0');
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = recv(fd, out.data() + got, size - got, 0);
        if (n <= 0) {
            Die("recv");
        }
        got += static_cast<std::size_t>(n);
    }
    return out;
}

// Rooms, chatter and prompts in Windows-1251 with ANSI colours; "я" is
// doubled as a Russian MUD sends it.
std::string MudText(std::size_t size) {
    const std::string room =
        "\033[1;36m\xD6\xE5\xED\xF2\xF0\xE0\xEB\xFC\xED\xE0\xFF\xFF \xEF\xEB\xEE\xF9\xE0\xE4\xFC\033[0m\r\n"
        "   \xD8\xE8\xF0\xEE\xEA\xE0\xFF\xFF \xEF\xEB\xEE\xF9\xE0\xE4\xFC \xE2\xFB\xEC\xEE\xF9\xE5\xED\xE0 "
        "\xF1\xE5\xF0\xFB\xEC \xE1\xF3\xEB\xFB\xE6\xED\xE8\xEA\xEE\xEC.\r\n"
        "\033[36m[ Exits: N S E W ]\r\n\033[0m"
        "\033[33m\xC4\xEB\xE8\xED\xED\xFB\xE9 \xEC\xE5\xF7 \xEB\xE5\xE6\xE8\xF2 \xE7\xE4\xE5\xF1\xFC.\033[0m\r\n"
        "\r\n<30H 90M \xC2\xFB\xF5:NSEW> ";
    std::string out;
    out.reserve(size + room.size());
    while (out.size() < size) {
        out += room;
    }
    out.resize(size);
    return out;
}

std::string Deflate(const std::string& text) {
    z_stream zs{};
    deflateInit(&zs, Z_DEFAULT_COMPRESSION);
    std::string out;
    std::vector<char> buffer(1 << 20);
    // Flushed every 4 KB, as a MUD flushes each output.
    for (std::size_t at = 0; at < text.size(); at += 4096) {
        const std::size_t len = std::min<std::size_t>(4096, text.size() - at);
        zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data() + at));
        zs.avail_in = static_cast<uInt>(len);
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

// The baseline: a single-threaded poll() relay, one pair of sockets.
[[noreturn]] void PlainRelay(int listener, std::uint16_t serverPort) {
    const int client = AcceptOne(listener);
    const int server = ConnectTo(serverPort);
    fcntl(client, F_SETFL, O_NONBLOCK);
    fcntl(server, F_SETFL, O_NONBLOCK);
    std::string toClient;
    std::string toServer;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        pollfd fds[2] = {{server, static_cast<short>(POLLIN | (toServer.empty() ? 0 : POLLOUT)), 0},
                         {client, static_cast<short>(POLLIN | (toClient.empty() ? 0 : POLLOUT)), 0}};
        if (toClient.size() > (4 << 20)) fds[0].events &= ~POLLIN;
        if (toServer.size() > (4 << 20)) fds[1].events &= ~POLLIN;
        poll(fds, 2, -1);
        for (int side = 0; side < 2; ++side) {
            const int from = side == 0 ? server : client;
            std::string& queue = side == 0 ? toClient : toServer;
            const int to = side == 0 ? client : server;
            if (fds[side].revents & (POLLIN | POLLHUP)) {
                const ssize_t n = recv(from, buffer.data(), buffer.size(), 0);
                if (n == 0) _exit(0);
                if (n > 0) queue.append(buffer.data(), static_cast<std::size_t>(n));
            }
            if (!queue.empty()) {
                const ssize_t n = send(to, queue.data(), queue.size(), MSG_NOSIGNAL);
                if (n > 0) queue.erase(0, static_cast<std::size_t>(n));
            }
        }
    }
}

struct Relay {
    pid_t pid = -1;
    std::uint16_t clientPort = 0;
    std::size_t bannerSize = 0;
    std::string home;
};

Relay StartPlainRelay(std::uint16_t serverPort) {
    Relay relay;
    const int listener = ListenOn(0, &relay.clientPort);
    relay.pid = fork();
    if (relay.pid == 0) {
        PlainRelay(listener, serverPort);
    }
    close(listener);
    return relay;
}

Relay StartTrellan(const std::string& binary, std::uint16_t serverPort) {
    Relay relay;
    relay.clientPort = FreePort();
    relay.bannerSize = std::strlen("\033[1;33m<Trellan v. 2.5.3 (Win2K Server fix)> is online\033[0m");
    char dir[] = "/tmp/trellan-bench-XXXXXX";
    if (!mkdtemp(dir)) Die("mkdtemp");
    relay.home = dir;
    const std::string ini = "[Connect]\r\nClient Port=" + std::to_string(relay.clientPort) + "\r\n";
    FILE* f = std::fopen((relay.home + "/local.ini").c_str(), "wb");
    std::fwrite(ini.data(), 1, ini.size(), f);
    std::fclose(f);
    int out[2];
    if (pipe(out) != 0) Die("pipe");
    relay.pid = fork();
    if (relay.pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        const std::string server = "127.0.0.1:" + std::to_string(serverPort);
        execl(binary.c_str(), binary.c_str(), "--headless", "--home", relay.home.c_str(), "--server", server.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') {
    }
    close(out[0]);
    return relay;
}

void Stop(Relay& relay) {
    kill(relay.pid, SIGTERM);
    waitpid(relay.pid, nullptr, 0);
    if (!relay.home.empty()) {
        std::string cmd = "rm -rf '" + relay.home + "'";
        if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "cannot remove %s\n", relay.home.c_str());
    }
}

// Seconds to move `payload` (what the client must receive: `plainSize`
// bytes) through the relay; `mccp` negotiates compression first.
double Throughput(Relay relay, int listener, const std::string& payload, std::size_t plainSize, bool mccp) {
    const int client = ConnectTo(relay.clientPort);
    ReadExactly(client, relay.bannerSize);
    const int server = AcceptOne(listener);
    if (mccp) {
        SendAll(server, "\xFF\xFB\x56", 3);
        if (ReadBytes(server, 3) != "\xFF\xFD\x56") {
            std::fprintf(stderr, "no IAC DO 86 from the relay\n");
            std::exit(1);
        }
        SendAll(server, "\xFF\xFA\x56\xFF\xF0", 5);
    }
    const auto start = Clock::now();
    std::thread writer([&] { SendAll(server, payload.data(), payload.size()); });
    ReadExactly(client, plainSize);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    writer.join();
    close(client);
    close(server);
    return seconds;
}

// Median microseconds from sending one 2 KB event to having all of it.
double Latency(int server, int client, int events) {
    const std::string event = MudText(2048);
    std::vector<double> samples;
    for (int i = 0; i < events; ++i) {
        const auto start = Clock::now();
        SendAll(server, event.data(), event.size());
        ReadExactly(client, event.size());
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

double LatencyThrough(Relay relay, int listener, int events) {
    const int client = ConnectTo(relay.clientPort);
    ReadExactly(client, relay.bannerSize);
    const int server = AcceptOne(listener);
    const double median = Latency(server, client, events);
    close(client);
    close(server);
    return median;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: relay_bench TRELLAN_BINARY [MEGABYTES] [EVENTS]\n");
        return 2;
    }
    const std::string trellan = argv[1];
    const std::size_t megabytes = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100;
    const int events = argc > 3 ? std::atoi(argv[3]) : 200;
    signal(SIGPIPE, SIG_IGN);

    const std::string text = MudText(megabytes << 20);
    const std::string compressed = Deflate(text);
    std::uint16_t serverPort = 0;
    const int listener = ListenOn(0, &serverPort);

    Relay relay = StartPlainRelay(serverPort);
    const double plainRelay = Throughput(relay, listener, text, text.size(), false);
    Stop(relay);
    relay = StartTrellan(trellan, serverPort);
    const double trellanPlain = Throughput(relay, listener, text, text.size(), false);
    Stop(relay);
    relay = StartTrellan(trellan, serverPort);
    const double trellanMccp = Throughput(relay, listener, compressed, text.size(), true);
    Stop(relay);

    // Latency: straight from server socket to client socket, then through trellan.
    const int direct = ConnectTo(serverPort);
    const int directPeer = AcceptOne(listener);
    const double latencyDirect = Latency(directPeer, direct, events);
    close(direct);
    close(directPeer);
    relay = StartPlainRelay(serverPort);
    const double latencyRelay = LatencyThrough(relay, listener, events);
    Stop(relay);
    relay = StartTrellan(trellan, serverPort);
    const double latencyTrellan = LatencyThrough(relay, listener, events);
    Stop(relay);

    const double mb = static_cast<double>(text.size()) / (1 << 20);
    std::printf("payload: %zu MB of MUD text (%zu MB deflated for MCCP v2)\n", megabytes, compressed.size() >> 20);
    std::printf("plain poll relay:      %8.1f MB/s\n", mb / plainRelay);
    std::printf("trellan, plain:        %8.1f MB/s   ratio %.2f (goal >= 0.5)\n", mb / trellanPlain,
                plainRelay / trellanPlain);
    std::printf("trellan, MCCP v2:      %8.1f MB/s   ratio %.2f (goal >= 0.3)\n", mb / trellanMccp,
                plainRelay / trellanMccp);
    std::printf("2 KB event, median of %d: direct %.1f us, plain relay %.1f us, trellan %.1f us\n", events,
                latencyDirect, latencyRelay, latencyTrellan);
    std::printf("latency added by trellan: %.3f ms (goal < 0.2 ms)\n", (latencyTrellan - latencyDirect) / 1000.0);
    return 0;
}
