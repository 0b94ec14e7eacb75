#pragma once
// Find and replace over the descriptions of the objects base (captions are
// never searched). Every search goes forward and ignores letter case,
// Cyrillic included. The dialogs are the user interface's; it passes their
// texts here and shows what comes back.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace trellan {

class ObjectNode;
class ObjectsBase;

struct SearchMatch {
    ObjectNode* Node = nullptr;
    std::size_t Line = 0;    // index of the description line
    std::size_t Column = 0;  // 0-based, in that line
    // The selection in the description box, whose lines are joined by CR LF.
    std::size_t SelectionStart = 0;
    std::size_t SelectionLength = 0;
};

class ObjectsSearch {
public:
    // `base` must outlive the search.
    explicit ObjectsSearch(ObjectsBase& base) : base_(base) {}

    // The next match after the remembered position (from the first node when
    // there is none); the found node is shown without storing the box. None
    // when the text is empty or nothing further matches; after the last
    // match the next search starts from the first node again.
    std::optional<SearchMatch> FindNext(std::string_view findText);

    // Replaces the selection of the LoreNode's description (its lines joined
    // by CR LF; normally the last match) by `replacement`, stores it as an
    // edit and finds the next match. An empty selection replaces nothing.
    // The box must have been stored before (ObjectsBase::StoreDescription).
    std::optional<SearchMatch> Replace(std::size_t selectionStart, std::size_t selectionLength,
                                       std::string_view findText, std::string_view replacement);

    // Every occurrence in every description, left to right, the replacement
    // taken literally and never searched again. Returns the count.
    int ReplaceAll(std::string_view findText, std::string_view replacement);

    // Forgets the position: the next search starts from the first node.
    void Reset() { node_ = nullptr; }

private:
    ObjectsBase& base_;
    // The remembered position: node (none: start from the first), line, and
    // the offset just after the last match in that line.
    ObjectNode* node_ = nullptr;
    std::uint64_t generation_ = 0;
    std::size_t line_ = 0;
    std::size_t column_ = 0;
};

}  // namespace trellan
