#pragma once
// The message boxes the main window shows, all titled "Trellan". Behind an
// interface so that tests (and a window closing on a signal, where nobody
// can answer) can answer them. Texts are Windows-1251.
#include <string>

class QWidget;

namespace trellan {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void Information(const std::string& text) = 0;
    virtual void Error(const std::string& text) = 0;
    // Yes/No; true for Yes.
    virtual bool Question(const std::string& text) = 0;
};

// QMessageBox over `parent` (which must outlive it).
class MessageBoxDialogs final : public Dialogs {
public:
    explicit MessageBoxDialogs(QWidget* parent) : parent_(parent) {}
    void Information(const std::string& text) override;
    void Error(const std::string& text) override;
    bool Question(const std::string& text) override;

private:
    QWidget* parent_;
};

}  // namespace trellan
