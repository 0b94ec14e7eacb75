#include "objects/ObjectsFileWriter.h"

#include "objects/ObjectsFormat.h"
#include "objects/ObjectsTree.h"
#include "text/TextUtils.h"

namespace trellan {

namespace {

namespace of = objects_format;

std::string Describe(const ObjectNode& node) {
    std::string path;
    for (const std::string& caption : node.Path()) {
        if (!path.empty()) path += '.';
        path += caption;
    }
    return path;
}

void AppendLine(std::string& out, std::string_view line) {
    out += line;
    out += of::kLineEnd;
}

// A line break inside a caption would turn the caption into the level line
// and stop the next read; blanks keep the caption on its line.
std::string CaptionLine(const ObjectNode& node, std::vector<std::string>& adjusted) {
    if (node.Caption.find_first_of("\r\n") == std::string::npos) return node.Caption;
    std::string caption = node.Caption;
    for (char& c : caption) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    adjusted.push_back(Describe(node) + ": line break in the caption written as a blank");
    return caption;
}

// A description line is read back up to the first line break, and a line
// holding the end marker would end the node there and lose the lines after
// it. So embedded breaks become line ends (the reader would split there
// anyway) and the marker is written broken.
void AppendDescriptionLine(std::string& out, const ObjectNode& node, std::string_view line,
                           std::vector<std::string>& adjusted) {
    std::size_t pos = 0;
    while (true) {
        std::size_t brk = line.find_first_of("\r\n", pos);
        std::string_view piece = line.substr(pos, brk == std::string_view::npos ? brk : brk - pos);
        if (piece.find(of::kNodeEnd) == std::string_view::npos) {
            AppendLine(out, piece);
        } else {
            std::string safe(piece);
            while (safe.find(of::kNodeEnd) != std::string::npos)
                safe = ReplaceAll(safe, of::kNodeEnd, of::kNodeEndBroken);
            AppendLine(out, safe);
            adjusted.push_back(Describe(node) + ": \"<end node>\" in the description written as \"<end node >\"");
        }
        if (brk == std::string_view::npos) return;
        if (pos == 0)
            adjusted.push_back(Describe(node) + ": line break inside a description line written as a new line");
        pos = brk + ((line[brk] == '\r' && brk + 1 < line.size() && line[brk + 1] == '\n') ? 2 : 1);
    }
}

}  // namespace

ObjectsText FormatObjectsText(const ObjectsTree& tree) {
    ObjectsText text;
    std::string& out = text.Bytes;
    AppendLine(out, of::kHeader);
    for (const OrderedNode& entry : tree.NodesInOrder()) {
        const ObjectNode& node = *entry.Node;
        AppendLine(out, of::kNodeStart);
        AppendLine(out, CaptionLine(node, text.Adjusted));
        AppendLine(out, std::to_string(entry.Level));
        if (node.Description) {
            for (const std::string& line : *node.Description) AppendDescriptionLine(out, node, line, text.Adjusted);
        }
        AppendLine(out, of::kNodeEnd);
    }
    return text;
}

}  // namespace trellan
