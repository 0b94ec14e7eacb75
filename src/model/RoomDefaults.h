#pragma once
// Values a zone file leaves out because they equal the stream default. A
// fresh MudRoom does NOT carry these: it is all zeros (BColor 0), so the
// writer stores BColor 0 explicitly and the loader turns 0 into clSilver.
#include <cstdint>
#include <string_view>

namespace trellan {

inline constexpr std::uint32_t kColorSilver = 0xC0C0C0;  // clSilver
inline constexpr std::uint32_t kColorBlack = 0x000000;   // clBlack
// Colour values with this bit set name a system colour (clBtnFace ...), not
// an RGB value.
inline constexpr std::uint32_t kSystemColorBit = 0x80000000u;

namespace room_defaults {
inline constexpr std::int32_t Tag = 0;
inline constexpr std::string_view Exits = "";
inline constexpr std::string_view Hint = "";
inline constexpr std::uint32_t BColor = kColorSilver;
inline constexpr std::string_view Description = "";
inline constexpr bool Selected = false;
inline constexpr bool Checked = false;
inline constexpr bool Pipe = false;
inline constexpr bool DT = false;
inline constexpr bool FlyDT = false;
inline constexpr bool Agro = false;
inline constexpr bool NoStep = false;
inline constexpr std::string_view Note = "";
inline constexpr std::string_view QuickList = "";
inline constexpr std::int32_t ImageIndex = 0;
// ChN ... ChD and X, Y, L, DX, DY, DL have no default: they are always stored.
// AutoMaps is stored only when it has entries.
}  // namespace room_defaults

}  // namespace trellan
