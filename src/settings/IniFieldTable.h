#pragma once
// A settings file described as a table: one row per ini key (or list
// section) naming its section, its key and the member it fills. Reading and
// writing go through the same rows, so each key is spelled once. Writing
// follows the row order, which is the order new keys and sections take in
// the file. A member's default is what a default-constructed settings
// object holds: reading starts from it, and a missing key, or a number
// that does not parse, leaves the member as it was.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "settings/EscapedText.h"
#include "settings/IniFile.h"
#include "text/TextUtils.h"

namespace trellan {

enum class IniFieldForm : std::uint8_t {
    Plain,
    // A text whose CR LF line breaks stand in the file as "#$0D#$0A".
    LineBreaksEscaped,
    // Read from the file but never written back.
    ReadOnly,
    // A list held as the section's key names, each written as "name=1".
    KeyList,
    // A list held as the section's values, written as <key>0, <key>1, ...
    ValueList,
    // Written only when it differs from its default or the file already has
    // it, so that a profile that never used the key is written as before.
    WrittenWhenSet,
};

template <typename Settings>
struct IniField {
    // A "|" list of six entries is written joined and read back as exactly
    // six (missing ones empty).
    using SixTexts = std::array<std::string, 6>;
    using Member = std::variant<int Settings::*, bool Settings::*, std::string Settings::*, EscapedText Settings::*,
                                std::vector<std::string> Settings::*, SixTexts Settings::*>;

    std::string_view Section;
    std::string_view Key;  // the name prefix of a ValueList; unused for a KeyList
    Member Setting;
    IniFieldForm Form = IniFieldForm::Plain;
};

namespace ini_field_detail {

inline constexpr std::string_view kLineBreak = "\r\n";
inline constexpr std::string_view kEscapedLineBreak = "#$0D#$0A";
inline constexpr std::string_view kListSeparator = "|";

// A list section is erased and rewritten, so it moves to the end of the
// file the way Windows moves it.
inline void WriteList(IniFile& ini, std::string_view section, std::string_view prefix,
                      const std::vector<std::string>& list) {
    ini.EraseSection(section);
    for (std::size_t i = 0; i < list.size(); ++i)
        ini.WriteString(section, std::string(prefix) + std::to_string(i), list[i]);
}

inline void WriteKeyList(IniFile& ini, std::string_view section, const std::vector<std::string>& keys) {
    ini.EraseSection(section);
    for (const std::string& key : keys) ini.WriteString(section, key, "1");
}

}  // namespace ini_field_detail

template <typename Settings>
void ReadIniField(const IniFile& ini, const IniField<Settings>& field, Settings& settings) {
    using namespace ini_field_detail;
    std::visit(
        [&](auto member) {
            auto& value = settings.*member;
            using Value = std::remove_reference_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, int>) {
                value = ini.ReadInteger(field.Section, field.Key, value);
            } else if constexpr (std::is_same_v<Value, bool>) {
                value = ini.ReadBool(field.Section, field.Key, value);
            } else if constexpr (std::is_same_v<Value, std::string>) {
                std::optional<std::string> text = ini.Find(field.Section, field.Key);
                if (!text) return;
                value = field.Form == IniFieldForm::LineBreaksEscaped ? ReplaceAll(*text, kEscapedLineBreak, kLineBreak)
                                                                      : std::move(*text);
            } else if constexpr (std::is_same_v<Value, EscapedText>) {
                if (std::optional<std::string> raw = ini.Find(field.Section, field.Key)) value = EscapedText(*raw);
            } else if constexpr (std::is_same_v<Value, std::vector<std::string>>) {
                value = field.Form == IniFieldForm::KeyList ? ini.ReadSectionKeys(field.Section)
                                                            : ini.ReadSectionValues(field.Section);
            } else {
                std::optional<std::string> list = ini.Find(field.Section, field.Key);
                if (!list) return;
                for (std::size_t i = 0; i < value.size(); ++i) {
                    value[i] = GetToken(static_cast<int>(i) + 1, *list, kListSeparator);
                }
            }
        },
        field.Setting);
}

template <typename Settings>
void WriteIniField(IniFile& ini, const IniField<Settings>& field, const Settings& settings) {
    using namespace ini_field_detail;
    if (field.Form == IniFieldForm::ReadOnly) return;
    if (field.Form == IniFieldForm::WrittenWhenSet && !ini.Find(field.Section, field.Key)) {
        static const Settings defaults{};
        bool isDefault = std::visit([&](auto member) { return settings.*member == defaults.*member; }, field.Setting);
        if (isDefault) return;
    }
    std::visit(
        [&](auto member) {
            const auto& value = settings.*member;
            using Value = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, int>) {
                ini.WriteInteger(field.Section, field.Key, value);
            } else if constexpr (std::is_same_v<Value, bool>) {
                ini.WriteBool(field.Section, field.Key, value);
            } else if constexpr (std::is_same_v<Value, std::string>) {
                if (field.Form == IniFieldForm::LineBreaksEscaped) {
                    ini.WriteString(field.Section, field.Key, ReplaceAll(value, kLineBreak, kEscapedLineBreak));
                } else {
                    ini.WriteString(field.Section, field.Key, value);
                }
            } else if constexpr (std::is_same_v<Value, EscapedText>) {
                ini.WriteString(field.Section, field.Key, value.Raw);
            } else if constexpr (std::is_same_v<Value, std::vector<std::string>>) {
                if (field.Form == IniFieldForm::KeyList) {
                    WriteKeyList(ini, field.Section, value);
                } else {
                    WriteList(ini, field.Section, field.Key, value);
                }
            } else {
                std::string joined;
                for (std::size_t i = 0; i < value.size(); ++i) {
                    if (i > 0) joined += kListSeparator;
                    joined += value[i];
                }
                ini.WriteString(field.Section, field.Key, joined);
            }
        },
        field.Setting);
}

template <typename Settings>
void ReadIniFields(const IniFile& ini, std::span<const IniField<Settings>> fields, Settings& settings) {
    for (const IniField<Settings>& field : fields) ReadIniField(ini, field, settings);
}

template <typename Settings>
void WriteIniFields(IniFile& ini, std::span<const IniField<Settings>> fields, const Settings& settings) {
    for (const IniField<Settings>& field : fields) WriteIniField(ini, field, settings);
}

}  // namespace trellan
