#include "app/TrellanApplication.h"

#include <exception>
#include <iostream>

namespace trellan {

TrellanApplication::TrellanApplication(int& argc, char** argv) : QCoreApplication(argc, argv) {}

bool TrellanApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QCoreApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Report(error.what());
    } catch (...) {
        Report("Unknown error");
    }
    return false;
}

void TrellanApplication::Report(const std::string& message) {
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
