// Writing a range of a data file: holes, huge files, hard links, leftovers,
// and a read-only folder or file as an ordinary user.
#include "storage/SafeWrite.h"

#include "fakes/AsOrdinaryUser.h"
#include "fakes/FileBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace quibix;

namespace {

class SafeWriteTest : public ::testing::Test {
protected:
    void TearDown() override { fs::permissions(dir, fs::perms::owner_all); }

    std::string bytesAt(uint64_t offset, size_t size) const
    {
        std::string out;
        bool exists = false;
        EXPECT_EQ(readBytesAt(file, offset, size, out, exists), 0);
        return out;
    }

    QTemporaryDir temp;
    fs::path dir = temp.path().toStdString();
    fs::path file = dir / "Quibix.dat";
};

TEST_F(SafeWriteTest, HugeFilesReadOnlyWhatIsAskedAndWriteWithoutCopyingTheirBulk)
{
    // 8 GB, sparse: replaced whole, its hole kept, nothing read but the range.
    const uint64_t huge = 8ull << 30;
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_EQ(::pwrite(fd, "head", 4, 0), 4);
    ASSERT_EQ(::pwrite(fd, "end", 3, static_cast<off_t>(huge - 3)), 3);
    ::close(fd);
    const WriteOutcome outcome = writeBytesAt(file, 2, "XY");
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(outcome.method, WriteMethod::Replaced);
    EXPECT_EQ(fs::file_size(file), huge);
    struct stat info {};
    ::stat(file.c_str(), &info);
    EXPECT_LT(info.st_blocks * 512, 1 << 20);
    EXPECT_EQ(bytesAt(0, 4), "heXY");
    EXPECT_EQ(bytesAt(huge - 3, 3), "end");
    fs::resize_file(file, huge + 4096); // ending in a hole
    const WriteOutcome tail = writeBytesAt(file, 0, "H");
    EXPECT_TRUE(tail.ok && tail.method == WriteMethod::Replaced) << tail.error;
    EXPECT_EQ(bytesAt(huge - 3, 5), std::string("end\0\0", 5)); // beyond the end reads as zero

    // Just as much real data as is worth copying: still replaced whole.
    std::ofstream(file, std::ios::binary) << std::string(kMaxCopyBytes, 'd');
    EXPECT_EQ(writeBytesAt(file, 0, "d").method, WriteMethod::Replaced);
    EXPECT_EQ(quibix::testing::fileBytes(file), std::string(kMaxCopyBytes, 'd')); // copied piece by piece
    // One byte more, past a hole: written in place.
    fs::resize_file(file, kMaxCopyBytes + 8192);
    std::ofstream(file, std::ios::binary | std::ios::app) << 'e';
    const WriteOutcome big = writeBytesAt(file, kMaxCopyBytes, "ZZ");
    ASSERT_TRUE(big.ok) << big.error;
    EXPECT_EQ(big.method, WriteMethod::InPlace);
    EXPECT_EQ(bytesAt(kMaxCopyBytes - 1, 4), std::string("dZZ\0", 4));
    EXPECT_EQ(fs::file_size(file), kMaxCopyBytes + 8193);
}

TEST_F(SafeWriteTest, LinksStayLinkedAndLeftoversGo)
{
    // A hard link shares the new bytes; a replacement would cut it off.
    std::ofstream(file) << "0123456789";
    fs::create_hard_link(file, dir / "other.dat");
    WriteOutcome outcome = writeBytesAt(file, 12, "ab"); // past the end: zeros between
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(outcome.method, WriteMethod::InPlace);
    EXPECT_EQ(quibix::testing::fileBytes(dir / "other.dat"), std::string("0123456789\0\0ab", 14));

    // A read-only leftover under the temporary name and the numbered ones of
    // older versions are cleared away by the next write.
    fs::remove(dir / "other.dat");
    std::ofstream(tempPathFor(file)) << "half";
    fs::permissions(tempPathFor(file), fs::perms::owner_read);
    for (const char* old : {"Quibix.dat.tmp-123", "Quibix.dat.tmp-9"})
        std::ofstream(dir / old) << "x";
    for (const char* theirs : {"Quibix.dat.tmp-keep", "Quibix.dat.tmp-"})
        std::ofstream(dir / theirs) << "not ours";
    outcome = writeBytesAt(file, 0, "A");
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(outcome.method, WriteMethod::Replaced);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Quibix.dat", "Quibix.dat.tmp-", "Quibix.dat.tmp-keep"}));
}

TEST_F(SafeWriteTest, ALinkToAMissingFileStaysALinkAndTheFileIsMadeWhereItPoints)
{
    if (!quibix::testing::runHereAsOrdinaryUser())
        return;
    // The player keeps the scores elsewhere; that file is gone for now.
    fs::create_directory(dir / "saved");
    fs::create_symlink("saved/real.dat", file); // relative to the link's folder
    WriteOutcome outcome = writeBytesAt(file, 2, "ab");
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(quibix::testing::fileBytes(dir / "saved/real.dat"), std::string("\0\0ab", 4));
    EXPECT_FALSE(fs::exists(dir / "saved/real.dat.tmp"));

    // Where it points there is no folder: the write says so, the link stays.
    fs::remove(file);
    fs::create_symlink(dir / "unmounted/real.dat", file);
    outcome = writeBytesAt(file, 0, "x");
    EXPECT_NE(outcome.error.find("No such file"), std::string::npos) << outcome.error;
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_FALSE(fs::exists(dir / "unmounted"));

    // A loop of links is refused, and stays as it was.
    fs::remove(file);
    fs::create_symlink("Quibix.dat", file);
    EXPECT_FALSE(writeBytesAt(file, 0, "x").ok);
    EXPECT_TRUE(fs::is_symlink(file));
}

TEST_F(SafeWriteTest, PipesAndFoldersAreRefusedNewFilesAreDataAndNoDescriptorLeaks)
{
    const auto openFiles = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto before = openFiles();
    ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
    std::string out;
    bool exists = false;
    EXPECT_EQ(readBytesAt(file, 0, 4, out, exists), EINVAL);
    EXPECT_TRUE(exists);
    EXPECT_FALSE(writeBytesAt(file, 0, "x").ok);
    fs::remove(file);
    fs::create_directory(file);
    EXPECT_EQ(readBytesAt(file, 0, 4, out, exists), EISDIR); // its write: the settings file test

    // A file made new, read or written, is a plain data file: nobody may run it.
    ASSERT_TRUE(readFileHead(dir / "read.dat", 4, out));
    ASSERT_TRUE(writeBytesAt(dir / "written.dat", 0, "A").ok);
    EXPECT_EQ(openFiles(), before);
    const auto exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    for (const char* made : {"written.dat", "read.dat"})
        EXPECT_EQ(fs::status(dir / made).permissions() & exec, fs::perms::none) << made;
}

TEST_F(SafeWriteTest, ReadOnlyFolderOrFileAsAnOrdinaryUser)
{
    if (!quibix::testing::runHereAsOrdinaryUser())
        return;
    // Folder read-only, file writable: the bytes go in place.
    std::ofstream(file) << "0123456789";
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    WriteOutcome outcome = writeBytesAt(file, 2, "ab");
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(outcome.method, WriteMethod::InPlace);
    EXPECT_EQ(bytesAt(0, 10), "01ab456789");

    // Nor a new file in such a folder; nor a read-only file anywhere.
    EXPECT_NE(writeBytesAt(dir / "new.dat", 0, "x").error.find("Permission denied"), std::string::npos);
    fs::permissions(dir, fs::perms::owner_all);
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_FALSE(writeBytesAt(file, 0, "zz").ok);
    EXPECT_EQ(bytesAt(0, 10), "01ab456789");
}

} // namespace

// A write under a 4 KiB file size limit, refused past it as on a full disk;
// exits 0 if it went in place (`fits`) or failed saying why.
[[noreturn]] void writeUnderALimit(const fs::path& file, uint64_t offset, bool fits)
{
    ::alarm(10); // a write retried for ever fails too
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const WriteOutcome out = writeBytesAt(file, offset, "new");
    const bool failedWhy = !out.ok && out.error.find("too large") != std::string::npos;
    std::exit((fits ? out.ok && out.method == WriteMethod::InPlace : failedWhy) ? 0 : 1);
}

// The old file stays whole, replaced or written in place (a second hard link
// sends it in place); a file too big for a copy takes bytes that fit in place.
TEST_F(SafeWriteTest, AWriteTheDiskRefusesFailsAndKeepsTheOldFile)
{
    std::ofstream(file) << "old scores";
    std::string head;
    ASSERT_TRUE(readFileHead(file, 3, head));
    EXPECT_EQ(head, "old"); // only the head of a longer file
    ASSERT_TRUE(readFileHead(file, 64, head));
    EXPECT_EQ(head, "old scores"); // and no more than a shorter one holds
    for (const bool inPlace : {false, true}) {
        if (inPlace)
            fs::create_hard_link(file, dir / "second name");
        EXPECT_EXIT(writeUnderALimit(file, 8192, false), ::testing::ExitedWithCode(0), "") << inPlace;
        EXPECT_EQ(bytesAt(0, 12), std::string("old scores\0\0", 12));
        EXPECT_FALSE(fs::exists(tempPathFor(file)));
    }
    fs::remove(dir / "second name");
    std::ofstream(file, std::ios::binary) << std::string(6000, 'o');
    EXPECT_EXIT(writeUnderALimit(file, 0, true), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(bytesAt(0, 4), "newo");
    EXPECT_EQ(fs::file_size(file), 6000u);
    EXPECT_FALSE(fs::exists(tempPathFor(file)));
}
