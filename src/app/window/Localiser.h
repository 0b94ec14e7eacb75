#pragma once
// Gives the main window its texts: every MainForm key is looked up in
// "language.ini" (which fills itself with the defaults) and set on the
// element of the same object name; then the texts built from them (popup
// twins, direction sub-items, transparency items, the hints that name their
// shortcut key) are set.
#include <QObject>
#include <map>
#include <string>

namespace trellan {

class Localisation;

class Localiser {
public:
    // `localisation` must outlive the localiser.
    explicit Localiser(Localisation& localisation) : localisation_(localisation) {}

    // Looks up every key (written to the file once, at the end) and sets the
    // texts on `root`'s descendants. Throws FileWriteError when the file
    // cannot be written.
    void Apply(QObject& root);

    // A looked-up caption (Windows-1251); the built-in text before Apply.
    std::string Caption(const std::string& key) const;

private:
    void SetText(QObject& root, const std::string& key, const std::string& text, bool hint) const;
    void SetDerived(QObject& root) const;

    Localisation& localisation_;
    std::map<std::string, std::string> captions_;
};

}  // namespace trellan
