#include "view/SkinSet.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

#include "common/Errors.h"
#include "settings/IniFile.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"
#include "view/BuiltinSkin.h"
#include "view/ColorRef.h"
#include "view/SkinStrips.h"

namespace trellan {

namespace {

constexpr int kZoneTreeBuiltInImages = 6;
constexpr int kMenuColumnLength = 5;

// "Skin0" ... as the file may spell it; section names ignore case.
bool IsSkinSection(const std::string& name) {
    return AsciiUpper(name).rfind("SKIN", 0) == 0;
}

QImage ReadPicture(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(false);
    return reader.read();
}

// The `count` comma-separated integers of a key (or of its default).
std::vector<int> ReadNumbers(const IniFile& ini, const std::string& section, const char* key, const char* defaultValue,
                             int count, const std::string& fileForErrors) {
    const std::string text = ini.ReadString(section, key, defaultValue);
    std::vector<int> numbers;
    for (int i = 1; i <= count; ++i) {
        const std::string field = GetToken(i, text, ",");
        std::optional<int> value = ParseIniInteger(field);
        if (!value) {
            throw FileFormatError(fileForErrors + ": [" + section + "] " + key + "=" + text + ": \"" + field +
                                  "\" is not an integer");
        }
        numbers.push_back(*value);
    }
    return numbers;
}

}  // namespace

std::string ResolveWorldFile(const std::string& worldDirectory, const std::string& name) {
    std::string relative = Cp1251ToUtf8(name);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const QStringList parts = QString::fromStdString(relative).split('/', Qt::SkipEmptyParts);
    if (parts.isEmpty()) return {};
    QString path = QString::fromStdString(worldDirectory);
    for (const QString& part : parts) {
        QString exact = path + '/' + part;
        if (QFileInfo::exists(exact)) {
            path = exact;
            continue;
        }
        const QStringList entries = QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        auto match = std::find_if(entries.begin(), entries.end(),
                                  [&](const QString& entry) { return entry.compare(part, Qt::CaseInsensitive) == 0; });
        if (match == entries.end()) return {};
        path += '/' + *match;
    }
    if (!QFileInfo(path).isFile()) return {};
    return path.toStdString();
}

// A skin read from the file, not yet in its slot.
struct SkinSet::Loaded {
    SkinSlot Slot;
    SkinPoint IconPoint{8, 8};
    SkinPoint FillPoint{12, 20};
    std::uint32_t RoomColor = 0xC0C0C0;
};

SkinSet::SkinSet() {
    for (int slot = 0; slot < 2; ++slot) {
        CutTileStrip(BuiltinTileStrip(), DefaultExitRects(), slots_[slot].Rooms, "built-in");
        slots_[slot].Icons.Reset(kIconSize, kIconSize);
        slots_[slot].Icons.SetBlendColor(0xFFFFFFFFu);
    }
    CutIconStrip(BuiltinIconStrip(), slots_[0].Icons);
    chooserLines_.push_back(kDefaultLine);
}

void SkinSet::LoadSkin(const std::string& worldDirectory, const std::string& fileName, int index) {
    const std::string name = fileName.empty() ? std::string(kDefaultFile) : fileName;
    worldDirectory_ = worldDirectory;
    skinIniFile_ = name;
    const std::string iniPath = ResolveWorldFile(worldDirectory, name);
    const IniFile ini = iniPath.empty() ? IniFile() : IniFile::Load(iniPath);
    const std::string iniForErrors = iniPath.empty() ? name : Utf8ToCp1251(iniPath);

    if (index == 0) {
        chooserLines_.clear();
        const std::vector<std::string> sections = ini.SectionNames();
        for (std::size_t p = 0; p < sections.size(); ++p) {
            if (!IsSkinSection(sections[p])) continue;
            std::string line = ini.ReadString(sections[p], "Description", "");
            chooserLines_.push_back(line.empty() ? std::to_string(p) : line);
        }
        if (chooserLines_.empty()) chooserLines_.push_back(kDefaultLine);
        chooserIndex_ = 0;
        if (ChooserRefilled) ChooserRefilled();
    }

    const std::string section = "Skin" + std::to_string(index);
    Loaded loaded;

    // Icons. The first skin falls back to the built-in icons unless its
    // strip exists but cannot be read; other skins have only their own.
    loaded.Slot.Icons.Reset(kIconSize, kIconSize);
    loaded.Slot.Icons.SetBlendColor(0xFFFFFFFFu);
    const std::string iconsName = ini.ReadString(section, "Icons", "");
    const std::string iconsPath = iconsName.empty() ? std::string() : ResolveWorldFile(worldDirectory, iconsName);
    if (!iconsPath.empty()) {
        const QImage icons = ReadPicture(iconsPath);
        if (!icons.isNull()) {
            const bool fits = icons.height() == kIconSize && icons.width() > 79;
            CutIconStrip(index == 0 && !fits ? BuiltinIconStrip() : icons, loaded.Slot.Icons);
        }
    } else if (index == 0) {
        CutIconStrip(BuiltinIconStrip(), loaded.Slot.Icons);
    }

    // Tiles, and the geometry that belongs to them.
    const std::string pictureName = ini.ReadString(section, "Picture", "");
    const std::string picturePath = pictureName.empty() ? std::string() : ResolveWorldFile(worldDirectory, pictureName);
    if (!picturePath.empty()) {
        const QImage strip = ReadPicture(picturePath);
        const std::string pictureForErrors = Utf8ToCp1251(picturePath);
        if (strip.isNull()) throw FileFormatError(pictureForErrors + ": not a picture that can be read");
        static constexpr const char* kRectKeys[kDirectionCount] = {"NorthRect", "SouthRect", "WestRect",
                                                                   "EastRect",  "UpRect",    "DownRect"};
        static constexpr const char* kRectDefaults[kDirectionCount] = {"10,0,22,8",   "10,25,22,32", "0,10,8,22",
                                                                       "25,10,32,22", "9,9,16,16",   "17,17,24,24"};
        ExitRects rects;
        for (int d = 0; d < kDirectionCount; ++d) {
            std::vector<int> n = ReadNumbers(ini, section, kRectKeys[d], kRectDefaults[d], 4, iniForErrors);
            rects[static_cast<std::size_t>(d)] = RectFromEdges(n[0], n[1], n[2], n[3]);
        }
        std::vector<int> icon = ReadNumbers(ini, section, "IconPoint", "8,8", 2, iniForErrors);
        std::vector<int> fill = ReadNumbers(ini, section, "FillPoint", "12,20", 2, iniForErrors);
        loaded.IconPoint = {icon[0], icon[1]};
        loaded.FillPoint = {fill[0], fill[1]};
        CutTileStrip(strip, rects, loaded.Slot.Rooms, pictureForErrors);
        const int h = loaded.Slot.Rooms.Height();
        loaded.RoomColor = RgbToColorRef(strip.pixel(std::min(h / 2, strip.width() - 1), h / 2));
    } else {
        CutTileStrip(BuiltinTileStrip(), DefaultExitRects(), loaded.Slot.Rooms, "built-in");
        loaded.RoomColor = RgbToColorRef(kBuiltinRoomColor);
    }
    Commit(index == 0 ? 0 : 1, loaded, index);
}

void SkinSet::Commit(int slot, Loaded& loaded, int index) {
    slots_[slot] = std::move(loaded.Slot);
    IconPoint = loaded.IconPoint;
    FillPoint = loaded.FillPoint;
    SkinRoomColor = loaded.RoomColor;
    LastColor = SkinRoomColor;
    if (index == 0) {
        savedIconPoint_ = IconPoint;
        savedFillPoint_ = FillPoint;
        savedRoomColor_ = SkinRoomColor;
        if (Slot0IconsRebuilt) Slot0IconsRebuilt();
    }
    if (ActiveChanged) ActiveChanged();
}

void SkinSet::LoadProfileSkins(const std::string& worldDirectory, const std::string& fileName, int currentSkin) {
    LoadSkin(worldDirectory, fileName, 0);
    if (currentSkin >= 1 && currentSkin < static_cast<int>(chooserLines_.size())) {
        chooserIndex_ = currentSkin;
        LoadSkin(worldDirectory, fileName, currentSkin);
    }
}

void SkinSet::SelectSkin(int line) {
    if (line < 1 || line >= static_cast<int>(chooserLines_.size())) {
        chooserIndex_ = 0;
        IconPoint = savedIconPoint_;
        FillPoint = savedFillPoint_;
        SkinRoomColor = savedRoomColor_;
        if (ActiveChanged) ActiveChanged();
        return;
    }
    chooserIndex_ = line;
    LoadSkin(worldDirectory_, skinIniFile_, line);
}

std::vector<PictureMenuItem> SkinSet::PictureMenuItems() const {
    std::vector<PictureMenuItem> items;
    const int count = slots_[0].Icons.Count();
    for (int k = 0; k < count; ++k) {
        items.push_back({k == 0 ? -1 : k, k, k > 0 && k % kMenuColumnLength == 0});
    }
    return items;
}

std::vector<QPixmap> SkinSet::ZoneTreeImages(const std::vector<QPixmap>& builtIn) const {
    std::vector<QPixmap> images(builtIn.begin(),
                                builtIn.begin() + std::min<std::size_t>(builtIn.size(), kZoneTreeBuiltInImages));
    for (int k = 0; k < slots_[0].Icons.Count(); ++k) images.push_back(slots_[0].Icons.ToPixmap(k));
    return images;
}

}  // namespace trellan
