#include "storage/SafeWrite.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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
    // Closes now, so that a late write error shows in the result.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

WriteOutcome failure(const fs::path& file, int err)
{
    return {false, WriteMethod::Replaced, "cannot write " + file.string() + ": " + std::strerror(err)};
}

// Opens an ordinary file only: O_NONBLOCK so that a pipe put in its place
// cannot hang the game on open.
int openRegular(const fs::path& file, int flags, int& err, struct stat& info)
{
    const int fd = ::open(file.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        err = errno;
        return -1;
    }
    err = ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : !S_ISREG(info.st_mode) ? EINVAL : 0;
    if (err != 0) {
        ::close(fd);
        return -1;
    }
    (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool writeAllAt(int fd, std::string_view bytes, off_t offset)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Bytes of real data in the file (holes not counted), counted only up to
// just past `limit`: a file cut into a million pieces is not walked whole.
uint64_t dataBytes(int fd, off_t size, uint64_t limit)
{
    uint64_t total = 0;
    for (off_t pos = 0; pos < size && total <= limit;) {
        const off_t data = ::lseek(fd, pos, SEEK_DATA);
        if (data < 0)
            break; // ENXIO: only a hole is left
        off_t hole = ::lseek(fd, data, SEEK_HOLE);
        if (hole < 0)
            hole = size;
        total += static_cast<uint64_t>(hole - data);
        pos = hole;
    }
    return total;
}

// The old file's bytes into the empty `to`: each data extent at its own
// offset, so holes stay holes and a sparse file of gigabytes copies fast.
bool copyContents(int from, int to, off_t size)
{
    if (::ftruncate(to, size) != 0)
        return false;
    std::vector<char> buffer(1 << 16);
    for (off_t pos = 0; pos < size;) {
        const off_t data = ::lseek(from, pos, SEEK_DATA);
        if (data < 0)
            return errno == ENXIO; // only a hole is left
        off_t hole = ::lseek(from, data, SEEK_HOLE);
        if (hole < 0 || hole > size)
            hole = size;
        for (pos = data; pos < hole;) {
            const ssize_t got = ::pread(from, buffer.data(),
                                        static_cast<size_t>(std::min<off_t>(hole - pos, buffer.size())), pos);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return got == 0; // the file shrank under us: the rest reads as zero
            if (!writeAllAt(to, std::string_view(buffer.data(), static_cast<size_t>(got)), pos))
                return false;
            pos += got;
        }
    }
    return true;
}

// The rename itself, made durable where the folder can be opened.
void syncFolder(const fs::path& folder)
{
    FileDescriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.ok())
        (void)::fsync(dir.get());
}

// Temporaries named "<file>.tmp-<pid>" that earlier versions left behind
// when they were killed mid-write.
void removeOldTemporaries(const fs::path& file)
{
    const std::string prefix = file.filename().string() + ".tmp-";
    std::error_code ec;
    for (fs::directory_iterator it(file.parent_path().empty() ? "." : file.parent_path(), ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            name.find_first_not_of("0123456789", prefix.size()) == std::string::npos) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

WriteOutcome writeInPlace(const fs::path& file, int fd, uint64_t offset, std::string_view bytes)
{
    if (!writeAllAt(fd, bytes, static_cast<off_t>(offset)) || ::fsync(fd) != 0)
        return failure(file, errno);
    return {true, WriteMethod::InPlace, {}};
}

// Refused: no new file can be made beside the old one (permissions, a full
// disk, a leftover that cannot go); the old file may still take the bytes.
enum class Replace { Done, Failed, Refused };

// Writes the new file under the temporary name and renames it over `file`.
// `old` is the open old file (-1 when there is none).
Replace replaceWhole(const fs::path& file, int old, const struct stat* info, uint64_t offset,
                     std::string_view bytes, int& err)
{
    const fs::path folder = file.parent_path();
    // Two copies of the game saving at once take turns on the one temporary.
    FileDescriptor lock(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (lock.ok())
        (void)::flock(lock.get(), LOCK_EX);

    const fs::path temp = tempPathFor(file);
    const mode_t mode = info ? (info->st_mode & 07777) : 0666;
    ::unlink(temp.c_str()); // a leftover may be read-only, or a link planted there
    FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!fd.ok()) {
        err = errno;
        const bool refused = err == EACCES || err == EPERM || err == EROFS || err == EEXIST || err == ENOSPC || err == EDQUOT;
        return refused ? Replace::Refused : Replace::Failed;
    }
    bool written = old < 0 || copyContents(old, fd.get(), info->st_size);
    written = written && writeAllAt(fd.get(), bytes, static_cast<off_t>(offset));
    if (written && info) {
        // Keep owner and mode; the umask and a root writer would change them.
        (void)::fchown(fd.get(), info->st_uid, info->st_gid);
        (void)::fchmod(fd.get(), mode);
    }
    written = written && ::fsync(fd.get()) == 0;
    err = errno;
    const bool closed = fd.close();
    if (written && !closed)
        err = errno;
    if (!written || !closed || ::rename(temp.c_str(), file.c_str()) != 0) {
        if (written && closed)
            err = errno;
        ::unlink(temp.c_str());
        return (err == ENOSPC || err == EDQUOT) ? Replace::Refused : Replace::Failed;
    }
    syncFolder(folder);
    return Replace::Done;
}

} // namespace

fs::path tempPathFor(const fs::path& file)
{
    fs::path temp = file;
    temp += ".tmp";
    return temp;
}

bool readFileHead(const std::filesystem::path& file, std::size_t size, std::string& bytes,
                  std::string* error)
{
    bool exists = false;
    if (const int err = readBytesAt(file, 0, size, bytes, exists)) {
        if (error)
            *error = "cannot read " + file.string() + ": " + std::strerror(err);
        bytes.clear();
        return false;
    }
    if (!exists) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            ::close(fd);
        bytes.clear();
        return true;
    }
    // readBytesAt reads past the end as zeros; keep only what the file holds.
    std::error_code ec;
    const std::uintmax_t length = std::filesystem::file_size(file, ec);
    if (!ec && length < bytes.size())
        bytes.resize(static_cast<std::size_t>(length));
    return true;
}

int readBytesAt(const fs::path& file, uint64_t offset, size_t size, std::string& out, bool& exists)
{
    out.assign(size, '\0');
    exists = false;
    int err = 0;
    struct stat info {};
    FileDescriptor fd(openRegular(file, O_RDONLY, err, info));
    if (!fd.ok()) {
        if (err == ENOENT)
            return 0;
        exists = true;
        return err;
    }
    exists = true;
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd.get(), out.data() + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            break; // the rest lies beyond the end and stays zero
        done += static_cast<size_t>(n);
    }
    return 0;
}

WriteOutcome writeBytesAt(const fs::path& file, uint64_t offset, std::string_view bytes)
{
    // Through a link to the file it names, so the link survives.
    std::error_code ec;
    fs::path target = file;
    if (fs::is_symlink(fs::symlink_status(file, ec))) {
        const fs::path real = fs::weakly_canonical(file, ec);
        if (!ec)
            target = real;
    }

    int err = 0;
    struct stat info {};
    FileDescriptor old(openRegular(target, O_RDONLY, err, info));
    if (!old.ok() && err != ENOENT)
        return failure(file, err); // a folder or a pipe: its bytes cannot be kept

    // A file the player may not write is not replaced behind its back.
    if (old.ok() && ::access(target.c_str(), W_OK) != 0)
        return failure(file, errno);

    const bool inPlaceFirst = old.ok() && (info.st_nlink > 1 || dataBytes(old.get(), info.st_size, kMaxCopyBytes) > kMaxCopyBytes);
    if (!inPlaceFirst) {
        const Replace r = replaceWhole(target, old.ok() ? old.get() : -1, old.ok() ? &info : nullptr,
                                       offset, bytes, err);
        if (r == Replace::Done) {
            removeOldTemporaries(target);
            return {true, WriteMethod::Replaced, {}};
        }
        if (r == Replace::Failed || !old.ok())
            return failure(file, err);
    }
    // No new file could be made (a read-only folder, a full disk), or a
    // copy would be too slow.
    struct stat now {};
    FileDescriptor out(openRegular(target, O_WRONLY, err, now));
    if (!out.ok())
        return failure(file, err);
    return writeInPlace(file, out.get(), offset, bytes);
}

} // namespace quibix
