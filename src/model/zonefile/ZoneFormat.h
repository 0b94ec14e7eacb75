#pragma once
// The constants of the zone file (".tr2"), shared by ZoneFileReader and
// ZoneFileWriter so the two cannot drift apart. docs/zone-file-format.md
// describes the bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace trellan::zone_format {

// Every room record starts with these four bytes.
inline constexpr std::string_view kSignature = "TPF0";
// The class name the writer puts after the signature; the reader accepts any.
inline constexpr std::string_view kClassName = "TMudRoom2";

// A byte at or above this where the class name's length would stand is a
// prefix byte; its low four bits are flags. Never written.
inline constexpr std::uint8_t kPrefixFirst = 0xF0;
// Prefix flag: an integer value (child position) follows the prefix byte.
inline constexpr std::uint8_t kPrefixChildPosFlag = 0x02;

// Up to this many bytes after the last record are ignored when a zone is read.
inline constexpr std::size_t kMaxStrayBytes = 10;

// The one-byte type code that starts every value.
enum ValueCode : std::uint8_t {
    kEndOfList = 0x00,
    kListBegin = 0x01,
    kInt8 = 0x02,
    kInt16 = 0x03,
    kInt32 = 0x04,
    kShortString = 0x06,
    kIdent = 0x07,
    kFalse = 0x08,
    kTrue = 0x09,
    kLongString = 0x0C,
    kNil = 0x0D,
};

// Strings up to this length are written as kShortString, longer ones as
// kLongString.
inline constexpr std::size_t kMaxShortString = 255;

// The properties in the fixed order the writer stores them. Name is the
// inherited component name: never written, accepted (and dropped) on read.
enum class Property : std::uint8_t {
    Tag,
    Exits,
    Hint,
    ChN,
    ChS,
    ChW,
    ChE,
    ChU,
    ChD,
    BColor,
    Description,
    X,
    Y,
    L,
    DX,
    DY,
    DL,
    Selected,
    Checked,
    Pipe,
    DT,
    FlyDT,
    Agro,
    NoStep,
    Note,
    QuickList,
    AutoMaps,
    ImageIndex,
    Name,
};
inline constexpr std::size_t kPropertyCount = static_cast<std::size_t>(Property::Name) + 1;

// Entry names as stored, indexed by Property. The list property is stored
// under its name, a full stop and "Strings".
inline constexpr std::array<std::string_view, kPropertyCount> kPropertyNames = {
    "Tag",        "Exits",       "Hint", "ChN",   "ChS",  "ChW",    "ChE",  "ChU",       "ChD",
    "BColor",     "Description", "X",    "Y",     "L",    "DX",     "DY",   "DL",        "Selected",
    "Checked",    "Pipe",        "DT",   "FlyDT", "Agro", "NoStep", "Note", "QuickList", "AutoMaps.Strings",
    "ImageIndex", "Name",
};
static_assert(kPropertyNames[static_cast<std::size_t>(Property::BColor)] == "BColor");
static_assert(kPropertyNames[static_cast<std::size_t>(Property::AutoMaps)] == "AutoMaps.Strings");
static_assert(kPropertyNames[static_cast<std::size_t>(Property::ImageIndex)] == "ImageIndex");

// Booleans may also arrive as these identifiers (any letter case).
inline constexpr std::string_view kFalseIdent = "False";
inline constexpr std::string_view kTrueIdent = "True";

struct ColorIdent {
    std::string_view Name;
    std::uint32_t Value;
};

// Colours that are stored by name. Values with the high bit set are system
// colours (resolved when painting).
inline constexpr std::array<ColorIdent, 42> kColorIdents = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},
    {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},
    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
    {"clNone", 0x1FFFFFFF},
}};

// The four reasons a record can fail to read.
inline constexpr std::string_view kErrInvalidStreamFormat = "Invalid stream format";
inline constexpr std::string_view kErrInvalidPropertyValue = "Invalid property value";
inline constexpr std::string_view kErrPropertyDoesNotExist = "Property does not exist";
inline constexpr std::string_view kErrStreamRead = "Stream read error";

// The identifier of a colour value, or empty when it has none.
std::string_view ColorToIdent(std::uint32_t value);
// The value of a colour identifier, compared without regard to letter case.
std::optional<std::uint32_t> IdentToColor(std::string_view ident);

// ASCII-only case-insensitive equality (entry names and identifiers are
// ASCII; other bytes must match exactly).
bool SameTextAscii(std::string_view a, std::string_view b);

// The property an entry name stands for (any letter case). `hint` is where
// the search starts: records list their entries in order, so passing the
// property after the previous one usually hits at once.
std::optional<Property> FindProperty(std::string_view name, std::size_t hint = 0);

}  // namespace trellan::zone_format
