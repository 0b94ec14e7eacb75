#pragma once
// Turns SIGINT, SIGTERM and SIGHUP (the terminal or SSH session closing) into a Qt signal on the event loop's thread. The
// handler only writes one byte to a socket pair (async-signal-safe); a
// QSocketNotifier on the other end emits StopRequested.
#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace trellan {

class SignalBridge final : public QObject {
    Q_OBJECT

public:
    // Only one bridge may exist at a time; it installs the handlers and
    // restores the default ones when destroyed.
    explicit SignalBridge(QObject* parent = nullptr);
    ~SignalBridge() override;

signals:
    void StopRequested(int signalNumber);

private:
    void OnReadable();

    int fds_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace trellan
