#pragma once
// Plain POSIX helpers for the end-to-end tests: loopback sockets, a scripted
// MUD server, temporary homes and the trellan process. Every wait has a
// deadline, so a failing test fails instead of hanging.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/TempDirectory.h"

namespace e2e {

using Millis = std::chrono::milliseconds;
inline constexpr Millis DefaultWait{5000};

// A port that was free a moment ago on 127.0.0.1.
std::uint16_t FreePort();

// Scratch directories and their files.
using TempDir = trellan::testing::TempDirectory;
using trellan::testing::ReadFile;
using trellan::testing::WriteFile;

class Socket {
public:
    Socket() = default;
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket();
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;

    // Connects to 127.0.0.1:port, retrying until the deadline.
    static Socket Connect(std::uint16_t port, Millis wait = DefaultWait);

    bool Valid() const { return fd_ >= 0; }
    void SendAll(const std::string& bytes);
    // Reads whatever arrives until `done(received)` holds, the peer closes or
    // the deadline passes; returns everything read (also kept in Received()).
    std::string ReadUntil(const std::function<bool(const std::string&)>& done, Millis wait = DefaultWait);
    std::string ReadUntilContains(const std::string& text, Millis wait = DefaultWait);
    std::string ReadAtLeast(std::size_t count, Millis wait = DefaultWait);
    // True when the peer closed (EOF or reset) before the deadline; data
    // arriving meanwhile is kept in Received().
    bool WaitClosed(Millis wait = DefaultWait);
    std::string& Received() { return received_; }
    void Close();

private:
    // One poll-and-read step; false once the deadline passed or the peer closed.
    bool ReadSome(std::chrono::steady_clock::time_point deadline);

    int fd_ = -1;
    bool closed_ = false;
    std::string received_;
};

class Listener {
public:
    Listener();  // 127.0.0.1, an ephemeral port
    ~Listener();
    std::uint16_t Port() const { return port_; }
    // Invalid socket when nobody connected in time.
    Socket Accept(Millis wait = DefaultWait);

private:
    int fd_ = -1;
    std::uint16_t port_ = 0;
};

// A child process whose stdout is read line by line.
class Process {
public:
    Process(const std::string& program, const std::vector<std::string>& args);
    ~Process();  // SIGKILL if still running

    // The next stdout line, or empty after the deadline.
    std::string ReadLine(Millis wait = DefaultWait);
    void Signal(int number);
    // The exit status (or 128+signal), -1 after the deadline.
    int Wait(Millis wait = DefaultWait);
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string buffer_;
    int status_ = -1;
};

// A home directory for trellan: local.ini with the client port (the rest of
// `profile`, when given, with its "Client Port" line replaced), and
// trellan.ini with debug logging when `debug`.
void WriteHome(const TempDir& home, std::uint16_t clientPort, bool debug, const std::string& profile = {});

// The demo MUD's world profile as shipped (Windows-1251, CR LF).
std::string DemoProfile();

// Gives the room named `nameUtf8` in a zone file the alias `aliasUtf8`, by
// way of `trellan zone dump` and `trellan zone write`, as a player could.
::testing::AssertionResult SetAlias(const std::string& zoneFile, const std::string& nameUtf8,
                                    const std::string& aliasUtf8);

// trellan-demo-mud on a free port; killed with the object.
class DemoMud {
public:
    explicit DemoMud(std::vector<std::string> extra = {});
    std::uint16_t Port() const { return port_; }
    Process& Proc() { return process_; }

private:
    std::uint16_t port_;
    Process process_;
};

// Starts trellan --headless on `home` relaying to 127.0.0.1:serverPort and
// waits for its one stdout line.
class Trellan {
public:
    Trellan(const TempDir& home, std::uint16_t clientPort, std::uint16_t serverPort, bool debug = false,
            const std::string& profile = {});
    Process& Proc() { return process_; }
    std::uint16_t ClientPort() const { return clientPort_; }
    const std::string& ListenLine() const { return listenLine_; }
    // Connects a MUD client and reads the banner.
    Socket ConnectClient(std::string* banner = nullptr);

private:
    std::uint16_t clientPort_;
    Process process_;
    std::string listenLine_;
};

extern const std::string Banner;

// Equality of byte strings that reports the first difference with a little
// context rather than printing megabytes.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected);

}  // namespace e2e
