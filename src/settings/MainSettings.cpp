#include "settings/MainSettings.h"

#include "settings/IniFile.h"

namespace trellan {

namespace {

constexpr std::string_view kWindow = "Window";
constexpr std::string_view kOptions = "Options";
constexpr std::string_view kCommands = "Commands";

}  // namespace

MainSettings ReadMainSettings(const IniFile& ini, bool layeredWindowsAvailable) {
    MainSettings s;
    s.Top = ini.ReadInteger(kWindow, "Top", s.Top);
    s.Left = ini.ReadInteger(kWindow, "Left", s.Left);
    s.Height = ini.ReadInteger(kWindow, "Height", s.Height);
    s.Width = ini.ReadInteger(kWindow, "Width", s.Width);
    s.ListViewStyle = ini.ReadInteger(kOptions, "ListViewStyle", s.ListViewStyle);
    s.StayOnTop = ini.ReadBool(kOptions, "StayOnTop", s.StayOnTop);
    s.ScrollMult = ini.ReadInteger(kOptions, "ScrollMult", s.ScrollMult);
    s.Transparency = ini.ReadInteger(kOptions, "Transparency", s.Transparency);
    s.NoTransparency =
        TransparencyUnavailable(ini.ReadBool(kOptions, "NoTransparency", s.NoTransparency), layeredWindowsAvailable);
    s.PanelColor = ini.ReadInteger(kOptions, "PanelColor", s.PanelColor);
    s.PanelBitmap = ini.ReadInteger(kOptions, "PanelBitmap", s.PanelBitmap);
    s.TreeVisible = ini.ReadBool(kOptions, "TreeVisible", s.TreeVisible);
    s.TreeZonesWidth = ini.ReadInteger(kOptions, "TreeZonesWidth", s.TreeZonesWidth);
    s.TreeObjectsWidth = ini.ReadInteger(kOptions, "TreeObjectsWidth", s.TreeObjectsWidth);
    s.SpeedWalkLength = ini.ReadInteger(kOptions, "SpeedWalkLength", s.SpeedWalkLength);
    s.MaxSpeedWalkLength = ini.ReadInteger(kOptions, "MaxSpeedWalkLength", s.MaxSpeedWalkLength);
    s.NeedRepos = ini.ReadBool(kOptions, "NeedRepos", s.NeedRepos);
    s.DebugVisible = ini.ReadBool(kOptions, "DebugVisible", s.DebugVisible);
    s.SwapUpDown = ini.ReadBool(kOptions, "SwapUpDown", s.SwapUpDown);
    s.DebugActiv = ini.ReadBool(kOptions, "DebugActiv", s.DebugActiv);
    s.ShowNote = ini.ReadBool(kOptions, "ShowNote", s.ShowNote);
    s.GroupLore = ini.ReadString(kCommands, "GroupLore", s.GroupLore);
    s.ClanLore = ini.ReadString(kCommands, "ClanLore", s.ClanLore);
    s.SetAlias = ini.ReadString(kCommands, "SetAlias", s.SetAlias);
    s.RequestObject = ini.ReadString(kCommands, "RequestObject", s.RequestObject);
    s.World = ini.ReadString(kOptions, "World", s.World);
    s.ReadOnly = ini.ReadBool(kOptions, "ReadOnly", s.ReadOnly);
    s.ReadOnlyOn = ini.ReadString(kOptions, "ReadOnlyOn", s.ReadOnlyOn);
    s.ReadOnlyOff = ini.ReadString(kOptions, "ReadOnlyOff", s.ReadOnlyOff);
    s.ShowTopLevel = ini.ReadBool(kOptions, "ShowTopLevel", s.ShowTopLevel);
    s.ShowBottomLevel = ini.ReadBool(kOptions, "ShowBottomLevel", s.ShowBottomLevel);
    return s;
}

void WriteMainSettings(IniFile& ini, const MainSettings& s, bool layeredWindowsAvailable, bool windowNormal) {
    if (windowNormal) {
        ini.WriteInteger(kWindow, "Top", s.Top);
        ini.WriteInteger(kWindow, "Left", s.Left);
        ini.WriteInteger(kWindow, "Height", s.Height);
        ini.WriteInteger(kWindow, "Width", s.Width);
    }
    ini.WriteInteger(kOptions, "ListViewStyle", s.ListViewStyle);
    ini.WriteInteger(kOptions, "ScrollMult", s.ScrollMult);
    ini.WriteBool(kOptions, "StayOnTop", s.StayOnTop);
    ini.WriteInteger(kOptions, "Transparency", s.Transparency);
    ini.WriteBool(kOptions, "NoTransparency", TransparencyUnavailable(s.NoTransparency, layeredWindowsAvailable));
    ini.WriteInteger(kOptions, "PanelColor", s.PanelColor);
    ini.WriteInteger(kOptions, "PanelBitmap", s.PanelBitmap);
    ini.WriteBool(kOptions, "TreeVisible", s.TreeVisible);
    ini.WriteInteger(kOptions, "TreeZonesWidth", s.TreeZonesWidth);
    ini.WriteInteger(kOptions, "TreeObjectsWidth", s.TreeObjectsWidth);
    ini.WriteInteger(kOptions, "SpeedWalkLength", s.SpeedWalkLength);
    ini.WriteInteger(kOptions, "MaxSpeedWalkLength", s.MaxSpeedWalkLength);
    ini.WriteString(kOptions, "World", s.World);
    ini.WriteBool(kOptions, "DebugVisible", s.DebugVisible);
    ini.WriteBool(kOptions, "DebugActiv", s.DebugActiv);
    ini.WriteBool(kOptions, "NeedRepos", s.NeedRepos);
    ini.WriteString(kOptions, "ReadOnlyOn", s.ReadOnlyOn);
    ini.WriteString(kOptions, "ReadOnlyOff", s.ReadOnlyOff);
    ini.WriteBool(kOptions, "ReadOnly", s.ReadOnly);
    ini.WriteBool(kOptions, "ShowTopLevel", s.ShowTopLevel);
    ini.WriteBool(kOptions, "ShowBottomLevel", s.ShowBottomLevel);
    ini.WriteBool(kOptions, "SwapUpDown", s.SwapUpDown);
    ini.WriteBool(kOptions, "ShowNote", s.ShowNote);
    ini.WriteString(kCommands, "GroupLore", s.GroupLore);
    ini.WriteString(kCommands, "ClanLore", s.ClanLore);
    ini.WriteString(kCommands, "SetAlias", s.SetAlias);
    ini.WriteString(kCommands, "RequestObject", s.RequestObject);
}

}  // namespace trellan
