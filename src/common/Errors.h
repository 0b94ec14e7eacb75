#pragma once
// The few exception types that carry errors the user must see up to the
// program-wide error handler. Expected outcomes (not found, refused, nothing
// to do) are return values, not exceptions.
#include <stdexcept>
#include <string>

namespace trellan {

// Base of every error Trellan reports to the user; what() is the message.
class TrellanError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file (or its directory) could not be written. The message is
// "Unable to write to " + path; the old file, if any, is left whole.
// ErrorNumber is the errno value when known (ENOSPC: the disk is full), 0
// otherwise.
class FileWriteError : public TrellanError {
public:
    explicit FileWriteError(const std::string& path, int errorNumber = 0)
        : TrellanError("Unable to write to " + path), path_(path), errorNumber_(errorNumber) {}
    const std::string& Path() const { return path_; }
    int ErrorNumber() const { return errorNumber_; }

private:
    std::string path_;
    int errorNumber_ = 0;
};

// A file could be read but its content is damaged; the message names the
// file, the byte offset where it helps, and the reason.
class FileFormatError : public TrellanError {
public:
    using TrellanError::TrellanError;
};

}  // namespace trellan
