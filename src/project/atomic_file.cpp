#include "project/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hygrova {
namespace {

std::string SystemReason()
{
    return std::strerror(errno);
}

// The folder of a path ("." for a bare name) and the name in it.
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string TooLarge(std::size_t maxBytes)
{
    return "文件过大（超过 " + std::to_string(maxBytes / (1024 * 1024)) + " MiB）";
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    std::string temporary = path + ".XXXXXX";
    std::vector<char> pattern(temporary.begin(), temporary.end());
    pattern.push_back('\0');
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return "无法在该文件夹中写入文件（" + SystemReason() + "）";
    }
    temporary.assign(pattern.data());
    // mkstemp creates the file 0600; a replaced file keeps its mode, a new one gets the
    // umask's default, as a plainly created file would.
    struct stat existing {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    std::string problem;
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes)) {
        problem = "写入文件失败（" + SystemReason() + "）";
    } else if (::fsync(fd) != 0) {
        problem = "写入磁盘失败（" + SystemReason() + "）";
    }
    if (::close(fd) != 0 && problem.empty()) {
        problem = "写入文件失败（" + SystemReason() + "）";
    }
    if (problem.empty() && std::rename(temporary.c_str(), path.c_str()) != 0) {
        problem = "无法替换原文件（" + SystemReason() + "）";
    }
    if (!problem.empty()) {
        ::unlink(temporary.c_str());
        return problem;
    }
    // The rename lasts once the folder's entry is on the disk; a folder that cannot be
    // synced (some network file systems) leaves a complete file all the same.
    const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

FileReading ReadWholeFile(const std::string& path, std::size_t maxBytes)
{
    FileReading reading;
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        reading.problem = "无法打开文件（" + SystemReason() + "）";
        return reading;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        reading.problem = "这不是一个普通文件";
    } else if (static_cast<std::size_t>(status.st_size) > maxBytes) {
        reading.problem = TooLarge(maxBytes);
    } else {
        char buffer[1 << 16];
        for (;;) {
            const ssize_t count = ::read(fd, buffer, sizeof buffer);
            if (count < 0 && errno == EINTR) {
                continue;
            }
            if (count < 0) {
                reading.problem = "读取文件失败（" + SystemReason() + "）";
                break;
            }
            if (count == 0) {
                break;
            }
            reading.bytes.append(buffer, static_cast<std::size_t>(count));
            if (reading.bytes.size() > maxBytes) {
                reading.problem = TooLarge(maxBytes);
                break;
            }
        }
    }
    ::close(fd);
    if (!reading.problem.empty()) {
        reading.bytes.clear();
    }
    return reading;
}

}  // namespace hygrova
