#pragma once
// The loaded skins: the skin chooser's lines, two skin slots (slot 0 for
// chooser line 0, slot 1 for the last other line chosen), each a room image
// list and an icon image list, and the values the active skin lends the
// map: where icons go, where the colour fill starts, the room colour.
//
// Skins come from a skin ini file in the world's directory; its sections
// named "Skin" + a number are the skins. A skin without a picture of its own
// uses the built-in tiles; the first skin without icons uses the built-in
// icons. Loading never repaints: callers do.
#include <QImage>
#include <QPixmap>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "view/ImageList.h"

namespace trellan {

class IniFile;

// Two numbers of a skin key, in the order the file gives them. For
// IconPoint A is the downward offset and B the rightward one; for FillPoint
// A is the rightward (X) and B the downward (Y) one.
struct SkinPoint {
    int A = 0;
    int B = 0;
    bool operator==(const SkinPoint&) const = default;
};

struct SkinSlot {
    ImageList Rooms;  // 106 tiles; their height is the map's cell size
    ImageList Icons;  // 16 x 16 pictures; icon 0 is the darkness mark
    // Empty for a skin at its own size: the room colour is flood-filled from
    // the fill point. A zoomed skin (ZoomedSkin) fills this one mask instead.
    ImageList FillMask;
};

// One item of the room picture submenu: the picture value it sets (-1 for
// item 0, "no picture"), the icon it shows, and whether it starts a column.
struct PictureMenuItem {
    int Value = 0;
    int Icon = 0;
    bool NewColumn = false;
};

class SkinSet {
public:
    // The chooser line shown when the skin file holds no skins.
    static constexpr const char* kDefaultLine = "Default 32x32";
    static constexpr const char* kDefaultFile = "noskin.ini";

    // Both slots hold the built-in tiles, slot 0 also the built-in icons;
    // the chooser has the one default line.
    SkinSet();

    // Loads chooser line `index` of the skin file `fileName` (Windows-1251,
    // relative to `worldDirectory`, empty meaning "noskin.ini"). Line 0 also
    // re-reads the chooser lines and goes to slot 0; other lines go to slot
    // 1. Throws FileFormatError for a picture that cannot be read or a
    // rectangle or point that is not a number; the slot then keeps the skin
    // it had.
    void LoadSkin(const std::string& worldDirectory, const std::string& fileName, int index);
    // The world profile's skins: line 0, then line `currentSkin` when it is
    // one of the chooser's other lines (that line is then selected).
    void LoadProfileSkins(const std::string& worldDirectory, const std::string& fileName, int currentSkin);
    // The user picked a chooser line: line 0 (or below) makes slot 0 active
    // again with its saved values, without reading the file; another line is
    // loaded from the file of the last LoadSkin.
    void SelectSkin(int line);

    const std::string& SkinIniFile() const { return skinIniFile_; }
    const std::vector<std::string>& ChooserLines() const { return chooserLines_; }
    int ChooserIndex() const { return chooserIndex_; }

    const SkinSlot& Slot(int slot) const { return slots_[slot == 0 ? 0 : 1]; }
    // Slot 0 while the chooser shows line 0, slot 1 otherwise.
    const SkinSlot& Active() const { return Slot(chooserIndex_ == 0 ? 0 : 1); }
    // The cell size of the map: the active skin's tile size.
    int CellSize() const { return Active().Rooms.Height(); }

    // The active values.
    SkinPoint IconPoint{8, 8};
    SkinPoint FillPoint{12, 20};
    std::uint32_t SkinRoomColor = 0xC0C0C0;  // the colour new rooms get (0x00BBGGRR)
    // Set to SkinRoomColor by every load; the room menu's last-colour item.
    std::uint32_t LastColor = 0xC0C0C0;

    // The picture submenu's items from slot 0's icons: one per icon, a new
    // column every five items.
    std::vector<PictureMenuItem> PictureMenuItems() const;
    // The zone tree's images: its `builtIn` images (the first six are kept)
    // followed by slot 0's icons, so icon k is image 6 + k there.
    std::vector<QPixmap> ZoneTreeImages(const std::vector<QPixmap>& builtIn) const;

    // Hooks for the window.
    std::function<void()> ChooserRefilled;    // the chooser lines were re-read
    std::function<void()> Slot0IconsRebuilt;  // rebuild the zone tree images and the picture submenu
    std::function<void()> ActiveChanged;      // the active skin or its values changed

private:
    struct Loaded;
    void Commit(int slot, Loaded& loaded, int index);

    SkinSlot slots_[2];
    std::vector<std::string> chooserLines_;
    int chooserIndex_ = 0;
    std::string skinIniFile_ = kDefaultFile;
    std::string worldDirectory_;
    SkinPoint savedIconPoint_{8, 8};
    SkinPoint savedFillPoint_{12, 20};
    std::uint32_t savedRoomColor_ = 0xC0C0C0;
};

// The path of a file named in a world's skin file: backslashes are path
// separators, the Windows-1251 name becomes UTF-8, and a name that differs
// from the file on disk only in letter case (as on Windows) still finds it.
// Empty when there is no such file.
std::string ResolveWorldFile(const std::string& worldDirectory, const std::string& name);

}  // namespace trellan
