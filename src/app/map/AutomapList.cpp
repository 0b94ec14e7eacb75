#include "app/map/AutomapList.h"

#include <QTreeWidget>
#include <algorithm>
#include <optional>

#include "app/map/AutomapForm.h"
#include "app/window/Dialogs.h"
#include "mapping/CrossLinkEntry.h"
#include "mapping/Placement.h"
#include "model/World.h"
#include "settings/Localisation.h"
#include "storage/UndoHistory.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

namespace {

std::optional<std::int32_t> ParseNumber(const std::string& text) {
    return CrossLinkEntry{{}, {}, text, {}}.RoomNumber();
}

// One edit of the list, with the partner's entry it offers, is one undo step.
UndoHistory::Step ListEditStep(const RoomEditContext& context) {
    return {context.History, Utf8ToCp1251("перекрёстная связь")};
}

}  // namespace

AutomapList::AutomapList(const RoomEditContext& context, QTreeWidget& list, MudRoom& preview, MudRoom& room)
    : context_(context), list_(list), preview_(preview), room_(room) {
    for (const std::string& entry : room_.AutoMaps) {
        CrossLinkFields fields = CrossLinkFields::Split(entry);
        preview_.AutoMaps.push_back(fields.Join());
        lines_.push_back(fields);
        SetLine(static_cast<int>(lines_.size()) - 1, fields);
    }
}

bool AutomapList::RunForm(AutomapForm& form) {
    return RunAutomap ? RunAutomap(form) : form.exec() == QDialog::Accepted;
}

std::string AutomapList::Caption(const char* key, const char* utf8Default) const {
    return context_.Captions.GetCaption(Section, key, Utf8ToCp1251(utf8Default));
}

std::string AutomapList::RoomNamed(const std::string& zone, const std::string& number) const {
    return " <" + zone + ">, " + Caption("RoomNumber", "Комната #") + number + "?";
}

std::string AutomapList::RoomEntry(const CrossLinkFields& fields) {
    return fields.RoomEntry();
}

void AutomapList::SetLine(int row, const CrossLinkFields& fields) {
    QTreeWidgetItem* item = list_.topLevelItem(row);
    if (item == nullptr) item = new QTreeWidgetItem(&list_);
    item->setText(0, ToQt(fields.Zone));
    item->setText(1, ToQt(fields.Exit));
    item->setText(2, ToQt(fields.Number));
    item->setText(3, ToQt(fields.Command));
}

void AutomapList::SetFlag(const std::string& exit, bool on) {
    if (std::optional<Direction> direction = TextDirection(exit, context_.Config)) preview_.Link(*direction) = on;
    context_.Placer.SetCheck(&room_, exit, on);
}

bool AutomapList::CheckTarget(const AutomapForm& form, CrossLinkFields& fields, MudRoom*& partner) {
    const std::optional<std::int32_t> number = form.Number();
    if (!number) {
        context_.Boxes.Error(Caption("RoomNumber", "Комната #") + form.NumberText() + " - " +
                             Caption("NotANumber", "не число."));
        return false;
    }
    fields = {form.Zone(), form.Exit(), std::to_string(*number), form.Command()};
    partner = *number >= 1 ? context_.TheWorld.GlobalFindRoomByTag(*number, fields.Zone) : nullptr;
    if (partner == nullptr && *number >= 1) {
        context_.Boxes.Error(Caption("RoomNumber", "Комната #") + fields.Number + " " +
                             Caption("NotFoundInZone", "не найдена в зоне") + " <" + fields.Zone + ">.");
        return false;
    }
    return true;
}

void AutomapList::OfferOpposite(MudRoom* partner, const CrossLinkFields& fields) {
    if (partner == nullptr) return;
    World& world = context_.TheWorld;
    if (!context_.Boxes.Question(Caption("SetNewOppositeLink", "Установить новый встречный линк из зоны") +
                                 RoomNamed(fields.Zone, fields.Number))) {
        return;
    }
    const std::string opposite = context_.Placer.Opposite(fields.Exit);
    // Asked again for a partner that has the entry already, Yes must not
    // give it a second one.
    if (FindEntryNaming(*partner, world.CurrentZone, opposite, room_.Tag) < 0) {
        partner->AutoMaps.push_back(world.CurrentZone + "|" + opposite + "|" + std::to_string(room_.Tag));
        world.NoteRoomEdited(partner);
        world.MapSaved = false;
    }
    context_.Placer.SetCheck(partner, opposite, true);
}

bool AutomapList::AskDeleteOpposite(MudRoom* partner, int index, const CrossLinkFields& line) {
    if (partner == nullptr || index < 0) return false;
    if (!context_.Boxes.Question(Caption("DeleteOppositeLink", "Удалить старый встречный линк из зоны") +
                                 RoomNamed(line.Zone, line.Number))) {
        return false;
    }
    partner->AutoMaps.erase(partner->AutoMaps.begin() + index);
    context_.TheWorld.NoteRoomEdited(partner);
    context_.Placer.SetCheck(partner, context_.Placer.Opposite(line.Exit), false);
    context_.TheWorld.MapSaved = false;
    return true;
}

void AutomapList::AddEntry() {
    const UndoHistory::Step step = ListEditStep(context_);
    std::vector<std::string> zones;
    for (const ZoneNode& node : context_.TheWorld.Tree().Zones()) zones.push_back(node.Text);
    AutomapForm form(context_.Captions, context_.Config.DirectionPhrases, zones, list_.window());
    if (!RunForm(form)) return;
    CrossLinkFields fields;
    MudRoom* partner = nullptr;
    if (!CheckTarget(form, fields, partner)) return;

    lines_.push_back(fields);
    SetLine(static_cast<int>(lines_.size()) - 1, fields);
    if (std::optional<Direction> direction = TextDirection(fields.Exit, context_.Config)) {
        preview_.Link(*direction) = true;
    }
    preview_.AutoMaps.push_back(fields.Join());
    AddCrossLink(context_.TheWorld, context_.Placer, room_, fields);
    if (LinksChanged) LinksChanged();
    OfferOpposite(partner, fields);
}

void AutomapList::EditEntry() {
    const UndoHistory::Step step = ListEditStep(context_);
    const int row = list_.currentItem() != nullptr ? list_.indexOfTopLevelItem(list_.currentItem()) : -1;
    if (row < 0 || row >= static_cast<int>(lines_.size())) {
        AddEntry();
        return;
    }
    const CrossLinkFields old = lines_[static_cast<std::size_t>(row)];
    std::vector<std::string> zones;
    for (const ZoneNode& node : context_.TheWorld.Tree().Zones()) zones.push_back(node.Text);
    AutomapForm form(context_.Captions, context_.Config.DirectionPhrases, zones, list_.window());
    form.SetFields(old.Zone, old.Command, old.Exit, old.Number);
    if (!RunForm(form)) return;
    CrossLinkFields fields;
    MudRoom* partner = nullptr;
    if (!CheckTarget(form, fields, partner)) return;

    World& world = context_.TheWorld;
    const std::int32_t number = *ParseNumber(fields.Number);
    if (number >= 1 && !fields.Zone.empty()) {
        const std::optional<std::int32_t> oldNumber = ParseNumber(old.Number);
        MudRoom* oldPartner = oldNumber ? world.GlobalFindRoomByTag(*oldNumber, old.Zone) : nullptr;
        if (oldPartner != nullptr) {
            const std::string exact =
                world.CurrentZone + "|" + context_.Placer.Opposite(old.Exit) + "|" + std::to_string(room_.Tag);
            const auto found = std::find(oldPartner->AutoMaps.begin(), oldPartner->AutoMaps.end(), exact);
            if (found != oldPartner->AutoMaps.end()) {
                AskDeleteOpposite(oldPartner, static_cast<int>(found - oldPartner->AutoMaps.begin()), old);
            }
        }
    }
    const auto inPreview = std::find(preview_.AutoMaps.begin(), preview_.AutoMaps.end(), old.Join());
    const auto index = inPreview - preview_.AutoMaps.begin();

    lines_[static_cast<std::size_t>(row)] = fields;
    SetLine(row, fields);
    SetFlag(old.Exit, false);
    SetFlag(fields.Exit, true);
    if (inPreview != preview_.AutoMaps.end()) {
        preview_.AutoMaps[static_cast<std::size_t>(index)] = fields.Join();
        if (static_cast<std::size_t>(index) < room_.AutoMaps.size()) {
            room_.AutoMaps[static_cast<std::size_t>(index)] = RoomEntry(fields);
        }
    }
    world.NoteRoomEdited(&room_);
    world.MapSaved = false;
    if (LinksChanged) LinksChanged();
    if (number >= 1) OfferOpposite(partner, fields);
}

void AutomapList::DeleteEntry() {
    const UndoHistory::Step step = ListEditStep(context_);
    const int row = list_.currentItem() != nullptr ? list_.indexOfTopLevelItem(list_.currentItem()) : -1;
    if (row < 0 || row >= static_cast<int>(lines_.size())) return;
    const CrossLinkFields line = lines_[static_cast<std::size_t>(row)];
    if (!context_.Boxes.Question(Caption("DeleteLink", "Удалить линк в зону") + " <" + line.Zone + ">?")) return;

    World& world = context_.TheWorld;
    const std::optional<std::int32_t> number = ParseNumber(line.Number);
    MudRoom* partner = number ? world.GlobalFindRoomByTag(*number, line.Zone) : nullptr;
    if (partner != nullptr) {
        const int index = FindEntryNaming(*partner, world.CurrentZone, context_.Placer.Opposite(line.Exit), room_.Tag);
        AskDeleteOpposite(partner, index, line);
    }
    SetFlag(line.Exit, false);
    if (LinksChanged) LinksChanged();
    const auto at = static_cast<std::size_t>(row);
    if (at < preview_.AutoMaps.size()) preview_.AutoMaps.erase(preview_.AutoMaps.begin() + row);
    if (at < room_.AutoMaps.size()) room_.AutoMaps.erase(room_.AutoMaps.begin() + row);
    world.NoteRoomEdited(&room_);
    lines_.erase(lines_.begin() + row);
    delete list_.takeTopLevelItem(row);
    world.MapSaved = false;
}

}  // namespace trellan
