// The player's speedwalk through trellan: a scripted MUD server answers every
// command it receives with the room the command leads to, and checks that
// trellan sends the walk in batches, each one only after the rooms of the
// previous one have arrived.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include "E2eSupport.h"
#include "text/Cp1251.h"

namespace e2e {
namespace {

std::string W(std::string_view utf8) {
    return trellan::Utf8ToCp1251(utf8);
}

// Long enough for trellan to have sent anything it was going to send.
constexpr Millis Quiet{400};

// A road of 26 milestones: ten east, five north, ten east. The last one
// carries the alias the player walks to.
struct Milestone {
    int x = 0, y = 0;
};

std::vector<Milestone> Road() {
    std::vector<Milestone> road{{0, 0}};
    for (const char step : std::string(10, 'e') + std::string(5, 'n') + std::string(10, 'e')) {
        const Milestone last = road.back();
        road.push_back(step == 'e' ? Milestone{last.x, last.y + 1} : Milestone{last.x - 1, last.y});
    }
    return road;
}

// Whether milestone i has a neighbour on the road one step (dx, dy) away.
bool Linked(const std::vector<Milestone>& road, std::size_t i, int dx, int dy) {
    const auto at = [&](std::size_t j) { return road[j].x == road[i].x + dx && road[j].y == road[i].y + dy; };
    return (i > 0 && at(i - 1)) || (i + 1 < road.size() && at(i + 1));
}

struct Side {
    const char* word;  // exit word
    const char* flag;  // link flag
    int dx, dy;
};
constexpr Side kSides[] = {{"N", "ChN", -1, 0}, {"S", "ChS", 1, 0}, {"E", "ChE", 0, 1}, {"W", "ChW", 0, -1}};

// The exits line of milestone i, e.g. "E W".
std::string Exits(const std::vector<Milestone>& road, std::size_t i) {
    std::string exits;
    for (const Side& side : kSides) {
        if (!Linked(road, i, side.dx, side.dy)) continue;
        exits += exits.empty() ? side.word : std::string(" ") + side.word;
    }
    return exits;
}

std::string Name(std::size_t index) {
    return "Тракт, верста " + std::to_string(index + 1);
}

std::string Description(std::size_t index) {
    return "Верстовой столб с цифрой " + std::to_string(index + 1) + ".";
}

// The zone as `trellan zone write` takes it: JSON lines in UTF-8.
std::string RoadJson(const std::vector<Milestone>& road) {
    std::string json;
    for (std::size_t i = 0; i < road.size(); ++i) {
        json += "{\"Tag\":" + std::to_string(i + 1) + ",\"Hint\":\"" + Name(i) + "\",\"Description\":\"" +
                Description(i) + "\",\"Exits\":\"" + Exits(road, i) + "\",\"X\":" + std::to_string(road[i].x) +
                ",\"Y\":" + std::to_string(road[i].y) + ",\"L\":0";
        for (const Side& side : kSides) {
            json += std::string(",\"") + side.flag + "\":" + (Linked(road, i, side.dx, side.dy) ? "true" : "false");
        }
        json += (i + 1 == road.size() ? ",\"QuickList\":\"застава\"}\n" : "}\n");
    }
    return json;
}

// What the MUD prints for a room, with the prompt and go-ahead behind it.
std::string RoomText(const std::vector<Milestone>& road, std::size_t index) {
    return "\033[1;36m" + W(Name(index)) + "\033[0m\r\n   " + W(Description(index)) +
           "\r\n\033[36m[ Exits: " + Exits(road, index) + " ]\r\n\033[0m\r\n<30H 90M> \xFF\xF9";
}

std::string SentLine(const std::string& batch) {
    return "\r\n\033[1;33m<Trellan> : Speedwalk sent: \r\n\033[1;32m" + batch + "\033[0m\r\n";
}

std::size_t CountLines(const std::string& text) {
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    return lines;
}

class SpeedwalkThroughTrellan : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(home_ / "road.json", RoadJson(road_));
        std::filesystem::create_directories(home_.Path() + "/Maps/Тракт");
        Process write("/bin/sh", {"-c", std::string("exec '") + TRELLAN_BINARY + "' zone write '" + home_.Path() +
                                            "/Maps/Тракт/Тракт.tr2' < '" + home_.Path() + "/road.json'"});
        ASSERT_EQ(write.Wait(), 0);
        WriteFile(home_ / "trellan.ini", "[Options]\r\nWorld=" + W("Тракт") + "\r\nSpeedWalkLength=10\r\n");
        trellan_ = std::make_unique<Trellan>(home_, FreePort(), mud_.Port(), false, DemoProfile());
        client_ = trellan_->ConnectClient();
        server_ = mud_.Accept();
        ASSERT_TRUE(server_.Valid());

        client_.SendAll("look\r\n");
        ASSERT_EQ(server_.ReadUntilContains("look\r\n"), "look\r\n");
        server_.Received().clear();
        Answer(0);
        at_ = 0;
    }

    void TearDown() override {
        if (trellan_) {
            client_.Close();
            trellan_->Proc().Signal(SIGTERM);
            EXPECT_EQ(trellan_->Proc().Wait(), 0);
        }
    }

    // The MUD prints a room or a message; the player's client has it (and
    // trellan has settled it) once its go-ahead arrived.
    void Print(const std::string& text) {
        const std::size_t from = client_.Received().size();
        server_.SendAll(text);
        client_.ReadUntil([&](const std::string& got) { return got.find("\xFF\xF9", from) != std::string::npos; });
    }
    void Answer(int index) { Print(RoomText(road_, static_cast<std::size_t>(index))); }

    // Reads one batch; nothing more may follow until the MUD answers it.
    ::testing::AssertionResult ExpectBatch(const std::vector<std::string>& commands) {
        server_.ReadUntil([&](const std::string& text) { return CountLines(text) >= commands.size(); });
        server_.ReadUntil([](const std::string&) { return false; }, Quiet);
        std::string expected;
        std::string batch;
        for (const std::string& command : commands) {
            expected += command + "\r\n";
            batch += command + ";";
        }
        ::testing::AssertionResult same = SameBytes(server_.Received(), expected);
        server_.Received().clear();
        if (!same) return same << " (batch " << batch << ")";
        const std::string told = client_.ReadUntilContains(SentLine(batch));
        if (told.find(SentLine(batch)) == std::string::npos) {
            return ::testing::AssertionFailure()
                   << "the player was not told of the batch " << batch << "; got " << ::testing::PrintToString(told);
        }
        return ::testing::AssertionSuccess();
    }

    // The MUD answers the commands of one batch, one room at a time along
    // the road; until the last room nothing more may be sent.
    ::testing::AssertionResult AnswerBatch(int step, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            at_ += step;
            Answer(at_);
            if (i + 1 == count) break;
            const Millis wait = i + 2 == count ? Quiet : Millis(30);
            if (!server_.ReadUntil([](const std::string& text) { return !text.empty(); }, wait).empty()) {
                return ::testing::AssertionFailure() << "sent after " << i + 1 << " of " << count
                                                     << " rooms: " << ::testing::PrintToString(server_.Received());
            }
        }
        return ::testing::AssertionSuccess();
    }

    static std::vector<std::string> Steps(std::initializer_list<std::pair<const char*, int>> runs) {
        std::vector<std::string> steps;
        for (const auto& [command, count] : runs) steps.insert(steps.end(), std::size_t(count), command);
        return steps;
    }

    std::vector<Milestone> road_ = Road();
    TempDir home_;
    Listener mud_;
    std::unique_ptr<Trellan> trellan_;
    Socket client_;
    Socket server_;
    int at_ = 0;  // the milestone the player stands on
};

TEST_F(SpeedwalkThroughTrellan, BatchesFollowTheSettledRoomsThereAndBack) {
    client_.SendAll(W("гоу застава") + "\r\n");
    ASSERT_TRUE(ExpectBatch(Steps({{"e", 10}})));
    ASSERT_TRUE(AnswerBatch(1, 10));
    ASSERT_TRUE(ExpectBatch(Steps({{"n", 5}, {"e", 5}})));
    ASSERT_TRUE(AnswerBatch(1, 10));
    ASSERT_TRUE(ExpectBatch(Steps({{"e", 5}})));
    ASSERT_TRUE(AnswerBatch(1, 5));
    EXPECT_TRUE(server_.ReadUntil([](const std::string& text) { return !text.empty(); }, Quiet).empty())
        << "the walk is over";

    // Back to where the walk started, the same way.
    client_.SendAll(W("назад") + "\r\n");
    ASSERT_TRUE(ExpectBatch(Steps({{"w", 10}})));
    ASSERT_TRUE(AnswerBatch(-1, 10));
    ASSERT_TRUE(ExpectBatch(Steps({{"s", 5}, {"w", 5}})));
    ASSERT_TRUE(AnswerBatch(-1, 10));
    ASSERT_TRUE(ExpectBatch(Steps({{"w", 5}})));
    ASSERT_TRUE(AnswerBatch(-1, 5));
    EXPECT_TRUE(server_.ReadUntil([](const std::string& text) { return !text.empty(); }, Quiet).empty());
    EXPECT_EQ(client_.Received().find("Tracing now \033[1;31mOFF"), std::string::npos)
        << "the position was kept throughout";
}

TEST_F(SpeedwalkThroughTrellan, ARefusedMoveEndsTheWalkWhereThePlayerStands) {
    client_.SendAll(W("гоу застава") + "\r\n");
    ASSERT_TRUE(ExpectBatch(Steps({{"e", 10}})));
    ASSERT_TRUE(AnswerBatch(1, 2));
    // A cart blocks the road: the MUD refuses the third step and every
    // step after it.
    for (int i = 0; i < 8; ++i) Print(W("Вы не можете идти в этом направлении.") + "\r\n\r\n<30H 90M> \xFF\xF9");
    EXPECT_TRUE(server_.ReadUntil([](const std::string& text) { return !text.empty(); }, Quiet).empty())
        << "nothing more of the walk may be sent";

    // The player stands on the third milestone: the way back is two steps.
    client_.SendAll(W("назад") + "\r\n");
    ASSERT_TRUE(ExpectBatch(Steps({{"w", 2}})));
    ASSERT_TRUE(AnswerBatch(-1, 2));
    EXPECT_EQ(client_.Received().find("Tracing now \033[1;31mOFF"), std::string::npos);
}

}  // namespace
}  // namespace e2e
