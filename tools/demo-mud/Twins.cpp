#include "Twins.h"

namespace demomud {

// Four rooms in a ring from west to east, each named alike with the same
// exits (E, W and U back to the trail). The first three are twins: their
// descriptions differ only in blanks. The fourth differs in its
// description, so a mapper that took it for a twin would have another
// room's text to store.
//
//   ... -> Лабиринт 20 -E-> 21 -E-> 22 -E-> 23 -E-> 20 (the ring closes)
//                            ^ Звериная тропа leads down to 21
void AddTwins(std::vector<Room>& rooms) {
    constexpr int Trail = 19;
    const char* name = "Лабиринт из живой изгороди";
    auto twin = [&](const char* line, int west, int east) {
        //             N   S   E     W     U      D
        rooms.push_back({name,
                         {"Высокие стены из стриженого самшита смыкаются над головой.", line},
                         {-1, -1, east, west, Trail, -1},
                         false,
                         nullptr});
    };
    const int a = FirstTwin, b = FirstTwin + 1, c = FirstTwin + 2, d = FirstTwin + 3;
    twin("Тропинка  уходит на восток и на запад.", d, b);
    twin("Тропинка уходит на восток и на запад.", a, c);
    twin("Тропинка уходит на восток и на запад. ", b, d);
    twin("Здесь изгородь подстрижена ниже, и видны крыши города.", c, a);
    rooms[Trail].exits[Down] = b;
}

}  // namespace demomud
