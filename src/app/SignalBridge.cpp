#include "app/SignalBridge.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace trellan {

namespace {

volatile sig_atomic_t writeFd = -1;

void OnSignal(int number) {
    const int savedErrno = errno;
    const int fd = writeFd;
    if (fd >= 0) {
        const unsigned char byte = static_cast<unsigned char>(number);
        [[maybe_unused]] const ssize_t ignored = write(fd, &byte, 1);
    }
    errno = savedErrno;
}

void Install(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

}  // namespace

SignalBridge::SignalBridge(QObject* parent) : QObject(parent) {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds_) != 0) {
        throw std::runtime_error("Cannot create the signal socket pair");
    }
    // A full pipe must never block the handler; one byte waiting is enough.
    fcntl(fds_[0], F_SETFL, fcntl(fds_[0], F_GETFL) | O_NONBLOCK);
    fcntl(fds_[1], F_SETFL, fcntl(fds_[1], F_GETFL) | O_NONBLOCK);
    writeFd = fds_[1];
    notifier_ = std::make_unique<QSocketNotifier>(fds_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &SignalBridge::OnReadable);
    Install(OnSignal);
}

SignalBridge::~SignalBridge() {
    Install(SIG_DFL);
    writeFd = -1;
    notifier_.reset();
    close(fds_[0]);
    close(fds_[1]);
}

void SignalBridge::OnReadable() {
    unsigned char bytes[16];
    const ssize_t n = read(fds_[0], bytes, sizeof bytes);
    if (n > 0) {
        emit StopRequested(bytes[n - 1]);
    }
}

}  // namespace trellan
