#pragma once
// The application object of the windowed program: like TrellanApplication,
// every exception that escapes an event handler is caught here and given to
// OnException, and the event loop goes on.
#include <QApplication>
#include <functional>
#include <string>

namespace trellan {

class GuiApplication final : public QApplication {
public:
    GuiApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Receives the exception's message. Without it the message goes to stderr.
    std::function<void(const std::string&)> OnException;

private:
    void Report(const std::string& message);
};

}  // namespace trellan
