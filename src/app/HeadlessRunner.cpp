#include "app/HeadlessRunner.h"

#include <QTimer>
#include <cstdio>
#include <exception>
#include <iostream>

#include "app/CatchingApplication.h"
#include "app/SignalBridge.h"
#include "common/Errors.h"
#include "net/QtTransport.h"
#include "net/TransportEvents.h"
#include "text/Cp1251.h"

namespace trellan {

namespace {

// The runtime speaks Windows-1251; a headless terminal is UTF-8.
void PrintLine(std::FILE* to, const std::string& text) {
    std::fputs(Cp1251ToUtf8(text).c_str(), to);
    std::fputc('\n', to);
    std::fflush(to);
}

}  // namespace

HeadlessRunner::HeadlessRunner(TrellanApplication& app, RuntimeOptions options)
    : app_(app), options_(std::move(options)) {}

int HeadlessRunner::Run() {
    // Declared in this order so that each outlives what refers to it.
    QtTransport transport;
    TrellanRuntime runtime(options_, transport);
    SessionEvents<ProxySession> events(runtime.Session());
    transport.SetEvents(&events);
    transport.OnLog = [&runtime](const std::string& text) {
        runtime.Log().Log(text);
        PrintLine(stderr, "trellan: " + text);
    };
    app_.OnException = [&runtime](const std::string& message) {
        if (const auto shown = runtime.AppException(message)) {
            PrintLine(stderr, "trellan: " + *shown + " (" + message + ")");
        }
    };

    try {
        runtime.Start();
    } catch (const TrellanError& error) {
        PrintLine(stderr, std::string("trellan: ") + error.what());
        app_.OnException = nullptr;
        return 1;
    }
    PrintLine(stdout, runtime.ListenLine());
    if (!runtime.ListenError().empty()) {
        PrintLine(stderr, "trellan: " + runtime.ListenError());
    }
    // Damaged zone files and the like: without a window this is where the
    // player learns of them.
    for (const std::string& error : runtime.StorageErrors()) PrintLine(stderr, "trellan: " + error);
    const auto printNotices = [&runtime] {
        for (const std::string& notice : runtime.TakeNotices()) PrintLine(stderr, "trellan: " + notice);
    };
    printNotices();
    // The change journal once a second, and the autosave when it is due.
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &app_, [&] {
        runtime.Tick();
        printNotices();
    });
    tick.start(1000);

    int status = 0;
    SignalBridge stopSignals;
    QObject::connect(&stopSignals, &SignalBridge::StopRequested, &app_, [&](int) {
        try {
            runtime.Close();
        } catch (const std::exception& error) {
            PrintLine(stderr, std::string("trellan: ") + error.what());
            status = 1;
        }
        app_.quit();
    });
    app_.exec();
    transport.SetEvents(nullptr);
    app_.OnException = nullptr;
    return status;
}

}  // namespace trellan
