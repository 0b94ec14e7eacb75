#include "app/GuiApplication.h"

#include <exception>
#include <iostream>

namespace trellan {

GuiApplication::GuiApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuiApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Report(error.what());
    } catch (...) {
        Report("Unknown error");
    }
    return false;
}

void GuiApplication::Report(const std::string& message) {
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

}  // namespace trellan
