// Any bytes load as an ini file; what we write reads back as written, and
// writing our own output again changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/IniFile.h"
#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// What the writer makes of line breaks in a value.
std::string WithoutLineBreaks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out.push_back(text[i] == '\n' ? ' ' : text[i]);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trellan;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    IniFile ini = IniFile::FromBytes(bytes);
    std::string written = ini.ToBytes();
    Check(IniFile::FromBytes(written).ToBytes() == written);

    for (const std::string& section : ini.SectionNames()) {
        std::vector<std::string> keys = ini.ReadSectionKeys(section);
        Check(keys.size() == ini.ReadSectionValues(section).size());
        for (const std::string& key : keys) {
            Check(ini.Find(section, key).has_value());
            ini.ReadInteger(section, key, 0);
        }
    }
    if (std::optional<int> value = ParseIniInteger(bytes)) Check(ParseIniInteger(std::to_string(*value)) == value);

    WorldProfile profile = ReadWorldProfile(ini, "");
    MainSettings settings = ReadMainSettings(ini, false);

    // Write the input back as a value, and the settings over the file.
    std::string_view value = bytes.substr(0, 256);
    for (const std::string& section : ini.SectionNames()) ini.WriteString(section, "FuzzValue", value);
    ini.WriteString("Fuzz", "FuzzValue", value);
    WriteWorldProfile(ini, profile, true);
    WriteMainSettings(ini, settings, false, true);

    IniFile reread = IniFile::FromBytes(ini.ToBytes());
    Check(reread.ReadString("Fuzz", "FuzzValue", "") == WithoutLineBreaks(value));
    Check(reread.ToBytes() == ini.ToBytes());
    WorldProfile again = ReadWorldProfile(reread, "");
    Check(again.LockedZones.size() <= profile.LockedZones.size());
    Check(again.CantMoves == profile.CantMoves);
    Check(again.AutoexitStart.Raw == profile.AutoexitStart.Raw);
    return 0;
}
