#include "proxy/DebugLog.h"

#include <vector>

#include "common/FileIo.h"

namespace trellan {

namespace {

// Cuts an entry at CR LF, LF or a lone CR. A break at the very end closes the
// last line without opening an empty one, so "CSRead: ...\r\n" is one line;
// an empty entry is one empty line.
std::vector<std::string_view> SplitEntry(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size() || lines.empty()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

DebugLog::~DebugLog() {
    if (file_ != nullptr) std::fclose(file_);
}

void DebugLog::AppendTo(std::string path) {
    filePath_ = std::move(path);
    fileFailed_ = false;
}

void DebugLog::StartFileGeneration() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    // The older generation goes; a missing file is no error.
    std::rename(filePath_.c_str(), (filePath_ + ".1").c_str());
    file_ = std::fopen(filePath_.c_str(), "wb");
    if (file_ == nullptr) fileFailed_ = true;
}

void DebugLog::AppendToFile(const std::vector<std::string_view>& lines) {
    if (filePath_.empty() || fileFailed_) return;
    if (file_ == nullptr || std::ftell(file_) > MaxFileBytes) StartFileGeneration();
    if (file_ == nullptr) return;
    bool written = true;
    for (std::string_view line : lines) {
        written = written && std::fwrite(line.data(), 1, line.size(), file_) == line.size() &&
                  std::fwrite("\r\n", 1, 2, file_) == 2;
    }
    // Flushed per entry: what a crash leaves behind is the story up to it.
    if (!written || std::fflush(file_) != 0) {
        fileFailed_ = true;
        std::fclose(file_);
        file_ = nullptr;
    }
}

void DebugLog::Log(std::string_view text) {
    if (!active_) return;
    std::vector<std::string_view> lines = SplitEntry(text);
    AppendToFile(lines);
    // Lines that would be pushed out by the same entry are never stored.
    std::size_t first = lines.size() > MaxLines ? lines.size() - MaxLines : 0;
    for (std::size_t i = first; i < lines.size(); ++i) {
        lines_.emplace_back(lines[i]);
    }
    while (lines_.size() > MaxLines) lines_.pop_front();
    if (OnLine) OnLine(text);
}

// Every line ends with CR LF, the last one too, as Windows text files do.
void DebugLog::SaveTo(const std::string& path) const {
    std::size_t total = 0;
    for (const std::string& line : lines_) total += line.size() + 2;
    std::string bytes;
    bytes.reserve(total);
    for (const std::string& line : lines_) {
        bytes += line;
        bytes += "\r\n";
    }
    WriteFileAtomically(path, bytes);
}

}  // namespace trellan
