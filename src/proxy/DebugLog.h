#pragma once
// The debug log: at most 1000 lines in memory, shown in the debug pane and
// written to "trdebug.log" when logging is on: as the lines come, when a
// file is given (AppendTo), or else at close.
#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trellan {

class DebugLog {
public:
    static constexpr std::size_t MaxLines = 1000;
    // A file that grows past this becomes the older generation.
    static constexpr long MaxFileBytes = 4L * 1024 * 1024;

    DebugLog() = default;
    ~DebugLog();
    DebugLog(const DebugLog&) = delete;
    DebugLog& operator=(const DebugLog&) = delete;

    void SetActive(bool active) { active_ = active; }
    bool Active() const { return active_; }

    // Appends one entry; line breaks inside it (CR LF, LF or CR) start further
    // lines; the oldest lines go while there are more than MaxLines.
    // Does nothing while logging is off. The entries keep the prefixes that
    // players' logs have always had ("CSRead: ", "TranslateCMD: "), whatever
    // the functions that write them are called now.
    void Log(std::string_view text);

    const std::deque<std::string>& Lines() const { return lines_; }
    void Clear() { lines_.clear(); }

    // Writes every line, CR LF separated, Windows-1251, replacing the file
    // atomically; throws FileWriteError when it cannot.
    void SaveTo(const std::string& path) const;

    // Every line logged from now on is also appended to `path` at once, so
    // the story of a long session outlives the lines kept in memory and a
    // crash. When the first line is written, a file left there by an
    // earlier run becomes the older generation `path` + ".1"; so does this
    // one whenever it grows past MaxFileBytes. A file that cannot be written
    // is given up, and FileComplete() says so.
    void AppendTo(std::string path);
    // Every line logged since AppendTo reached the file: it need not be
    // written again at close.
    bool FileComplete() const { return file_ != nullptr && !fileFailed_; }

    // Called after each entry (the GUI pane scrolls to its end).
    std::function<void(std::string_view entry)> OnLine;

private:
    void AppendToFile(const std::vector<std::string_view>& lines);
    void StartFileGeneration();

    bool active_ = false;
    std::deque<std::string> lines_;
    std::string filePath_;
    std::FILE* file_ = nullptr;
    bool fileFailed_ = false;
};

}  // namespace trellan
