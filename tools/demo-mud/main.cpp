// trellan-demo-mud: a small Russian-language MUD for trying Trellan out and
// for its end-to-end tests. One thread, non-blocking sockets, poll().
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Connection.h"
#include "Game.h"
#include "Style.h"
#include "Win1251.h"

namespace {

constexpr std::size_t MaxClients = 64;

struct Client {
    int fd = -1;
    int player = 0;
    std::unique_ptr<demomud::Connection> connection;
    bool closing = false;  // close once the output has gone
    bool choosingCharset = false;  // at the login menu, not in the game yet (player 0)
};

void Usage(FILE* to) {
    std::fprintf(to,
                 "Usage: trellan-demo-mud [--port N] [--no-mccp] [--msdp] [--gmcp] [--twins] [--russian]\n"
                 "                        [--ask-charset] [--charset NAME] [--exit-case] [--russian-prompt]\n"
                 "                        [--dark-exits-in-prompt]\n"
                 "  Serves a small Russian-language MUD on 127.0.0.1 (default port 4000).\n"
                 "  --no-mccp   do not offer MCCP v2 compression\n"
                 "  --msdp      offer MSDP and report the room (ROOM table) on every move\n"
                 "  --gmcp      offer GMCP and report the room (Room.Info) on every move\n"
                 "  --twins     add the ring of look-alike rooms below Звериная тропа\n");
    demomud::PrintRussianUsage(to);
}

bool SetNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL, 0);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

int OpenListener(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        return -1;
    }
    const int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<std::uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 16) != 0 ||
        !SetNonBlocking(fd)) {
        close(fd);
        return -1;
    }
    return fd;
}

// Writes what the socket takes now; false when the connection is gone.
bool Flush(Client& client) {
    std::string& out = client.connection->Output();
    while (!out.empty()) {
        const ssize_t n = send(client.fd, out.data(), out.size(), MSG_NOSIGNAL);
        if (n > 0) {
            out.erase(0, static_cast<std::size_t>(n));
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            return true;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int port = 4000;
    bool mccp = true;
    demomud::RussianOptions russian;
    bool msdp = false;
    bool gmcp = false;
    bool twins = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (const int taken = demomud::ParseRussianOption(argc, argv, i, russian); taken != 0) {
            if (taken < 0) {
                Usage(stderr);
                return 2;
            }
        } else if (arg == "--port" && i + 1 < argc) {
            char* end = nullptr;
            const long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || value < 0 || value > 65535) {
                Usage(stderr);
                return 2;
            }
            port = static_cast<int>(value);
        } else if (arg == "--no-mccp") {
            mccp = false;
        } else if (arg == "--msdp") {
            msdp = true;
        } else if (arg == "--gmcp") {
            gmcp = true;
        } else if (arg == "--twins") {
            twins = true;
        } else if (arg == "--help" || arg == "-h") {
            Usage(stdout);
            return 0;
        } else {
            Usage(stderr);
            return 2;
        }
    }
    signal(SIGPIPE, SIG_IGN);
    const int listener = OpenListener(port);
    if (listener < 0) {
        std::fprintf(stderr, "trellan-demo-mud: cannot listen on 127.0.0.1:%d: %s\n", port, std::strerror(errno));
        return 1;
    }
    std::fprintf(stderr, "trellan-demo-mud: listening on 127.0.0.1:%d%s\n", port, mccp ? "" : " (no MCCP)");

    demomud::Game game(russian.style, twins);
    std::map<int, Client> clients;  // by fd
    std::vector<pollfd> fds;
    std::vector<std::string> lines;
    char buffer[4096];
    for (;;) {
        fds.clear();
        fds.push_back({listener, POLLIN, 0});
        for (auto& [fd, client] : clients) {
            short events = client.closing ? 0 : POLLIN;
            if (!client.connection->Output().empty()) {
                events |= POLLOUT;
            }
            fds.push_back({fd, events, 0});
        }
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            std::perror("trellan-demo-mud: poll");
            return 1;
        }
        if (fds[0].revents & POLLIN) {
            for (;;) {
                const int fd = accept(listener, nullptr, nullptr);
                if (fd < 0) {
                    break;
                }
                if (clients.size() >= MaxClients || !SetNonBlocking(fd)) {
                    close(fd);
                    continue;
                }
                const int one = 1;
                setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
                Client client;
                client.fd = fd;
                client.connection = std::make_unique<demomud::Connection>(mccp, msdp, gmcp);
                if (russian.charset) {
                    client.connection->SetCharset(*russian.charset);
                }
                if (russian.askCharset && !russian.charset) {
                    client.choosingCharset = true;
                    client.connection->SendText(demomud::CharsetMenu());
                } else {
                    client.player = game.AddPlayer();
                    client.connection->SendText(game.Greeting(client.player));
                }
                clients.emplace(fd, std::move(client));
            }
        }
        std::vector<int> gone;
        for (std::size_t i = 1; i < fds.size(); ++i) {
            auto it = clients.find(fds[i].fd);
            if (it == clients.end()) {
                continue;
            }
            Client& client = it->second;
            bool alive = true;
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t n = recv(client.fd, buffer, sizeof buffer, 0);
                if (n > 0) {
                    lines.clear();
                    client.connection->Receive(buffer, static_cast<std::size_t>(n), lines);
                    if (client.connection->Reports().TakeRequest()) {
                        client.connection->SendRoomReport(game, game.RoomOf(client.player));
                    }
                    for (const std::string& line : lines) {
                        if (client.closing) {
                            break;
                        }
                        if (client.choosingCharset) {
                            const auto charset = demomud::CharsetChoice(line);
                            if (!charset) {
                                client.connection->SendText(demomud::CharsetMenu());
                                continue;
                            }
                            client.connection->SetCharset(*charset);
                            client.choosingCharset = false;
                            client.player = game.AddPlayer();
                            client.connection->SendText(game.Greeting(client.player));
                            continue;
                        }
                        bool quit = false;
                        const std::string typed =
                            demomud::DecodeInput(client.connection->GetCharset(), line);
                        const std::string command = demomud::FromWin1251(demomud::LowerWin1251(typed));
                        const int roomBefore = game.RoomOf(client.player);
                        const std::string reply =
                            game.Command(client.player, command, demomud::FromWin1251(typed), quit);
                        // A move is reported before its text, as real servers do.
                        if (game.RoomOf(client.player) != roomBefore) {
                            client.connection->SendRoomReport(game, game.RoomOf(client.player));
                        }
                        client.connection->SendText(reply);
                        for (const auto& [player, text] : game.TakeNotices()) {
                            for (auto& [fd, other] : clients) {
                                if (other.player == player && !other.closing) {
                                    other.connection->SendText(text);
                                }
                            }
                        }
                        if (quit) {
                            client.connection->Finish();
                            client.closing = true;
                        }
                    }
                } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
                    alive = false;
                }
            }
            if (alive && !client.connection->Output().empty()) {
                alive = Flush(client);
            }
            if (alive && client.connection->Overflowed()) {
                std::fprintf(stderr, "trellan-demo-mud: dropping a client that does not read\n");
                alive = false;
            }
            if (!alive || (client.closing && client.connection->Output().empty())) {
                gone.push_back(client.fd);
            }
        }
        for (int fd : gone) {
            auto it = clients.find(fd);
            game.RemovePlayer(it->second.player);
            close(fd);
            clients.erase(it);
        }
    }
}
