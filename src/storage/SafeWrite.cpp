#include "storage/SafeWrite.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace quibix {

namespace {

// What open() returns when it fails.
constexpr int kNoFile = -1;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = kNoFile) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (ok())
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool ok() const { return fd_ != kNoFile; }
    // Closes now, so that a late write error shows in the result.
    bool close() { return ::close(std::exchange(fd_, kNoFile)) == 0; }

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
    if (fd == kNoFile) {
        err = errno;
        return kNoFile;
    }
    err = ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : !S_ISREG(info.st_mode) ? EINVAL : 0;
    if (err != 0) {
        ::close(fd);
        return kNoFile;
    }
    (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Reads and writes of ordinary files are not cut short by signals: a short
// count means the end of the file (reading) or no room left (writing, where
// the next call fails and says why). So there is no EINTR retry.
bool writeAllAt(int fd, std::string_view bytes, off_t offset)
{
    for (size_t done = 0; done != bytes.size();) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (n == -1)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Reads `size` bytes at `offset` into `to`, fewer at the end of the file.
// Returns how many, or -1 with errno set.
ssize_t readAt(int fd, off_t offset, char* to, size_t size)
{
    size_t done = 0;
    while (done != size) {
        const ssize_t n = ::pread(fd, to + done, size - done, offset + static_cast<off_t>(done));
        if (n == -1)
            return -1;
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

// Up to `size` bytes at `offset`: `out` holds what the file has there
// (nothing when it cannot be read). Returns 0 or the errno of the failure;
// a missing file reads as empty.
int readRange(const fs::path& file, uint64_t offset, size_t size, std::string& out, bool& exists)
{
    out.resize(size);
    int err = 0;
    struct stat info {};
    FileDescriptor fd(openRegular(file, O_RDONLY, err, info));
    exists = fd.ok() || err != ENOENT;
    const ssize_t got = fd.ok() ? readAt(fd.get(), static_cast<off_t>(offset), out.data(), size) : 0;
    if (got == -1)
        err = errno;
    out.resize(err == 0 ? static_cast<size_t>(got) : 0);
    return exists ? err : 0;
}

// Walks the extents of real data in the first `size` bytes of the file,
// calling `visit(start, end)` for each while it returns true. False when
// the walk fails or `visit` stops it.
template <typename Visit>
bool forEachExtent(int fd, off_t size, Visit visit)
{
    for (off_t pos = 0; pos < size;) {
        const off_t data = ::lseek(fd, pos, SEEK_DATA);
        if (data == -1)
            return errno == ENXIO; // only a hole is left
        const off_t hole = ::lseek(fd, data, SEEK_HOLE);
        if (hole == -1)
            return false;
        pos = std::max(data, std::min(hole, size)); // nothing past `size`
        if (!visit(data, pos))
            return false;
    }
    return true;
}

// Bytes of real data in the file (holes not counted), counted only up to
// just past `limit`: a file cut into a million pieces is not walked whole.
uint64_t dataBytes(int fd, off_t size, uint64_t limit)
{
    uint64_t total = 0;
    forEachExtent(fd, size, [&](off_t start, off_t end) {
        total += static_cast<uint64_t>(end - start);
        return total <= limit;
    });
    return total;
}

// The old file's bytes into the empty `to`: each data extent at its own
// offset, so holes stay holes and a sparse file of gigabytes copies fast.
bool copyContents(int from, int to, off_t size)
{
    // In pieces of at most 1 MiB: a file that another program filled since
    // it was measured cannot ask for gigabytes of memory at once.
    constexpr off_t kPiece = 1 << 20;
    std::string buffer;
    return ::ftruncate(to, size) == 0 && forEachExtent(from, size, [&](off_t start, off_t end) {
               for (off_t at = start; at < end; at += kPiece) {
                   buffer.resize(static_cast<size_t>(std::min(end - at, kPiece)));
                   // A file that shrank under us: the rest stays the zeros of ftruncate.
                   const ssize_t got = readAt(from, at, buffer.data(), buffer.size());
                   if (got == -1 || !writeAllAt(to, std::string_view(buffer.data(), static_cast<size_t>(got)), at))
                       return false;
               }
               return true;
           });
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

// Writes the new file under the temporary name and renames it over `file`.
// `old` is the open old file (kNoFile when there is none) and `info` its
// status. False, with `err` set and the old file untouched, when no new
// file could be put in its place.
bool replaceWhole(const fs::path& file, int old, const struct stat& info, uint64_t offset,
                  std::string_view bytes, int& err)
{
    const fs::path folder = file.parent_path();
    // Two copies of the game saving at once take turns on the one temporary.
    FileDescriptor lock(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (lock.ok())
        (void)::flock(lock.get(), LOCK_EX);

    const fs::path temp = tempPathFor(file);
    const mode_t mode = old == kNoFile ? 0666 : (info.st_mode & 07777);
    ::unlink(temp.c_str()); // a leftover may be read-only, or a link planted there
    FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    const bool written = fd.ok() && (old == kNoFile || copyContents(old, fd.get(), info.st_size)) &&
                         writeAllAt(fd.get(), bytes, static_cast<off_t>(offset));
    if (written && old != kNoFile) {
        // Keep owner and mode; the umask and a root writer would change them.
        // Another's file we may only write becomes ours: no set-id bits then.
        const bool sameOwner = ::fchown(fd.get(), info.st_uid, info.st_gid) == 0;
        (void)::fchmod(fd.get(), sameOwner ? mode : (mode & 0777));
    }
    // errno is that of the first step that failed: each runs only after
    // the one before it succeeded.
    if (written && ::fsync(fd.get()) == 0 && fd.close() && ::rename(temp.c_str(), file.c_str()) == 0) {
        syncFolder(folder);
        return true;
    }
    err = errno;
    ::unlink(temp.c_str());
    return false;
}

// Puts `temp` in place as `to` unless `to` exists (as anything, a dangling
// link too). Returns 0 or the errno of the failure.
int renameNoReplace(const fs::path& temp, const fs::path& to)
{
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL) // EINVAL: a file system without it
        return errno;
    // Without it a hard link does the same; the temporary then goes.
    if (::link(temp.c_str(), to.c_str()) != 0)
        return errno;
    ::unlink(temp.c_str());
    return 0;
}

// The file `file` names through any links, so the links survive a write.
// A link to a missing file names where that file is to be made. A loop of
// links stops after as many steps as the system allows, and its opening
// then fails with ELOOP.
fs::path linkedFile(const fs::path& file)
{
    constexpr int kMaxLinks = 40;
    fs::path target = file;
    std::error_code ec;
    for (int i = 0; i < kMaxLinks && fs::is_symlink(fs::symlink_status(target, ec)); ++i) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
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
    bool exists;
    if (const int err = readRange(file, 0, size, bytes, exists)) {
        if (error)
            *error = "cannot read " + file.string() + ": " + std::strerror(err);
        return false;
    }
    if (!exists) {
        const FileDescriptor made(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    }
    return true;
}

int readBytesAt(const fs::path& file, uint64_t offset, size_t size, std::string& out, bool& exists)
{
    const int err = readRange(file, offset, size, out, exists);
    out.resize(size, '\0'); // past the end reads as zero
    return err;
}

bool copyDataFile(const fs::path& from, const fs::path& to, std::string* error)
{
    int err = 0;
    struct stat info {};
    FileDescriptor source(openRegular(from, O_RDONLY, err, info));
    const fs::path temp = tempPathFor(to);
    if (source.ok()) {
        ::unlink(temp.c_str()); // a leftover of a copy cut short
        // 0666: the umask makes it the mode of any new file of the player's.
        FileDescriptor copy(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        const bool written = copy.ok() && copyContents(source.get(), copy.get(), info.st_size) &&
                             ::fsync(copy.get()) == 0 && copy.close();
        err = written ? renameNoReplace(temp, to) : errno;
        if (err == 0)
            syncFolder(to.parent_path());
        else
            ::unlink(temp.c_str());
    }
    if (err != 0 && error)
        *error = "cannot copy " + from.string() + ": " + std::strerror(err);
    return err == 0;
}

WriteOutcome writeBytesAt(const fs::path& file, uint64_t offset, std::string_view bytes)
{
    const fs::path target = linkedFile(file);
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
        if (replaceWhole(target, old.get(), info, offset, bytes, err)) {
            removeOldTemporaries(target);
            return {true, WriteMethod::Replaced, {}};
        }
        if (!old.ok())
            return failure(file, err);
    }
    // No new file could be put in place (a read-only folder, a full disk),
    // or a copy would be too slow: the old file takes the bytes.
    struct stat now {};
    FileDescriptor out(openRegular(target, O_WRONLY, err, now));
    if (!out.ok())
        return failure(file, err);
    return writeInPlace(file, out.get(), offset, bytes);
}

} // namespace quibix
