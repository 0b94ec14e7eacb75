#include "RoomReports.h"

#include "Game.h"
#include "Twins.h"
#include "Win1251.h"

namespace demomud {

namespace {

constexpr unsigned char IAC = 255;
constexpr unsigned char DONT = 254;
constexpr unsigned char DO = 253;
constexpr unsigned char WILL = 251;
constexpr unsigned char SB = 250;
constexpr unsigned char SE = 240;
constexpr unsigned char MSDP = 69;
constexpr unsigned char GMCP = 201;
constexpr char VAR = 1;
constexpr char VAL = 2;
constexpr char TABLE_OPEN = 3;
constexpr char TABLE_CLOSE = 4;

const char* const ExitNames[DirCount] = {"n", "s", "e", "w", "u", "d"};

std::string Subnegotiation(unsigned char option, std::string_view body) {
    std::string out = {static_cast<char>(IAC), static_cast<char>(SB), static_cast<char>(option)};
    for (char c : body) {
        out += c;
        if (static_cast<unsigned char>(c) == IAC) out += c;
    }
    out += static_cast<char>(IAC);
    out += static_cast<char>(SE);
    return out;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

std::string RoomVnum(int room) {
    return std::to_string(1000 + room);
}

const char* AreaOf(int room) {
    if (room >= FirstTwin) return "Лабиринт";
    if (room >= 18) return "Лес";
    return "Город";
}

std::string RoomReporter::Offer() const {
    std::string out;
    if (offerMsdp_) out += {static_cast<char>(IAC), static_cast<char>(WILL), static_cast<char>(MSDP)};
    if (offerGmcp_) out += {static_cast<char>(IAC), static_cast<char>(WILL), static_cast<char>(GMCP)};
    return out;
}

bool RoomReporter::OnCommand(unsigned char verb, unsigned char option) {
    if (option == MSDP && offerMsdp_) {
        msdpOn_ = verb == DO;
        if (verb == DONT) msdpRoom_ = false;
        return true;
    }
    if (option == GMCP && offerGmcp_) {
        gmcpOn_ = verb == DO;
        if (verb == DONT) gmcpRoom_ = false;
        return true;
    }
    return false;
}

void RoomReporter::OnSubnegotiation(unsigned char option, std::string_view body) {
    if (option == MSDP && msdpOn_ && Contains(body, "REPORT") && Contains(body, "ROOM")) {
        msdpRoom_ = true;
        request_ = true;
    } else if (option == GMCP && gmcpOn_ && Contains(body, "Core.Supports.") && Contains(body, "Room")) {
        gmcpRoom_ = true;
        request_ = true;
    }
}

bool RoomReporter::TakeRequest() {
    bool was = request_;
    request_ = false;
    return was;
}

std::string RoomReporter::Report(const Game& game, int roomIndex) const {
    if (roomIndex < 0 || roomIndex >= static_cast<int>(game.Rooms().size())) return {};
    const Room& room = game.Rooms()[static_cast<std::size_t>(roomIndex)];
    std::string out;
    if (msdpRoom_) {
        std::string body = std::string(1, VAR) + "ROOM" + VAL + TABLE_OPEN;
        body += std::string(1, VAR) + "VNUM" + VAL + RoomVnum(roomIndex);
        body += std::string(1, VAR) + "NAME" + VAL + ToWin1251(room.name);
        body += std::string(1, VAR) + "AREA" + VAL + ToWin1251(AreaOf(roomIndex));
        body += std::string(1, VAR) + "EXITS" + VAL + TABLE_OPEN;
        for (int d = 0; d < DirCount; ++d) {
            if (room.exits[d] >= 0) body += std::string(1, VAR) + ExitNames[d] + VAL + RoomVnum(room.exits[d]);
        }
        body += std::string(1, TABLE_CLOSE) + TABLE_CLOSE;
        out += Subnegotiation(MSDP, body);
    }
    if (gmcpRoom_) {
        std::string json = "Room.Info {\"num\":" + RoomVnum(roomIndex) + ",\"name\":" + JsonString(room.name) +
                           ",\"area\":" + JsonString(AreaOf(roomIndex)) + ",\"exits\":{";
        bool first = true;
        for (int d = 0; d < DirCount; ++d) {
            if (room.exits[d] < 0) continue;
            json += std::string(first ? "" : ",") + "\"" + ExitNames[d] + "\":" + RoomVnum(room.exits[d]);
            first = false;
        }
        out += Subnegotiation(GMCP, json + "}}");
    }
    return out;
}

}  // namespace demomud
