// Reading whole files, and replacing a file's content without ever leaving it
// half-written: the bytes go to a fresh file in the same folder, are flushed to the
// disk, and that file is renamed over the target. A failure at any step leaves the old
// file as it was and no stray temporary behind.
#include "file_io.h"

#include "data_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace r57 {
namespace detail {

FileRead ReadFileLimited(const std::string& path, std::size_t limit) {
    FileRead result;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        result.error = std::strerror(errno);
        return result;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, f);
        if (got > 0) {
            if (got > limit - bytes.size()) {
                std::fclose(f);
                result.tooLarge = true;
                return result;
            }
            bytes.insert(bytes.end(), chunk, chunk + got);
        }
        if (got < sizeof chunk) {
            break;
        }
    }
    const bool failed = std::ferror(f);
    const int err = errno;
    std::fclose(f);
    if (failed) {
        result.error = std::strerror(err);
        return result;
    }
    result.ok = true;
    result.bytes = std::move(bytes);
    return result;
}

} // namespace detail

namespace {

namespace fs = std::filesystem;

// A name in the target's folder that no other writer picks: hidden, from the target's
// name, this process and a random part.
std::string TemporaryName(const fs::path& target, unsigned attempt) {
    static std::atomic<unsigned> serial{0};
    std::random_device random;
    const std::string name = "." + target.filename().string() + ".tmp-" +
                             std::to_string(::getpid()) + "-" + std::to_string(serial++) + "-" +
                             std::to_string(random() ^ attempt);
    return (target.parent_path() / name).string();
}

bool WriteAll(int fd, const uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
    detail::FileRead read = detail::ReadFileLimited(path, static_cast<std::size_t>(-1));
    if (!read.ok) {
        return std::nullopt;
    }
    return std::move(read.bytes);
}

Status WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (path.empty()) {
        return Status::SystemError(std::strerror(ENOENT));
    }
    const fs::path target(path);

    std::string temp;
    int fd = -1;
    for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TemporaryName(target, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return Status::SystemError(std::strerror(errno));
    }

    // A file that is replaced keeps its permissions.
    struct stat old;
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        (void)::fchmod(fd, old.st_mode & 07777);
    }

    int err = 0;
    if (!WriteAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) {
        err = errno;
    }
    if (::close(fd) != 0 && err == 0) {
        err = errno;
    }
    if (err == 0 && std::rename(temp.c_str(), path.c_str()) != 0) {
        err = errno;
    }
    if (err != 0) {
        ::unlink(temp.c_str());
        return Status::SystemError(std::strerror(err));
    }

    // Make the rename itself durable; the new content is in place either way.
    const std::string folder =
        target.parent_path().empty() ? std::string(".") : target.parent_path().string();
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return Status::Ok();
}

} // namespace r57
