// Reading whole files, and replacing a file's content without ever leaving it
// half-written: the bytes go to a fresh file in the same folder, are flushed to the
// disk, and that file is renamed over the target. A failure at any step leaves the old
// file as it was and no stray temporary behind. Only regular files are read or
// replaced: a FIFO would block a read, and a rename would put a file where a device
// node or a folder was.
#include "core/file_io.h"

#include "core/data_file.h"

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

OpenedFile OpenRegularFile(const std::string& path) {
    OpenedFile opened;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        opened.notRegularFile = true;
        return opened;
    }
    // Non-blocking, so that a FIFO put in its place meanwhile cannot hang the open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        opened.error = std::strerror(errno);
        return opened;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        opened.notRegularFile = true;
        return opened;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    opened.file = ::fdopen(fd, "rb");
    if (!opened.file) {
        opened.error = std::strerror(errno);
        ::close(fd);
    }
    return opened;
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

FileRead ReadFileLimited(const std::string& path, std::size_t limit) {
    FileRead result;
    OpenedFile opened = OpenRegularFile(path);
    std::FILE* f = opened.file;
    if (!f) {
        result.notRegularFile = opened.notRegularFile;
        result.error = opened.notRegularFile ? "not a regular file" : opened.error;
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

// The file a save to `path` replaces: a symbolic link is followed to what it names
// (so the link stays a link), however many links deep. Refused when that exists and is
// not a regular file.
Status ResolveTarget(const std::string& path, std::string& resolved) {
    if (path.empty()) {
        return Status::SystemError(std::strerror(ENOENT));
    }
    fs::path current(path);
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            break; // a new file
        }
        if (S_ISLNK(st.st_mode)) {
            if (hops >= 40) {
                return Status::SystemError(std::strerror(ELOOP));
            }
            std::error_code error;
            const fs::path next = fs::read_symlink(current, error);
            if (error) {
                return Status::SystemError(error.message());
            }
            current = next.is_absolute() ? next : current.parent_path() / next;
            continue;
        }
        if (!S_ISREG(st.st_mode)) {
            return Status::NotRegularFile(S_ISDIR(st.st_mode));
        }
        // The rename needs only the folder's permission, so the file's own is asked
        // here: a file the user may not write is not replaced, and neither is one
        // without any write bit, the usual mark of a master copy, even for root.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            return Status::SystemError(std::strerror(EACCES));
        }
        if (::access(current.c_str(), W_OK) != 0) {
            return Status::SystemError(std::strerror(errno));
        }
        break;
    }
    resolved = current.string();
    return Status::Ok();
}

// A fresh file beside the target; -1 with errno set when none can be made.
int CreateTemporary(const fs::path& target, std::string& temp) {
    int fd = -1;
    for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TemporaryName(target, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    return fd;
}

} // namespace

Status CheckWriteTarget(const std::string& path) {
    std::string resolved;
    const Status checked = ResolveTarget(path, resolved);
    if (!checked) {
        return checked;
    }
    std::string temp;
    const int fd = CreateTemporary(fs::path(resolved), temp);
    if (fd < 0) {
        return Status::SystemError(std::strerror(errno));
    }
    ::close(fd);
    ::unlink(temp.c_str());
    return Status::Ok();
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
    detail::FileRead read = detail::ReadFileLimited(path, static_cast<std::size_t>(-1));
    if (!read.ok) {
        return std::nullopt;
    }
    return std::move(read.bytes);
}

Status WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string resolved;
    const Status checked = ResolveTarget(path, resolved);
    if (!checked) {
        return checked;
    }
    const fs::path target(resolved);

    std::string temp;
    const int fd = CreateTemporary(target, temp);
    if (fd < 0) {
        return Status::SystemError(std::strerror(errno));
    }

    // A file that is replaced keeps its permissions.
    struct stat old;
    if (::stat(resolved.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        (void)::fchmod(fd, old.st_mode & 07777);
    }

    int err = 0;
    if (!WriteAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) {
        err = errno;
    }
    if (::close(fd) != 0 && err == 0) {
        err = errno;
    }
    if (err == 0 && std::rename(temp.c_str(), resolved.c_str()) != 0) {
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
