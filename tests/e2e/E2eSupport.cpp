#include "E2eSupport.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <utility>

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;

int MillisLeft(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<Millis>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

sockaddr_in Loopback(std::uint16_t port) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return addr;
}

}  // namespace

const std::string Banner = "\033[1;33m<Trellan v. 2.5.3 (Win2K Server fix)> is online\033[0m";

std::uint16_t FreePort() {
    return Listener().Port();
}

namespace {

std::string Excerpt(const std::string& text, std::size_t at) {
    const std::size_t from = at < 40 ? 0 : at - 40;
    return ::testing::PrintToString(text.substr(from, 80));
}

}  // namespace

::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    return ::testing::AssertionFailure() << "got " << actual.size() << " bytes, expected " << expected.size()
                                         << "; first difference at " << at << ":\n  got      "
                                         << Excerpt(actual, at) << "\n  expected " << Excerpt(expected, at);
}

// --- Socket

Socket::~Socket() { Close(); }

Socket::Socket(Socket&& other) noexcept {
    *this = std::move(other);
}

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        Close();
        std::swap(fd_, other.fd_);
        closed_ = other.closed_;
        received_ = std::move(other.received_);
    }
    return *this;
}

void Socket::Close() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

Socket Socket::Connect(std::uint16_t port, Millis wait) {
    const auto deadline = Clock::now() + wait;
    do {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr = Loopback(port);
        if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) return Socket(fd);
        close(fd);
        std::this_thread::sleep_for(Millis(20));
    } while (Clock::now() < deadline);
    return Socket();
}

void Socket::SendAll(const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size() && fd_ >= 0) {
        const ssize_t n = send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) continue;
            return;
        }
        sent += static_cast<std::size_t>(n);
    }
}

bool Socket::ReadSome(Clock::time_point deadline) {
    if (fd_ < 0 || closed_) return false;
    pollfd p{fd_, POLLIN, 0};
    const int ready = poll(&p, 1, MillisLeft(deadline));
    if (ready <= 0) return ready < 0 && errno == EINTR;
    char buffer[65536];
    const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
    if (n > 0) {
        received_.append(buffer, static_cast<std::size_t>(n));
        return true;
    }
    if (n < 0 && errno == EINTR) return true;
    closed_ = true;
    return false;
}

std::string Socket::ReadUntil(const std::function<bool(const std::string&)>& done, Millis wait) {
    const auto deadline = Clock::now() + wait;
    while (!done(received_) && Clock::now() < deadline && ReadSome(deadline)) {
    }
    return received_;
}

std::string Socket::ReadUntilContains(const std::string& text, Millis wait) {
    return ReadUntil([&](const std::string& got) { return got.find(text) != std::string::npos; }, wait);
}

std::string Socket::ReadAtLeast(std::size_t count, Millis wait) {
    return ReadUntil([&](const std::string& got) { return got.size() >= count; }, wait);
}

bool Socket::WaitClosed(Millis wait) {
    const auto deadline = Clock::now() + wait;
    while (!closed_ && Clock::now() < deadline) ReadSome(deadline);
    return closed_;
}

// --- Listener

Listener::Listener() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    const int one = 1;
    setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr = Loopback(0);
    if (bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd_, 8) != 0) {
        throw std::runtime_error("cannot listen on loopback");
    }
    socklen_t len = sizeof addr;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
}

Listener::~Listener() { close(fd_); }

Socket Listener::Accept(Millis wait) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(wait.count())) <= 0) return Socket();
    return Socket(accept(fd_, nullptr, nullptr));
}

// --- Process

Process::Process(const std::string& program, const std::vector<std::string>& args) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    out_ = pipeFds[0];
}

Process::~Process() {
    if (pid_ > 0 && status_ < 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
}

std::string Process::ReadLine(Millis wait) {
    const auto deadline = Clock::now() + wait;
    for (;;) {
        const std::size_t end = buffer_.find('\n');
        if (end != std::string::npos) {
            std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            return line;
        }
        pollfd p{out_, POLLIN, 0};
        if (poll(&p, 1, MillisLeft(deadline)) <= 0) return "";
        char chunk[4096];
        const ssize_t n = read(out_, chunk, sizeof chunk);
        if (n <= 0) return "";
        buffer_.append(chunk, static_cast<std::size_t>(n));
    }
}

void Process::Signal(int number) {
    if (pid_ > 0 && status_ < 0) kill(pid_, number);
}

int Process::Wait(Millis wait) {
    const auto deadline = Clock::now() + wait;
    while (status_ < 0) {
        int raw = 0;
        const pid_t done = waitpid(pid_, &raw, WNOHANG);
        if (done == pid_) {
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            break;
        }
        if (Clock::now() >= deadline) return -1;
        std::this_thread::sleep_for(Millis(10));
    }
    return status_;
}

// --- Trellan

void WriteHome(const TempDir& home, std::uint16_t clientPort, bool debug, const std::string& profile) {
    const std::string portLine = "Client Port=" + std::to_string(clientPort);
    std::string ini = profile.empty() ? "[Connect]\r\n" + portLine + "\r\n" : profile;
    const std::size_t at = ini.find("Client Port=");
    if (!profile.empty() && at != std::string::npos) ini.replace(at, ini.find("\r\n", at) - at, portLine);
    WriteFile(home / "local.ini", ini);
    if (debug) WriteFile(home / "trellan.ini", "[Options]\r\nDebugActiv=1\r\n");
}

std::string DemoProfile() {
    return ReadFile(std::string(TRELLAN_SOURCE_DIR) + "/tools/demo-mud/local.ini");
}

::testing::AssertionResult SetAlias(const std::string& zoneFile, const std::string& nameUtf8,
                                    const std::string& aliasUtf8) {
    Process dump(TRELLAN_BINARY, {"zone", "dump", zoneFile});
    std::string json;
    bool found = false;
    for (std::string line = dump.ReadLine(); !line.empty(); line = dump.ReadLine()) {
        if (line.find("\"Hint\":\"" + nameUtf8 + "\"") != std::string::npos) {
            const std::size_t key = line.find("\"QuickList\":\"\"");
            if (key == std::string::npos) return ::testing::AssertionFailure() << "no empty QuickList: " << line;
            line.insert(key + 13, aliasUtf8);
            found = true;
        }
        json += line + "\n";
    }
    if (dump.Wait() != 0) return ::testing::AssertionFailure() << "zone dump failed";
    if (!found) return ::testing::AssertionFailure() << "no room " << nameUtf8;
    const std::string input = zoneFile + ".json";
    WriteFile(input, json);
    Process write("/bin/sh", {"-c", std::string("exec '") + TRELLAN_BINARY + "' zone write '" + zoneFile + "' < '" +
                                        input + "'"});
    if (write.Wait() != 0) return ::testing::AssertionFailure() << "zone write failed";
    std::remove(input.c_str());
    return ::testing::AssertionSuccess();
}

DemoMud::DemoMud(std::vector<std::string> extra)
    : port_(FreePort()),
      process_(TRELLAN_DEMO_MUD, (extra.insert(extra.begin(), {"--port", std::to_string(port_)}), extra)) {}

Trellan::Trellan(const TempDir& home, std::uint16_t clientPort, std::uint16_t serverPort, bool debug,
                 const std::string& profile)
    : clientPort_(clientPort),
      process_((WriteHome(home, clientPort, debug, profile), TRELLAN_BINARY),
               {"--headless", "--home", home.Path(), "--server", "127.0.0.1:" + std::to_string(serverPort)}) {
    listenLine_ = process_.ReadLine();
}

Socket Trellan::ConnectClient(std::string* banner) {
    Socket client = Socket::Connect(clientPort_);
    const std::string got = client.ReadAtLeast(Banner.size());
    if (banner) *banner = got.substr(0, std::min(got.size(), Banner.size()));
    client.Received().erase(0, std::min(client.Received().size(), Banner.size()));
    return client;
}

}  // namespace e2e
