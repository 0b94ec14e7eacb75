#pragma once
// The player's search of the objects base typed in the MUD client
// ("лор меч", "лор *меч", "лор меч*"), answered to the client.
#include <string>
#include <string_view>

namespace trellan {

class ObjectNode;
class ObjectsBase;

// Whether a node with a description answers the query: its caption equals
// the query; or the query begins with "*" and the caption holds the rest;
// or the query ends with "*" and the caption begins with the rest (both
// ignoring case). Folders (no description) never answer.
bool IsLoreHit(const ObjectNode& node, std::string_view query);

// The coloured answer for the client: every hit's description lines, each
// hit closed by "-----", or the no-results line. Every hit is selected in
// the tree as if clicked. With `addDoubleYaLor` each "я" of a description
// is doubled, since the client undoubles it.
std::string SearchObjectsBase(ObjectsBase& base, std::string_view query, bool addDoubleYaLor);

}  // namespace trellan
