#include "store/sync_file.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <vector>

#include "support/temp_dir.h"

namespace orv {
namespace {

std::string bytesOf(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(v));
    return out;
}

TEST(SyncFileTest, RecordIsFourteenLittleEndianBytes) {
    const SyncRecord record{7, SyncRecord::kHeld, 45000.25};
    const SyncBytes raw = encodeSyncRecord(record);
    const std::string expected =
        bytesOf({0x07, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0xf9, 0xe5, 0x40});
    EXPECT_EQ(std::string(raw.begin(), raw.end()), expected);
    EXPECT_EQ(decodeSyncRecord(raw), record);
}

TEST(SyncFileTest, PathReplacesTheLastThreeCharacters) {
    EXPECT_EQ(syncFilePath("/share/macros/TEAM.ORV"), "/share/macros/TEAM.MAS");
    EXPECT_EQ(syncFilePath("/share/macros/team.orv"), "/share/macros/team.MAS");
    EXPECT_EQ(syncFilePath("/share/NOEXT"), "/share/NOMAS");
}

TEST(SyncFileTest, ReadCreatesAMissingFileWithTheInitialRecord) {
    test::TempDir dir;
    SyncFile file(dir.file("A.MAS"));
    SyncRecord record{9, SyncRecord::kHeld, 3.5};
    const auto result = file.read(record, SyncRecord{1, SyncRecord::kFree, 0});
    EXPECT_EQ(result.status, SyncFile::Status::Created);
    EXPECT_EQ(record, (SyncRecord{1, SyncRecord::kFree, 0}));
    EXPECT_EQ(test::readFile(dir.file("A.MAS")), bytesOf({1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(SyncFileTest, ShortFileIsRecreatedAndLongFileCutToOneRecord) {
    test::TempDir dir;
    const std::string path = dir.file("A.MAS");
    test::writeFile(path, "abc");
    SyncRecord record;
    EXPECT_EQ(SyncFile(path).read(record, SyncRecord{1, SyncRecord::kFree, 2.0}).status, SyncFile::Status::Created);
    EXPECT_EQ(record, (SyncRecord{1, SyncRecord::kFree, 2.0}));

    const SyncBytes raw = encodeSyncRecord(SyncRecord{5, SyncRecord::kFree, 1.0});
    test::writeFile(path, std::string(raw.begin(), raw.end()) + "trailing junk");
    SyncRecord after;
    SyncFile(path).update(
        SyncRecord{},
        [](SyncRecord& r, bool) {
            ++r.counter;
            return true;
        },
        after);
    EXPECT_EQ(after.counter, 6);
    EXPECT_EQ(test::readFile(path).size(), SyncRecord::kSize);
}

TEST(SyncFileTest, UnopenableFileKeepsTheRecordInMemory) {
    test::TempDir dir;
    const std::string path = dir.file("missing-folder/A.MAS");
    SyncRecord record{4, SyncRecord::kHeld, 1.0};
    const auto result = SyncFile(path).read(record, SyncRecord{});
    EXPECT_EQ(result.status, SyncFile::Status::NoAccess);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(record, (SyncRecord{4, SyncRecord::kHeld, 1.0}));
}

// The test-and-set of the lock state as separate processes do it on a slow share: each decision
// takes a while between reading the record and writing it back. Every process must still see
// the others' writes, so that no two of them take a free lock at once and no increment is lost.
TEST(SyncFileTest, ConcurrentTestAndSetIsAtomicAcrossProcesses) {
    test::TempDir dir;
    const std::string path = dir.file("RACE.MAS");
    struct Shared {
        std::atomic<int> holders;
        std::atomic<int> overlaps;
    };
    void* mem = ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mem, MAP_FAILED);
    auto* shared = new (mem) Shared{};
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);

    constexpr int kProcesses = 4;
    constexpr int kTakesEach = 25;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(gate[1]);
            char go = 0;
            if (::read(gate[0], &go, 1) < 0) ::_exit(2);  // every child starts at the same moment
            const SyncFile file(path);
            int takes = 0;
            // Bounded by time, not attempts: a busy machine may keep one process waiting long.
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
            while (takes < kTakesEach && std::chrono::steady_clock::now() < deadline) {
                bool took = false;
                SyncRecord after;
                file.update(
                    SyncRecord{},
                    [&](SyncRecord& r, bool) {
                        if (r.state == SyncRecord::kHeld) return false;
                        ::usleep(300);
                        r.state = SyncRecord::kHeld;
                        took = true;
                        return true;
                    },
                    after);
                if (!took) {
                    ::usleep(50);  // let the holder and the others run
                    continue;
                }
                if (shared->holders.fetch_add(1) != 0) shared->overlaps.fetch_add(1);
                ::usleep(200);
                shared->holders.fetch_sub(1);
                ++takes;
                file.update(
                    SyncRecord{},
                    [](SyncRecord& r, bool) {
                        ++r.counter;
                        r.state = SyncRecord::kFree;
                        return true;
                    },
                    after);
            }
            ::_exit(takes == kTakesEach ? 0 : 1);
        }
        children.push_back(pid);
    }
    ::close(gate[0]);
    ::close(gate[1]);  // end of file releases every child at once
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(shared->overlaps.load(), 0);
    SyncRecord final;
    ASSERT_TRUE(SyncFile(path).read(final, SyncRecord{}).ok());
    EXPECT_EQ(final.counter, 1 + kProcesses * kTakesEach);
    EXPECT_EQ(final.state, SyncRecord::kFree);
    ::munmap(mem, sizeof(Shared));
}

}  // namespace
}  // namespace orv
