#pragma once
// The cross-link dialog opened from the room properties: on which exit,
// which command to send, which zone to load and which room of it to enter.
// Created for each add or edit and shown modally; texts are Windows-1251.
#include <QDialog>
#include <array>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace trellan {

class Localisation;

class AutomapForm final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* Section = "AutomapForm";

    // `phrases` fill the exit list, `zones` the zone list. Looks up its texts
    // in `localisation` (which may write language.ini and throw FileWriteError).
    AutomapForm(Localisation& localisation, const std::array<std::string, 6>& phrases,
                const std::vector<std::string>& zones, QWidget* parent = nullptr);

    void SetFields(const std::string& zone, const std::string& command, const std::string& exit,
                   const std::string& number);
    std::string Zone() const;
    std::string Exit() const;
    std::string Command() const;
    std::string NumberText() const;
    // The room number; nothing when the field holds no number (a bare sign).
    std::optional<std::int32_t> Number() const;

    QComboBox* cbExit = nullptr;
    QLineEdit* edCommand = nullptr;
    QComboBox* cbZone = nullptr;
    QLineEdit* edRoom = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    void UpdateControls();

    std::array<std::string, 6> phrases_;
};

}  // namespace trellan
