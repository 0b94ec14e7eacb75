#pragma once
// Passing objects-base entries between players over the MUD's group and clan
// chat. A block is a run of chat lines, each carrying "->>" before its
// payload: the begin marker, the node's path joined by ".", the description
// lines, the end marker. Every Trellan that sees the lines in the server
// output files the entry, the sender's own when the MUD echoes it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trellan {

class ObjectNode;
class ObjectsBase;

namespace sharing_format {
inline constexpr std::string_view kLinePrefix = "->>";
// "objecs" is how every program that speaks this block spells it.
inline constexpr std::string_view kBeginMarker = "Trellan objecs base <begin> (v.2)";
inline constexpr std::string_view kEndMarker = "Trellan objecs base <end> (v.2)";
}  // namespace sharing_format

// The text to send to the MUD for `node` over the chat command `word`
// (GroupTell or ClanTell): one line per chat message, each ending in CR LF.
// With `addDoubleYa` every "я" of the path and the description is doubled,
// as the MUD undoubles it; the marker lines have none.
std::string FormatSharedBlock(const ObjectNode& node, std::string_view word, bool addDoubleYa);

// The receiving side: its state lives across read events, since a block
// arrives over several.
class SharedObjectsReceiver {
public:
    // A block that never ends must not grow without bound: past these it is
    // dropped and the next begin marker starts afresh.
    static constexpr std::size_t MaxLines = 5000;
    static constexpr std::size_t MaxBytes = 1 << 20;

    // Every complete line of the buffer holding "->>" loses the text from
    // "->>" to its line break (the break stays); the texts build blocks, and
    // a complete block is filed with ParseLore. A "->>" line whose line break
    // has not arrived is left for the next call. Returns the node filed last,
    // or null.
    ObjectNode* Receive(std::string& buffer, ObjectsBase& base);

    // Files the collected block: the first line is the path (its top-level
    // piece matched ignoring case, empty pieces skipped), the rest becomes
    // the node's description as an edit. Empties the collected lines.
    // Returns the node, or null when there was no usable path.
    ObjectNode* ParseLore(ObjectsBase& base);

    bool Receiving() const { return receiving_; }
    std::size_t Trailing() const { return trailing_; }
    const std::vector<std::string>& LoreLines() const { return loreLines_; }
    void Reset();

private:
    ObjectNode* Take(std::string text, ObjectsBase& base);

    bool receiving_ = false;
    // How many characters the MUD put after the begin marker on its line
    // (a closing quote, say); every line of the block loses as many.
    std::size_t trailing_ = 0;
    std::vector<std::string> loreLines_;
    std::size_t loreBytes_ = 0;
};

}  // namespace trellan
