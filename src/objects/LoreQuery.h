#pragma once
// The player's search of the objects base typed in the MUD client
// ("лор меч", "лор *меч", "лор меч*"), answered to the client.
#include <string>
#include <string_view>
#include <vector>

namespace trellan {

class ObjectNode;
class ObjectsBase;

// Whether a node with a description answers the query: its caption equals
// the query; or the query begins with "*" and the caption holds the rest;
// or the query ends with "*" and the caption begins with the rest (both
// ignoring case). Folders (no description) never answer.
bool IsLoreHit(const ObjectNode& node, std::string_view query);

// Whether a node with a description holds `word` as a whole word of its
// caption (ignoring case): "длинный меч" holds "меч", "мечи" does not.
bool IsWholeWordHit(const ObjectNode& node, std::string_view word);

// How the hits of a query were found.
enum class LoreMatch {
    // By the query's own form (IsLoreHit); also when nothing was found.
    AsTyped,
    // A plain query (no "*") that matched no caption as typed, found as a
    // whole word of captions.
    WholeWord,
};

struct LoreHits {
    std::vector<ObjectNode*> Nodes;  // in display order
    LoreMatch How = LoreMatch::AsTyped;
};

// The nodes answering `query`: as typed, or when that finds nothing and the
// query has no "*", those holding it as a whole word.
LoreHits FindLoreHits(ObjectsBase& base, std::string_view query);

// The coloured answer for the client: every hit's description lines, each
// hit closed by "-----", or the no-results line. Every hit is selected in
// the tree as if clicked. With `addDoubleYaLor` each "я" of a description
// is doubled, since the client undoubles it. Hits found by whole word have
// `wholeWordNote` (a line of its own, without line end) below the header.
std::string SearchObjectsBase(ObjectsBase& base, std::string_view query, bool addDoubleYaLor,
                              std::string_view wholeWordNote = {});

}  // namespace trellan
