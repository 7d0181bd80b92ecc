#include "storage/HighScoreFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace quibix {

namespace {

constexpr size_t kRowsEnd = kRecordsOffset + kRecordRows * kRecordSize; // 608

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
bool readAll(int fd, std::vector<unsigned char>& bytes)
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

bool writeAll(int fd, const std::vector<unsigned char>& bytes)
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

// Little-endian on every host, whatever its own byte order.
float loadScore(const unsigned char* p)
{
    const uint32_t bits = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void storeScore(unsigned char* p, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(bits >> (8 * i));
}

size_t rowOffset(int row) // 0-based row
{
    return kRecordsOffset + static_cast<size_t>(row) * kRecordSize;
}

// Reads `file` whole when it exists (`exists` false and 0 when it does
// not). Returns 0, or the errno of why an existing file cannot be read.
int loadExisting(const fs::path& file, bool& exists, std::vector<unsigned char>& bytes, struct stat& info)
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

bool HighScoreFile::read(RecordTable& rows, std::string* error) const
{
    rows = RecordTable{};
    std::vector<unsigned char> bytes;
    bool exists = false;
    struct stat info {};
    if (const int err = loadExisting(file_, exists, bytes, info)) {
        setError(error, "read", file_, err);
        return false;
    }
    if (!exists) {
        // Created empty, as the game always did; a folder that refuses it
        // loses nothing, since there is nothing in it yet.
        FileDescriptor fd(::open(file_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
        return true;
    }

    bytes.resize(std::max(bytes.size(), kRowsEnd), 0); // beyond the end reads as zero
    for (int i = 0; i < kRecordRows; ++i) {
        const unsigned char* row = bytes.data() + rowOffset(i);
        rows[i].Puntos = loadScore(row);
        rows[i].Nombre.assign(reinterpret_cast<const char*>(row + 4), kNameLength);
    }
    return true;
}

bool HighScoreFile::write(const RecordTable& rows, std::string* error) const
{
    // Write through a link to the file it names, so the link survives.
    std::error_code ec;
    fs::path target = file_;
    if (fs::is_symlink(fs::symlink_status(file_, ec))) {
        const fs::path real = fs::canonical(file_, ec);
        if (!ec)
            target = real;
    }

    std::vector<unsigned char> bytes;
    bool exists = false;
    struct stat info {};
    if (const int err = loadExisting(target, exists, bytes, info)) {
        setError(error, "write", file_, err); // its other bytes cannot be kept
        return false;
    }
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        setError(error, "write", file_, errno); // a read-only file stays as it is
        return false;
    }

    bytes.resize(std::max(bytes.size(), kRowsEnd), 0);
    for (int i = 0; i < kRecordRows; ++i) {
        unsigned char* row = bytes.data() + rowOffset(i);
        storeScore(row, rows[i].Puntos);
        const std::string& name = rows[i].Nombre;
        for (int k = 0; k < kNameLength; ++k)
            row[4 + k] = k < static_cast<int>(name.size()) ? static_cast<unsigned char>(name[k]) : 0;
    }

    // A complete new file renamed over the old one: a crash at any point
    // leaves either the old tables or the new ones.
    fs::path temp = target;
    temp += ".tmp-" + std::to_string(::getpid());
    const mode_t mode = exists ? (info.st_mode & 07777) : 0666;
    FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!fd.ok()) {
        setError(error, "write", file_, errno);
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
        setError(error, "write", file_, err);
        return false;
    }

    // Make the rename itself durable; a failure here loses nothing.
    FileDescriptor dir(::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.ok())
        ::fsync(dir.get());
    return true;
}

std::string formatScore(float puntos)
{
    // A damaged file may hold any four bytes; only a sane whole score shows.
    if (!std::isfinite(puntos) || puntos < 0.0f || static_cast<double>(puntos) > 2147483647.0)
        return "0000000";
    const long long whole = static_cast<long long>(std::nearbyint(static_cast<double>(puntos)));
    char text[32];
    std::snprintf(text, sizeof text, "%07lld", whole);
    return text;
}

} // namespace quibix
