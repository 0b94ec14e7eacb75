#pragma once
// The application objects: every exception that escapes an event handler is
// caught here and given to OnException, and the event loop goes on.
// TrellanApplication runs the headless program, GuiApplication the window.
#include <QApplication>
#include <QCoreApplication>
#include <exception>
#include <functional>
#include <iostream>
#include <string>

namespace trellan {

template <typename QtApplication>
class CatchingApplication : public QtApplication {
public:
    CatchingApplication(int& argc, char** argv) : QtApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QtApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            Report(error.what());
        } catch (...) {
            Report("Unknown error");
        }
        return false;
    }

    // Receives the exception's message. Without it the message goes to stderr.
    std::function<void(const std::string&)> OnException;

private:
    void Report(const std::string& message) {
        if (OnException) {
            try {
                OnException(message);
                return;
            } catch (const std::exception& error) {
                std::cerr << "trellan: error while reporting an error: " << error.what() << std::endl;
            } catch (...) {
            }
        }
        std::cerr << "trellan: " << message << std::endl;
    }
};

class TrellanApplication final : public CatchingApplication<QCoreApplication> {
public:
    using CatchingApplication::CatchingApplication;
};

class GuiApplication final : public CatchingApplication<QApplication> {
public:
    using CatchingApplication::CatchingApplication;
};

}  // namespace trellan
