#include "settings/MainSettings.h"

#include "settings/IniFieldTable.h"

namespace trellan {

namespace {

using Field = IniField<MainSettings>;

constexpr std::string_view kWindow = "Window";
constexpr std::string_view kOptions = "Options";
constexpr std::string_view kCommands = "Commands";

// Written only while the window is in its normal state.
constexpr Field kWindowFields[] = {
    {kWindow, "Top", &MainSettings::Top},
    {kWindow, "Left", &MainSettings::Left},
    {kWindow, "Height", &MainSettings::Height},
    {kWindow, "Width", &MainSettings::Width},
};

// In the file's documented order.
constexpr Field kOtherFields[] = {
    {kOptions, "ListViewStyle", &MainSettings::ListViewStyle},
    {kOptions, "ScrollMult", &MainSettings::ScrollMult},
    {kOptions, "StayOnTop", &MainSettings::StayOnTop},
    {kOptions, "Transparency", &MainSettings::Transparency},
    {kOptions, "NoTransparency", &MainSettings::NoTransparency},
    {kOptions, "PanelColor", &MainSettings::PanelColor},
    {kOptions, "PanelBitmap", &MainSettings::PanelBitmap},
    {kOptions, "TreeVisible", &MainSettings::TreeVisible},
    {kOptions, "TreeZonesWidth", &MainSettings::TreeZonesWidth},
    {kOptions, "TreeObjectsWidth", &MainSettings::TreeObjectsWidth},
    {kOptions, "SpeedWalkLength", &MainSettings::SpeedWalkLength},
    {kOptions, "MaxSpeedWalkLength", &MainSettings::MaxSpeedWalkLength},
    {kOptions, "World", &MainSettings::World},
    {kOptions, "DebugVisible", &MainSettings::DebugVisible},
    {kOptions, "DebugActiv", &MainSettings::DebugActiv},
    {kOptions, "NeedRepos", &MainSettings::NeedRepos},
    {kOptions, "ReadOnlyOn", &MainSettings::ReadOnlyOn},
    {kOptions, "ReadOnlyOff", &MainSettings::ReadOnlyOff},
    {kOptions, "ReadOnly", &MainSettings::ReadOnly},
    {kOptions, "ShowTopLevel", &MainSettings::ShowTopLevel},
    {kOptions, "ShowBottomLevel", &MainSettings::ShowBottomLevel},
    {kOptions, "SwapUpDown", &MainSettings::SwapUpDown},
    {kOptions, "ShowNote", &MainSettings::ShowNote},
    {kOptions, "AutosaveMinutes", &MainSettings::AutosaveMinutes},
    {kCommands, "GroupLore", &MainSettings::GroupLore},
    {kCommands, "ClanLore", &MainSettings::ClanLore},
    {kCommands, "SetAlias", &MainSettings::SetAlias},
    {kCommands, "RequestObject", &MainSettings::RequestObject},
    {kCommands, "MapCommand", &MainSettings::MapCommand, IniFieldForm::WrittenWhenSet},
};

}  // namespace

MainSettings ReadMainSettings(const IniFile& ini, bool layeredWindowsAvailable) {
    MainSettings s;
    ReadIniFields<MainSettings>(ini, kWindowFields, s);
    s.WindowSaved = ini.Find(kWindow, "Width").has_value() && ini.Find(kWindow, "Height").has_value();
    ReadIniFields<MainSettings>(ini, kOtherFields, s);
    s.NoTransparency = TransparencyUnavailable(s.NoTransparency, layeredWindowsAvailable);
    s.Language = ini.ReadString(kOptions, "Language", "");
    return s;
}

void WriteMainSettings(IniFile& ini, const MainSettings& settings, bool layeredWindowsAvailable, bool windowNormal) {
    MainSettings s = settings;
    s.NoTransparency = TransparencyUnavailable(s.NoTransparency, layeredWindowsAvailable);
    if (windowNormal) WriteIniFields<MainSettings>(ini, kWindowFields, s);
    WriteIniFields<MainSettings>(ini, kOtherFields, s);
}

}  // namespace trellan
