#pragma once
// The about box: the program's name and version, the system it runs on and
// the state of MCCP compression on the current connection. Created when
// the command is chosen, shown modally, destroyed when closed.
#include <QDialog>
#include <string>

class QLabel;

namespace trellan {

class Localisation;

struct AboutInfo {
    // The profile's MccpEnabled.
    bool MccpEnabled = true;
    // The server's output is being decompressed at this moment.
    bool MccpActive = false;
    // "Debian GNU/Linux 12 (bookworm)" (Windows-1251).
    std::string SystemName;
};

class AboutForm final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* Section = "AboutForm";

    // Looks up its texts in `localisation` (which may write language.ini and
    // throw FileWriteError).
    AboutForm(Localisation& localisation, const AboutInfo& info, QWidget* parent = nullptr);

    // The composed lines (Windows-1251).
    const std::string& VersionLine() const { return version_; }
    const std::string& SystemLine() const { return system_; }
    const std::string& CompressionLine() const { return compression_; }

private:
    std::string version_;
    std::string system_;
    std::string compression_;
};

// The name of the system this runs on, for the about box (Windows-1251).
std::string SystemDisplayName();

}  // namespace trellan
