#pragma once
// A QApplication for the window tests, a scratch home directory with a
// free client port, and message boxes that record instead of asking.
#include <QApplication>
#include <QTcpServer>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/GuiRunner.h"
#include "app/window/Dialogs.h"
#include "support/TempDirectory.h"

namespace trellan::testing {

// Widget texts are written in the tests as UTF-8 literals.
inline QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: tearing Qt Gui down among the static destructors at
    // exit crashes once synthetic input devices exist.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

inline int FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

class RecordingDialogs final : public Dialogs {
public:
    void Information(const std::string& text) override { Informations.push_back(text); }
    void Error(const std::string& text) override { Errors.push_back(text); }
    // The queued answers in order, then `Answer`.
    bool Question(const std::string& text) override {
        Questions.push_back(text);
        if (Answers.empty()) return Answer;
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    std::vector<std::string> Informations;
    std::vector<std::string> Errors;
    std::vector<std::string> Questions;
    std::deque<bool> Answers;
    bool Answer = true;
};

// A started runner on a scratch home directory whose template profile
// listens on a free port.
struct GuiFixture {
    GuiFixture() {
        App();
        WriteFile(Home / "local.ini", "[Connect]\r\nClient Port=" + std::to_string(FreePort()) + "\r\n");
    }

    GuiRunner& Start(bool layeredWindows = true) {
        RuntimeOptions options;
        options.HomeDirectory = Home.Path();
        options.ProgramDirectory = Home.Path();
        options.LayeredWindowsAvailable = layeredWindows;
        options.CreateStartWorld = CreateStartWorld;
        options.ServerOverride = ServerOverride;
        Runner = std::make_unique<GuiRunner>(options);
        Runner->SetDialogs(Boxes);
        Runner->Start();
        return *Runner;
    }

    bool CreateStartWorld = true;
    // --server HOST:PORT for this run, when not empty.
    std::string ServerOverride;
    TempDirectory Home;
    RecordingDialogs Boxes;
    std::unique_ptr<GuiRunner> Runner;
};

}  // namespace trellan::testing
