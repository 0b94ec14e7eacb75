#include "app/config/ConfigBindings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"
#include "view/QtText.h"

namespace trellan {

namespace {

template <typename Owner, typename Value>
struct Binding {
    const char* Field;
    Value Owner::*Setting;
};

using ProfileText = Binding<WorldProfile, std::string>;
using MainText = Binding<MainSettings, std::string>;
using ProfileFlag = Binding<WorldProfile, bool>;
using MainFlag = Binding<MainSettings, bool>;
using Escaped = Binding<WorldProfile, EscapedText>;
using List = Binding<WorldProfile, std::vector<std::string>>;

constexpr ProfileText kProfileTexts[] = {
    {"edMoveN", &WorldProfile::MoveCmdN},
    {"edMoveS", &WorldProfile::MoveCmdS},
    {"edMoveW", &WorldProfile::MoveCmdW},
    {"edMoveE", &WorldProfile::MoveCmdE},
    {"edMoveU", &WorldProfile::MoveCmdU},
    {"edMoveD", &WorldProfile::MoveCmdD},
    {"edSneakwalk", &WorldProfile::Sneakwalk},
    {"edFleewalk", &WorldProfile::Fleewalk},
    {"edLook", &WorldProfile::Look},
    {"edStopTrace", &WorldProfile::StopTrace},
    {"edClear", &WorldProfile::Clear},
    {"edExitWordN", &WorldProfile::ExitWordN},
    {"edExitWordS", &WorldProfile::ExitWordS},
    {"edExitWordW", &WorldProfile::ExitWordW},
    {"edExitWordE", &WorldProfile::ExitWordE},
    {"edExitWordU", &WorldProfile::ExitWordU},
    {"edExitWordD", &WorldProfile::ExitWordD},
    {"edDark", &WorldProfile::Dark},
    {"edNoExits", &WorldProfile::NoExits},
    {"edRetreat", &WorldProfile::Retreat},
    {"edLeaderN", &WorldProfile::LeaderN},
    {"edLeaderS", &WorldProfile::LeaderS},
    {"edLeaderW", &WorldProfile::LeaderW},
    {"edLeaderE", &WorldProfile::LeaderE},
    {"edLeaderU", &WorldProfile::LeaderU},
    {"edLeaderD", &WorldProfile::LeaderD},
    {"edFollow", &WorldProfile::Follow},
    {"edSpeedwalk", &WorldProfile::Speedwalk},
    {"edReturnwalk", &WorldProfile::Returnwalk},
    {"edGroupTell", &WorldProfile::GroupTell},
    {"edClanTell", &WorldProfile::ClanTell},
    {"edStuffSeq", &WorldProfile::StuffSeq},
    {"edMobSeq", &WorldProfile::MobSeq},
    {"edRequestCommand", &WorldProfile::RequestCommand},
    {"edPromptExitLetters", &WorldProfile::PromptExitLetters},
};

constexpr MainText kMainTexts[] = {
    {"edReadOnlyOn", &MainSettings::ReadOnlyOn}, {"edReadOnlyOff", &MainSettings::ReadOnlyOff},
    {"edGroupLore", &MainSettings::GroupLore},   {"edClanLore", &MainSettings::ClanLore},
    {"edSetAlias", &MainSettings::SetAlias},     {"edMapCommand", &MainSettings::MapCommand},
};

constexpr Escaped kEscaped[] = {
    {"edRoomNameStart", &WorldProfile::RoomNameStart},     {"edRoomNameEnd", &WorldProfile::RoomNameEnd},
    {"edAutoexitStart", &WorldProfile::AutoexitStart},     {"edAutoexitEnd", &WorldProfile::AutoexitEnd},
    {"edPromptExitStart", &WorldProfile::PromptExitStart}, {"edPromptExitEnd", &WorldProfile::PromptExitEnd},
};

// Several lines joined by CR LF in the profile.
constexpr ProfileText kMultiLine[] = {
    {"edStuffTem", &WorldProfile::StuffTem},
    {"edMobTem", &WorldProfile::MobTem},
};

constexpr List kLists[] = {
    {"edDarkList", &WorldProfile::DarkMessages},
    {"edCantMove", &WorldProfile::CantMoves},
    {"edLeaderMoves", &WorldProfile::LeaderMoves},
};

constexpr ProfileFlag kProfileFlags[] = {
    {"cbNoDoubleYa", &WorldProfile::NoDoubleYa},         {"cbAddDoubleYa", &WorldProfile::AddDoubleYa},
    {"cbAddDoubleYaLor", &WorldProfile::AddDoubleYaLor}, {"cbUsePromptExit", &WorldProfile::UsePromptExit},
    {"cbFollowLine", &WorldProfile::FollowLine},
    {"cbExitsIgnoreCase", &WorldProfile::ExitsIgnoreCase},
};

constexpr MainFlag kMainFlags[] = {
    {"cbRepos", &MainSettings::NeedRepos},
    {"cbShowTopLevel", &MainSettings::ShowTopLevel},
    {"cbShowBottomLevel", &MainSettings::ShowBottomLevel},
    {"cbSwapUpDown", &MainSettings::SwapUpDown},
    {"cbShowNote", &MainSettings::ShowNote},
};

template <typename Widget>
Widget& Field(QWidget& fields, const char* name) {
    auto* widget = fields.findChild<Widget*>(QString::fromLatin1(name));
    Q_ASSERT_X(widget, "ConfigBindings", name);
    return *widget;
}

// The memo shows real line breaks; the profile holds CR LF.
QString MultiLineToQt(const std::string& text) {
    return ToQt(ReplaceAll(text, "\r\n", "\n"));
}

std::string MultiLineFromQt(const QString& text) {
    return ReplaceAll(ReplaceAll(FromQt(text), "\r\n", "\n"), "\n", "\r\n");
}

}  // namespace

std::string LinesOfList(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& entry : entries) {
        if (!text.empty()) text += '\n';
        text += entry;
    }
    return text;
}

std::vector<std::string> ListOfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

void ConfigBindings::Fill() const {
    for (const ProfileText& b : kProfileTexts) Field<QLineEdit>(fields_, b.Field).setText(ToQt(profile_.*b.Setting));
    for (const MainText& b : kMainTexts) Field<QLineEdit>(fields_, b.Field).setText(ToQt(settings_.*b.Setting));
    for (const Escaped& b : kEscaped) Field<QLineEdit>(fields_, b.Field).setText(ToQt((profile_.*b.Setting).Raw));
    for (const ProfileText& b : kMultiLine) {
        Field<QPlainTextEdit>(fields_, b.Field).setPlainText(MultiLineToQt(profile_.*b.Setting));
    }
    for (const List& b : kLists)
        Field<QPlainTextEdit>(fields_, b.Field).setPlainText(ToQt(LinesOfList(profile_.*b.Setting)));
    for (const ProfileFlag& b : kProfileFlags) Field<QCheckBox>(fields_, b.Field).setChecked(profile_.*b.Setting);
    for (const MainFlag& b : kMainFlags) Field<QCheckBox>(fields_, b.Field).setChecked(settings_.*b.Setting);
}

void ConfigBindings::Store() const {
    for (const ProfileText& b : kProfileTexts) profile_.*b.Setting = FromQt(Field<QLineEdit>(fields_, b.Field).text());
    for (const MainText& b : kMainTexts) settings_.*b.Setting = FromQt(Field<QLineEdit>(fields_, b.Field).text());
    // A new EscapedText decodes the raw text again.
    for (const Escaped& b : kEscaped)
        profile_.*b.Setting = EscapedText(FromQt(Field<QLineEdit>(fields_, b.Field).text()));
    for (const ProfileText& b : kMultiLine) {
        profile_.*b.Setting = MultiLineFromQt(Field<QPlainTextEdit>(fields_, b.Field).toPlainText());
    }
    for (const List& b : kLists) {
        profile_.*b.Setting = ListOfLines(FromQt(Field<QPlainTextEdit>(fields_, b.Field).toPlainText()));
    }
    for (const ProfileFlag& b : kProfileFlags) profile_.*b.Setting = Field<QCheckBox>(fields_, b.Field).isChecked();
    for (const MainFlag& b : kMainFlags) settings_.*b.Setting = Field<QCheckBox>(fields_, b.Field).isChecked();
}

}  // namespace trellan
