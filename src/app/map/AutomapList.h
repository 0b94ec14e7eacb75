#pragma once
// The properties dialog's list of the room's cross links ("zone auto-load
// list"): adding, editing and deleting entries, with the questions about the
// partner room's opposite entry. Changes go to the real room at once and to
// the dialog's preview room alongside; the list line, the preview entry and
// the room entry of one cross link share one index.
#include <functional>
#include <string>
#include <vector>

#include "app/map/RoomEditContext.h"
#include "mapping/RoomEdits.h"

class QTreeWidget;

namespace trellan {

class AutomapForm;
class MudRoom;

class AutomapList {
public:
    static constexpr const char* Section = "PropertyForm";

    // Fills `list` (four columns) and the preview's entries from the room's.
    // All references must outlive this object.
    AutomapList(const RoomEditContext& context, QTreeWidget& list, MudRoom& preview, MudRoom& room);

    void AddEntry();
    // Without a selected line this adds.
    void EditEntry();
    void DeleteEntry();

    // The cross-link dialog, shown modally; true when confirmed.
    std::function<bool(AutomapForm& form)> RunAutomap;
    // The preview's link flags changed: refresh the link letters.
    std::function<void()> LinksChanged;

    const std::vector<CrossLinkFields>& Lines() const { return lines_; }

private:
    // The room the dialog's fields name: the partner (may be nullptr), or
    // false after the error was shown.
    bool CheckTarget(const AutomapForm& form, CrossLinkFields& fields, MudRoom*& partner);
    void SetLine(int row, const CrossLinkFields& fields);
    void SetFlag(const std::string& exit, bool on);
    void OfferOpposite(MudRoom* partner, const CrossLinkFields& fields);
    bool AskDeleteOpposite(MudRoom* partner, int index, const CrossLinkFields& line);
    std::string Caption(const char* key, const char* utf8Default) const;
    std::string RoomNamed(const std::string& zone, const std::string& number) const;
    // How the room keeps an entry: three fields when there is no command.
    static std::string RoomEntry(const CrossLinkFields& fields);
    bool RunForm(AutomapForm& form);

    RoomEditContext context_;
    QTreeWidget& list_;
    MudRoom& preview_;
    MudRoom& room_;
    std::vector<CrossLinkFields> lines_;
};

}  // namespace trellan
