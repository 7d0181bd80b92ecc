#include "storage/FileReplace.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace quibix {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    // Closes now, so that a failing close (a late write error) is seen.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

void setError(std::string* error, const char* what, const fs::path& file, int err)
{
    if (error)
        *error = std::string("cannot ") + what + " " + file.string() + ": " + std::strerror(err);
}

// The whole file, or false with errno set.
bool readAll(int fd, FileBytes& bytes)
{
    unsigned char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return true;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
}

bool writeAll(int fd, const FileBytes& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Reads `file` whole when it exists (`exists` false and 0 when it does
// not). Returns 0, or the errno of why an existing file cannot be read.
int loadExisting(const fs::path& file, bool& exists, FileBytes& bytes, struct stat& info)
{
    exists = false;
    if (::stat(file.c_str(), &info) != 0)
        return errno == ENOENT ? 0 : errno;
    exists = true;
    if (!S_ISREG(info.st_mode)) // a folder, or a pipe that would block
        return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.ok() || !readAll(fd.get(), bytes))
        return errno;
    return 0;
}

} // namespace

bool readOrCreate(const fs::path& file, FileBytes& bytes, std::string* error)
{
    bytes.clear();
    bool exists = false;
    struct stat info {};
    if (const int err = loadExisting(file, exists, bytes, info)) {
        bytes.clear();
        setError(error, "read", file, err);
        return false;
    }
    if (!exists)
        FileDescriptor created(::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
    return true;
}

bool replaceFile(const fs::path& file, const std::function<void(FileBytes&)>& patch, std::string* error)
{
    // Write through a link to the file it names, so the link survives.
    std::error_code ec;
    fs::path target = file;
    if (fs::is_symlink(fs::symlink_status(file, ec))) {
        const fs::path real = fs::canonical(file, ec);
        if (!ec)
            target = real;
    }

    FileBytes bytes;
    bool exists = false;
    struct stat info {};
    if (const int err = loadExisting(target, exists, bytes, info)) {
        setError(error, "write", file, err); // its other bytes cannot be kept
        return false;
    }
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        setError(error, "write", file, errno); // a read-only file stays as it is
        return false;
    }

    patch(bytes);

    fs::path temp = target;
    temp += ".tmp-" + std::to_string(::getpid());
    const mode_t mode = exists ? (info.st_mode & 07777) : 0666;
    FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!fd.ok()) {
        setError(error, "write", file, errno);
        return false;
    }
    bool written = writeAll(fd.get(), bytes);
    int writeErr = errno;
    if (written && exists)
        (void)::fchmod(fd.get(), mode); // the umask may have taken some away
    if (written && ::fsync(fd.get()) != 0) {
        written = false;
        writeErr = errno;
    }
    const bool closed = fd.close();
    const int closeErr = errno;
    if (!written || !closed || ::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = !written ? writeErr : !closed ? closeErr : errno;
        ::unlink(temp.c_str());
        setError(error, "write", file, err);
        return false;
    }

    // Make the rename itself durable; a failure here loses nothing.
    FileDescriptor dir(::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.ok())
        ::fsync(dir.get());
    return true;
}

} // namespace quibix
