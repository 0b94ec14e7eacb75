#pragma once
// The demo MUD, trellan with the demo profile in its home and a player, and
// what the end-to-end tests read back: the zone files through
// `trellan zone dump`.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "E2eSupport.h"
#include "storage/JsonLine.h"
#include "text/Cp1251.h"

namespace e2e {

// Windows-1251, as in files.
inline std::string W(std::string_view utf8) {
    return trellan::Utf8ToCp1251(utf8);
}
// Windows-1251 with "я" doubled, as on the wire from the MUD.
inline std::string Wire(std::string_view utf8) {
    std::string out;
    for (char c : W(utf8)) {
        out += c;
        if (c == '\xFF') out += c;
    }
    return out;
}

inline const std::string GoAhead = "\xFF\xF9";
inline const std::string NameStart = "\033[1;36m";

// One room line of `trellan zone dump`: the few fields the checks need.
struct DumpedRoom {
    std::string name, description;  // UTF-8
    int x = 0, y = 0, l = 0, tag = 0;
    bool pipe = false;
    std::map<std::string, bool> links;  // ChN ... ChD
    std::string serverId;               // the room's identity, when it has one
};

inline std::vector<DumpedRoom> DumpZone(const std::string& path) {
    Process dump(TRELLAN_BINARY, {"zone", "dump", path});
    std::vector<DumpedRoom> rooms;
    for (std::string line = dump.ReadLine(); !line.empty(); line = dump.ReadLine()) {
        std::map<std::string, trellan::JsonValue> member;
        for (trellan::JsonMember& m : trellan::ParseJsonObject(line)) member[m.Key] = std::move(m.Value);
        DumpedRoom& room = rooms.emplace_back();
        room.name = member["Hint"].Text;
        room.description = member["Description"].Text;
        room.tag = static_cast<int>(member["Tag"].Integer);
        room.x = static_cast<int>(member["X"].Integer);
        room.y = static_cast<int>(member["Y"].Integer);
        room.l = static_cast<int>(member["L"].Integer);
        room.pipe = member["Pipe"].Boolean;
        room.serverId = member["ServerId"].Text;
        for (const char* flag : {"ChN", "ChS", "ChE", "ChW", "ChU", "ChD"}) room.links[flag] = member[flag].Boolean;
    }
    EXPECT_EQ(dump.Wait(), 0) << path;
    return rooms;
}

// The demo MUD, trellan with the demo profile in its home, and a player.
class DemoSession {
public:
    // `mudOptions`: the demo MUD's command-line options (--msdp, --twins ...).
    explicit DemoSession(std::vector<std::string> mudOptions = {}) : mud_(std::move(mudOptions)) {
        Socket probe = Socket::Connect(mud_.Port());
        EXPECT_TRUE(probe.Valid());
        probe.Close();
        trellan_ = std::make_unique<Trellan>(home_, FreePort(), mud_.Port(), true, DemoProfile());
        client_ = trellan_->ConnectClient();
        client_.ReadUntilContains(GoAhead);
        // The demo MUD offers compression; trellan takes it and the client sees plain text.
        EXPECT_EQ(client_.Received().find("\xFF\xFB\x56"), std::string::npos);
    }

    // Types a command and waits for its answer: `expect`, then the prompt.
    ::testing::AssertionResult Step(const std::string& command, const std::string& expect) {
        client_.Received().clear();
        client_.SendAll(command + "\r\n");
        const std::string got = client_.ReadUntil([&](const std::string& text) {
            const std::size_t at = text.find(expect);
            return at != std::string::npos && text.find(GoAhead, at) != std::string::npos;
        });
        if (got.find(expect) == std::string::npos) {
            return ::testing::AssertionFailure() << "no answer to \"" << command << "\"; got: " << got;
        }
        return ::testing::AssertionSuccess();
    }

    // Trellan saves the world and the objects base as it exits.
    void Stop(int signalNumber = SIGTERM) {
        client_.Close();
        trellan_->Proc().Signal(signalNumber);
        EXPECT_EQ(trellan_->Proc().Wait(), 0);
    }

    // Trellan dies without a word; the map's files stay as they were.
    void Kill() {
        client_.Close();
        trellan_->Proc().Signal(SIGKILL);
        EXPECT_EQ(trellan_->Proc().Wait(), 128 + SIGKILL);
    }

    // After a Stop or a Kill: trellan starts again on the same home and port
    // (the world's profile keeps the port), and a player connects; returns
    // what the client got within `wait` beyond the banner.
    std::string StartAgain(Millis wait) {
        const std::uint16_t port = trellan_->ClientPort();
        trellan_.reset();
        trellan_ = std::make_unique<Trellan>(home_, port, mud_.Port(), true, DemoProfile());
        client_ = trellan_->ConnectClient();
        client_.ReadUntilContains(Wire("после сбоя"), wait);
        return client_.Received();
    }

    // Trellan stopped and started again on the same home; the MUD stays
    // up, and the player logs in afresh.
    void Restart() {
        Stop();
        // The world's own profile names the client port trellan listens on
        // once the world is loaded; the new run gets a fresh one.
        const std::uint16_t port = FreePort();
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(home_.Path() + "/Maps", error)) {
            if (entry.path().filename() != "local.ini") continue;
            std::string ini = ReadFile(entry.path().string());
            const std::size_t at = ini.find("Client Port=");
            if (at == std::string::npos) continue;
            ini.replace(at, ini.find("\r\n", at) - at, "Client Port=" + std::to_string(port));
            WriteFile(entry.path().string(), ini);
        }
        trellan_ = std::make_unique<Trellan>(home_, port, mud_.Port(), true, DemoProfile());
        client_ = trellan_->ConnectClient();
        client_.ReadUntilContains(GoAhead);
    }

    Socket& Client() { return client_; }
    const TempDir& Home() const { return home_; }

    // Every zone file under Maps/, world/zone as found on disk.
    std::vector<std::string> ZoneFiles() const {
        std::vector<std::string> files;
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(home_.Path() + "/Maps", error)) {
            if (entry.path().extension() == ".tr2") {
                files.push_back(entry.path().lexically_relative(home_.Path() + "/Maps").string());
            }
        }
        return files;
    }

private:
    DemoMud mud_;
    TempDir home_;
    std::unique_ptr<Trellan> trellan_;
    Socket client_;
};

inline const DumpedRoom* Find(const std::vector<DumpedRoom>& rooms, const std::string& name,
                              const std::string& inDescription = {}) {
    for (const DumpedRoom& room : rooms) {
        if (!room.pipe && room.name == name && room.description.find(inDescription) != std::string::npos) return &room;
    }
    return nullptr;
}

inline const DumpedRoom* At(const std::vector<DumpedRoom>& rooms, int x, int y, int l) {
    for (const DumpedRoom& room : rooms) {
        if (room.x == x && room.y == y && room.l == l) return &room;
    }
    return nullptr;
}

inline std::string Describe(const std::vector<DumpedRoom>& rooms) {
    std::string text;
    for (const DumpedRoom& room : rooms) {
        text += (room.pipe ? std::string("<corridor>") : room.name) + " at " + std::to_string(room.x) + "," +
                std::to_string(room.y) + "," + std::to_string(room.l) + "\n";
    }
    return text;
}

}  // namespace e2e
