#include "storage/ChangeJournal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "common/FileIo.h"
#include "storage/JournalCodec.h"
#include "storage/JournalFormat.h"

namespace trellan {

ChangeJournal::ChangeJournal(std::string path) : path_(std::move(path)) {}

ChangeJournal::~ChangeJournal() { CloseFile(); }

void ChangeJournal::CloseFile() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::string ChangeJournal::ReadAll() const { return ReadWholeFile(path_).value_or(std::string()); }

bool ChangeJournal::EnsureOpen() {
    if (fd_ >= 0) return true;
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        lastError_ = errno;
        return false;
    }
    struct stat info{};
    if (::fstat(fd_, &info) != 0) {
        lastError_ = errno;
        CloseFile();
        return false;
    }
    size_ = static_cast<std::size_t>(info.st_size);
    return true;
}

void ChangeJournal::Append(const std::vector<ZoneChange>& changes) {
    for (const ZoneChange& change : changes) AppendJournalRecord(pending_, change);
}

bool ChangeJournal::Flush() {
    if (pending_.empty()) return true;
    if (!EnsureOpen()) return false;
    std::string bytes;
    if (size_ == 0) bytes.append(journal::kFileHeader);
    bytes.append(pending_);
    const std::size_t before = size_;
    int error = InjectedWriteError(path_);
    std::size_t written = 0;
    while (error == 0 && written < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.data() + written, bytes.size() - written,
                                   static_cast<off_t>(before + written));
        if (n < 0) {
            if (errno != EINTR) error = errno;
            continue;
        }
        written += static_cast<std::size_t>(n);
    }
    if (error == 0 && ::fdatasync(fd_) != 0) error = errno;
    if (error != 0) {
        // What got in of this batch goes again, so the file ends with a
        // whole record and the next flush appends behind it.
        [[maybe_unused]] const int ignored = ::ftruncate(fd_, static_cast<off_t>(before));
        lastError_ = error;
        return false;
    }
    size_ = before + bytes.size();
    pending_.clear();
    lastError_ = 0;
    return true;
}

bool ChangeJournal::Truncate() {
    pending_.clear();
    if (fd_ < 0 && !FileExists(path_)) return true;
    if (!EnsureOpen()) return false;
    if (size_ == 0) return true;
    if (::ftruncate(fd_, 0) != 0 || ::fdatasync(fd_) != 0) {
        lastError_ = errno;
        return false;
    }
    size_ = 0;
    return true;
}

bool ChangeJournal::CutTo(std::size_t size) {
    if (!EnsureOpen()) return false;
    if (size_ <= size) return true;
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0 || ::fdatasync(fd_) != 0) {
        lastError_ = errno;
        return false;
    }
    size_ = size;
    return true;
}

std::string ChangeJournal::SetAside() {
    CloseFile();
    for (int n = 1; n < 1000; ++n) {
        const std::string aside = path_ + ".damaged-" + std::to_string(n);
        if (FileExists(aside)) continue;
        if (std::rename(path_.c_str(), aside.c_str()) != 0) {
            lastError_ = errno;
            return {};
        }
        return aside;
    }
    return {};
}

}  // namespace trellan
