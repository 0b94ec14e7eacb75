#include "common/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/Errors.h"

namespace trellan {

namespace {

WriteFault& InstalledFault() {
    static WriteFault fault;
    return fault;
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes, bool sync) {
    std::string tmp = path + ".tmp-XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) throw FileWriteError(path, errno);
    int error = 0;
    bool ok = false;
    if (const int injected = InjectedWriteError(path)) {
        error = injected;
    } else {
        ok = WriteAll(fd, bytes) && (!sync || ::fsync(fd) == 0);
        if (!ok) error = errno;
    }
    // Keep the permissions an ordinary file would get, not mkstemp's 0600.
    mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat old{};
    if (::stat(path.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    else
        ::fchmod(fd, 0666 & ~mask);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        throw FileWriteError(path, error);
    }
    // Make the rename itself durable.
    if (!sync) return;
    int dirFd = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::string data;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
    bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) return std::nullopt;
    return data;
}

bool FileExists(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void SetWriteFault(WriteFault fault) { InstalledFault() = std::move(fault); }

int InjectedWriteError(const std::string& path) {
    const WriteFault& fault = InstalledFault();
    return fault ? fault(path) : 0;
}

}  // namespace trellan
