#pragma once
// Which field of the configuration dialog edits which setting, as tables
// from the field's object name to the setting: plain texts, texts in the
// escape notation, multi-line texts, lists (one entry per line) and check
// boxes. Fill shows the settings, Store takes the fields back; fields with
// rules of their own (ports, server, step counts, colours, skin,
// transparency, scroll speed) are not in the tables.
#include <QWidget>
#include <string>
#include <vector>

namespace trellan {

struct MainSettings;
struct WorldProfile;

class ConfigBindings {
public:
    // `fields` holds the named fields; all three must outlive the bindings.
    ConfigBindings(QWidget& fields, MainSettings& settings, WorldProfile& profile)
        : fields_(fields), settings_(settings), profile_(profile) {}

    void Fill() const;
    void Store() const;

private:
    QWidget& fields_;
    MainSettings& settings_;
    WorldProfile& profile_;
};

// A list shown one entry per line, and taken back from the lines: blank
// lines are dropped (an empty message would match every text), and so are
// the line ends. Windows-1251 in and out.
std::string LinesOfList(const std::vector<std::string>& entries);
std::vector<std::string> ListOfLines(const std::string& text);

}  // namespace trellan
