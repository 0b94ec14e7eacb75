#pragma once
// An ini file held in memory, read and written the way the Windows
// private-profile functions (and Delphi's TIniFile on top of them) treat the
// files our players already have:
// - section and key names ignore letter case, Latin and Cyrillic alike;
// - values are raw Windows-1251 bytes; blanks around names and values are
//   dropped, and a value in matching double or single quotes loses them;
// - the first of two equal keys wins; a repeated section is hidden behind
//   the first one of that name;
// - LF, CR LF and a last line without a line end are read alike; CR LF is
//   written;
// - lines we do not change (comments, blank lines, unknown lines, keys whose
//   value stays the same) are written back byte for byte, in their order.
// Writes change memory only; Save() writes the whole file atomically.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trellan {

// Integer text the way Delphi's ReadInteger reads it: the whole text must be
// a number. Leading blanks and a sign are allowed; "$10", "0x10" and "x10"
// are hexadecimal (up to 32 bits, wrapping to negative like the original);
// decimal values outside the 32-bit range, trailing text ("12abc") and empty
// text are not numbers.
std::optional<int> ParseIniInteger(std::string_view text);

class IniFile {
public:
    // An empty file with no path.
    IniFile();

    // Reads the file; a missing or unreadable file gives an empty one that
    // Save() creates.
    static IniFile Load(const std::string& path);
    static IniFile FromBytes(std::string_view bytes, std::string path = {});

    const std::string& Path() const { return path_; }

    bool HasSection(std::string_view section) const;
    // The value as read (quotes stripped), or nullopt when the key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // Text that is not a number (or a missing key) yields the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // Any integer other than 0 is true; text that is not a number yields the default.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Key names of the section in file order, a repeated key as often as it stands.
    std::vector<std::string> ReadSectionKeys(std::string_view section) const;
    // The value of every key line of the section in file order; each line
    // gives its own value, so two lines with one key name give two entries.
    std::vector<std::string> ReadSectionValues(std::string_view section) const;
    // Names of the sections in file order, as written in the file.
    std::vector<std::string> SectionNames() const;

    // Sets the value of the first key of that name, or adds the key at the
    // end of the section (before its trailing blank lines), or adds the
    // section at the end of the file. Setting the value a key already has
    // changes nothing. Line breaks (LF, CR LF) in names and values become
    // blanks, since they would split the entry; a value that would lose its
    // outer blanks or quotes on reading is written in double quotes, so it
    // reads back as it was written.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // Removes every section of that name with all its lines; writing into
    // it afterwards starts a new section at the end of the file.
    void EraseSection(std::string_view section);

    // True when something was written or erased since loading or saving.
    bool Changed() const { return changed_; }

    std::string ToBytes() const;
    // Writes the whole file to Path() atomically; throws FileWriteError
    // ("Unable to write to " + path) and leaves the old file whole on failure.
    void Save();
    // Saves only when Changed().
    void SaveIfChanged();

private:
    enum class LineKind : std::uint8_t { Key, Text, Blank };

    // One line without its line end; runs of consecutive comment/unknown
    // lines or of blank lines are held as one entry joined by CR LF, so a
    // file of millions of empty lines costs about its own size.
    struct Line {
        std::string text;
        LineKind kind = LineKind::Text;
        std::uint32_t nameBegin = 0, nameLength = 0, valueBegin = 0, valueLength = 0;

        std::string_view Name() const { return std::string_view(text).substr(nameBegin, nameLength); }
        std::string_view RawValue() const { return std::string_view(text).substr(valueBegin, valueLength); }
    };

    struct Section {
        std::string header;  // the "[...]" line as it stands; empty for the lines before the first header
        std::string name;    // without brackets and outer blanks
        std::vector<Line> lines;
        std::unordered_map<std::string, std::size_t> keys;  // folded name -> first line of that key
        bool erased = false;
    };

    void Parse(std::string_view bytes);
    void AddLine(std::string_view line, std::size_t skip);
    static void AddOpaque(Section& section, LineKind kind, std::string_view line);
    const Section* FindSection(std::string_view section) const;
    const Line* FindLine(std::string_view section, std::string_view key) const;
    Section& SectionForWriting(std::string_view name);
    static std::string ReadValue(const Line& line);

    std::string path_;
    std::vector<Section> sections_;                              // [0] holds the lines before the first header
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first live section
    bool changed_ = false;
};

}  // namespace trellan
