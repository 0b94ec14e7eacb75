#pragma once
// Our MCCP component: follows the server's telnet stream, answers compression
// offers (options 85 and 86), inflates the compressed part with zlib and
// passes plain data through. Shaped after the calls the output stream makes:
// construct (new), Receive, Response, Pending, Get, Stats, Compressing,
// destroy (delete).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace trellan {

class Mccp {
public:
    Mccp();
    ~Mccp();
    Mccp(const Mccp&) = delete;
    Mccp& operator=(const Mccp&) = delete;

    // Consumes raw bytes from the server, any amount, split anywhere.
    void Receive(const char* data, std::size_t length);
    // The next answer that must be sent to the server (IAC DO 86, IAC DONT 85,
    // ...), or an empty string when none is pending.
    std::string Response();
    // Number of output bytes ready.
    std::size_t Pending() const;
    // Copies at most `capacity` output bytes, returns the count.
    std::size_t Get(char* buffer, std::size_t capacity);
    // Compressed and uncompressed byte counts since the previous call.
    void Stats(std::int64_t& compressed, std::int64_t& uncompressed);
    // True while the server's stream is compressed.
    bool Compressing() const;

    // True once the compressed stream was found corrupt; from then on the
    // component produces no more output and ErrorText() says why.
    bool Failed() const;
    const std::string& ErrorText() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace trellan
