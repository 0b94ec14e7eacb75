#pragma once
// The debug log: at most 1000 lines in memory, shown in the debug pane and
// written to "trdebug.log" at close when logging is on.
#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace trellan {

class DebugLog {
public:
    static constexpr std::size_t MaxLines = 1000;

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

    // Called after each entry (the GUI pane scrolls to its end).
    std::function<void(std::string_view entry)> OnLine;

private:
    bool active_ = false;
    std::deque<std::string> lines_;
};

}  // namespace trellan
