// Whole-file reading, atomic saving through a temporary file, and CR LF lines.
#include "base/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gramarbor {

FileError ReadFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return FileError::CannotOpen;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileError::CannotOpen;
    }
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        ::close(fd);
        return FileError::TooLarge;
    }
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            bytes.clear();
            return FileError::ReadFailed;
        }
        if (got == 0) break;
        if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
            ::close(fd);
            bytes.clear();
            return FileError::TooLarge;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return FileError::None;
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace

FileError AtomicSave(const std::string& path, std::string_view bytes) {
    // A special file (a device such as /dev/full, a pipe) cannot be replaced by a
    // rename; it is written in place, which is all such a target allows.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return FileError::CannotCreate;
        const bool ok = WriteAll(fd, bytes) && (::fsync(fd) == 0 || errno == EINVAL);
        return (::close(fd) == 0 && ok) ? FileError::None : FileError::WriteFailed;
    }

    // The temporary name is the file name plus a suffix; a long name is shortened
    // first, so that a file name near the system's limit can still be saved.
    const std::size_t nameStart = path.find_last_of('/') + 1; // 0 without a folder
    constexpr std::size_t MaxTempStem = 200;
    std::string pattern =
        path.substr(0, nameStart + std::min(path.size() - nameStart, MaxTempStem));
    pattern += ".XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return FileError::CannotCreate;
    mode_t mode = 0644;
    if (::stat(path.c_str(), &info) == 0)
        mode = info.st_mode & 07777;
    else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(pattern.c_str(), path.c_str()) == 0) return FileError::None;
    ::unlink(pattern.c_str());
    return FileError::WriteFailed;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string FileExtension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return path.substr(dot);
}

} // namespace gramarbor
