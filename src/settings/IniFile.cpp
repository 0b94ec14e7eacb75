#include "settings/IniFile.h"

#include <cstdint>
#include <limits>

#include "common/FileIo.h"
#include "text/Cp1251.h"

namespace trellan {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsIniSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsIniSpace(text[begin])) ++begin;
    while (end > begin && IsIniSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// The form names are compared in: outer blanks dropped, letters upper-cased.
std::string Fold(std::string_view name) {
    return UpperCp1251(Trim(name));
}

// A line break (LF or CR LF) becomes one blank; a CR of its own does not end
// a line and stays.
std::string WithoutLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out.push_back(text[i] == '\n' ? ' ' : text[i]);
    }
    return out;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

bool HasStrippableQuotes(std::string_view value) {
    return value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
}

// The text that reads back as `value`: reading drops outer blanks and one
// pair of matching outer quotes, so such a value gets a pair of its own.
std::string EncodeValue(std::string_view value) {
    std::string clean = WithoutLineBreaks(value);
    bool needsQuotes = !clean.empty() && (IsIniSpace(clean.front()) || IsIniSpace(clean.back()));
    if (needsQuotes || HasStrippableQuotes(clean)) return "\"" + clean + "\"";
    return clean;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<int> ParseIniInteger(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == n) return std::nullopt;
    std::uint64_t value = 0;
    for (; i < n; ++i) {
        int digit = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (hex) {
        // Hexadecimal fills all 32 bits: "$FFFFFFFF" is -1.
        auto bits = static_cast<std::uint32_t>(value);
        if (negative) bits = 0u - bits;
        return static_cast<std::int32_t>(bits);
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::int32_t>::max();
    if (negative) {
        if (value > kMax + 1) return std::nullopt;
        return static_cast<int>(-static_cast<std::int64_t>(value));
    }
    if (value > kMax) return std::nullopt;
    return static_cast<int>(value);
}

IniFile::IniFile() {
    sections_.emplace_back();
}

IniFile IniFile::Load(const std::string& path) {
    IniFile ini;
    ini.path_ = path;
    std::optional<std::string> bytes = ReadWholeFile(path);
    ini.Parse(bytes ? std::string_view(*bytes) : std::string_view());
    return ini;
}

IniFile IniFile::FromBytes(std::string_view bytes, std::string path) {
    IniFile ini;
    ini.path_ = std::move(path);
    ini.Parse(bytes);
    return ini;
}

void IniFile::Parse(std::string_view bytes) {
    sections_.clear();
    sectionIndex_.clear();
    sections_.emplace_back();
    changed_ = false;
    std::size_t pos = 0;
    bool first = true;
    while (pos < bytes.size()) {
        std::size_t eol = bytes.find('\n', pos);
        std::size_t end = eol == std::string_view::npos ? bytes.size() : eol;
        std::string_view line = bytes.substr(pos, end - pos);
        pos = eol == std::string_view::npos ? bytes.size() : eol + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // A byte-order mark from an editor must not hide the first header.
        std::size_t skip = first && line.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom.size() : 0;
        first = false;
        AddLine(line, skip);
    }
}

void IniFile::AddOpaque(Section& section, LineKind kind, std::string_view line) {
    if (!section.lines.empty() && section.lines.back().kind == kind) {
        std::string& text = section.lines.back().text;
        text += kLineEnd;
        text += line;
        return;
    }
    Line entry;
    entry.text = std::string(line);
    entry.kind = kind;
    section.lines.push_back(std::move(entry));
}

void IniFile::AddLine(std::string_view line, std::size_t skip) {
    std::size_t begin = skip;
    while (begin < line.size() && IsIniSpace(line[begin])) ++begin;
    Section& current = sections_.back();
    if (begin == line.size()) {
        AddOpaque(current, LineKind::Blank, line);
        return;
    }
    if (line[begin] == '[') {
        std::size_t close = line.rfind(']');
        if (close != std::string_view::npos && close > begin) {
            Section section;
            section.header = std::string(line);
            section.name = std::string(Trim(line.substr(begin + 1, close - begin - 1)));
            sectionIndex_.emplace(Fold(section.name), sections_.size());
            sections_.push_back(std::move(section));
            return;
        }
    }
    std::size_t equals = line.find('=', begin);
    // Keys before the first header belong to no section we can name.
    if (line[begin] == ';' || equals == std::string_view::npos || sections_.size() == 1) {
        AddOpaque(current, LineKind::Text, line);
        return;
    }
    std::size_t nameEnd = equals;
    while (nameEnd > begin && IsIniSpace(line[nameEnd - 1])) --nameEnd;
    if (nameEnd == begin) {
        AddOpaque(current, LineKind::Text, line);
        return;
    }
    std::size_t valueBegin = equals + 1;
    std::size_t valueEnd = line.size();
    while (valueBegin < valueEnd && IsIniSpace(line[valueBegin])) ++valueBegin;
    while (valueEnd > valueBegin && IsIniSpace(line[valueEnd - 1])) --valueEnd;
    Line entry;
    entry.text = std::string(line);
    entry.kind = LineKind::Key;
    entry.nameBegin = static_cast<std::uint32_t>(begin);
    entry.nameLength = static_cast<std::uint32_t>(nameEnd - begin);
    entry.valueBegin = static_cast<std::uint32_t>(valueBegin);
    entry.valueLength = static_cast<std::uint32_t>(valueEnd - valueBegin);
    current.keys.emplace(UpperCp1251(entry.Name()), current.lines.size());
    current.lines.push_back(std::move(entry));
}

const IniFile::Section* IniFile::FindSection(std::string_view section) const {
    auto it = sectionIndex_.find(Fold(section));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const IniFile::Line* IniFile::FindLine(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (!found) return nullptr;
    auto it = found->keys.find(Fold(key));
    return it == found->keys.end() ? nullptr : &found->lines[it->second];
}

std::string IniFile::ReadValue(const Line& line) {
    std::string_view value = line.RawValue();
    if (HasStrippableQuotes(value)) value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool IniFile::HasSection(std::string_view section) const {
    return FindSection(section) != nullptr;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
    const Line* line = FindLine(section, key);
    if (!line) return std::nullopt;
    return ReadValue(*line);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    std::optional<std::string> value = Find(section, key);
    return value ? std::move(*value) : std::string(defaultValue);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
    std::optional<std::string> value = Find(section, key);
    if (!value) return defaultValue;
    return ParseIniInteger(*value).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::vector<std::string> IniFile::ReadSectionKeys(std::string_view section) const {
    std::vector<std::string> names;
    if (const Section* found = FindSection(section)) {
        for (const Line& line : found->lines) {
            if (line.kind == LineKind::Key) names.emplace_back(line.Name());
        }
    }
    return names;
}

std::vector<std::string> IniFile::ReadSectionValues(std::string_view section) const {
    std::vector<std::string> values;
    if (const Section* found = FindSection(section)) {
        for (const Line& line : found->lines) {
            if (line.kind == LineKind::Key) values.push_back(ReadValue(line));
        }
    }
    return values;
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        if (!sections_[i].erased) names.push_back(sections_[i].name);
    }
    return names;
}

IniFile::Section& IniFile::SectionForWriting(std::string_view name) {
    std::string folded = Fold(name);
    auto it = sectionIndex_.find(folded);
    if (it != sectionIndex_.end()) return sections_[it->second];
    // A blank line between sections, the way Windows separates a new one.
    std::size_t last = sections_.size() - 1;
    while (last > 0 && sections_[last].erased) --last;
    Section& previous = sections_[last];
    bool fileEmpty = last == 0 && previous.lines.empty();
    if (!fileEmpty && (previous.lines.empty() || previous.lines.back().kind != LineKind::Blank)) {
        AddOpaque(previous, LineKind::Blank, "");
    }
    Section section;
    section.name = WithoutLineBreaks(Trim(name));
    section.header = "[" + section.name + "]";
    sectionIndex_.emplace(std::move(folded), sections_.size());
    sections_.push_back(std::move(section));
    return sections_.back();
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string keyName = WithoutLineBreaks(Trim(key));
    if (Fold(section).empty() || keyName.empty()) return;
    Section& target = SectionForWriting(section);
    std::string folded = UpperCp1251(keyName);
    auto it = target.keys.find(folded);
    std::string encoded = EncodeValue(value);
    if (it != target.keys.end()) {
        Line& line = target.lines[it->second];
        if (ReadValue(line) == value) return;
        // The key keeps its spelling; the line is rebuilt as Windows writes it.
        std::string name(line.Name());
        line.text = name + "=" + encoded;
        line.nameBegin = 0;
        line.nameLength = static_cast<std::uint32_t>(name.size());
        line.valueBegin = static_cast<std::uint32_t>(name.size() + 1);
        line.valueLength = static_cast<std::uint32_t>(encoded.size());
        changed_ = true;
        return;
    }
    Line line;
    line.text = keyName + "=" + encoded;
    line.kind = LineKind::Key;
    line.nameLength = static_cast<std::uint32_t>(keyName.size());
    line.valueBegin = line.nameLength + 1;
    line.valueLength = static_cast<std::uint32_t>(encoded.size());
    // New keys go after the last non-blank line; only a blank run is moved,
    // and blank runs are never indexed.
    std::size_t position = target.lines.size();
    if (!target.lines.empty() && target.lines.back().kind == LineKind::Blank) --position;
    target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(position), std::move(line));
    target.keys.emplace(std::move(folded), position);
    changed_ = true;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
    std::string folded = Fold(section);
    if (sectionIndex_.erase(folded) == 0) return;
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        Section& candidate = sections_[i];
        if (candidate.erased || Fold(candidate.name) != folded) continue;
        candidate.erased = true;
        candidate.lines = {};
        candidate.keys = {};
    }
    changed_ = true;
}

std::string IniFile::ToBytes() const {
    std::string out;
    for (const Section& section : sections_) {
        if (section.erased) continue;
        if (!section.header.empty()) {
            out += section.header;
            out += kLineEnd;
        }
        for (const Line& line : section.lines) {
            out += line.text;
            out += kLineEnd;
        }
    }
    return out;
}

void IniFile::Save() {
    WriteFileAtomically(path_, ToBytes());
    changed_ = false;
}

void IniFile::SaveIfChanged() {
    if (changed_) Save();
}

}  // namespace trellan
