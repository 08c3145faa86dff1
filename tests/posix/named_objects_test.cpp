// The resident program's named shared memory and semaphores, and what another user can do to
// them.
#include "app/orvanta/named_objects.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <semaphore.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "support/other_user.h"

namespace orv {
namespace {

// The file behind a POSIX shared-memory block or (with "sem.") a named semaphore.
struct stat statOf(const std::string& prefix, const std::string& name) {
    struct stat st {};
    EXPECT_EQ(::stat(("/dev/shm/" + prefix + name.substr(1)).c_str(), &st), 0) << name;
    return st;
}

TEST(NamedObjects, EachRunMakesNewObjectsOnlyItsUserCanUse) {
    std::optional<NamedObjects> run(std::in_place);
    NamedObjects& first = *run;
    NamedObjects second;  // two runs at once both start; they share nothing
    ASSERT_EQ(first.create(), "");
    ASSERT_EQ(second.create(), "");
    EXPECT_NE(first.sharedMemoryName(), second.sharedMemoryName());
    EXPECT_EQ(first.sharedMemoryName().rfind("/ORBA1KGR-" + std::to_string(::geteuid()) + "-", 0), 0u);
    const struct stat block = statOf("", first.sharedMemoryName());
    EXPECT_EQ(block.st_size, 19788);
    EXPECT_EQ(block.st_mode & 0777, 0600u);
    for (const std::string& name : first.semaphoreNames()) {
        const struct stat sem = statOf("sem.", name);
        EXPECT_EQ(sem.st_uid, ::geteuid());
        EXPECT_EQ(sem.st_mode & 0777, 0600u);
    }
    const std::string gone = first.sharedMemoryName();
    run.reset();
    EXPECT_NE(::access(("/dev/shm" + gone).c_str(), F_OK), 0) << "removed at exit";
}

// Objects under the names an earlier build used (base and user id), made first by another
// user: one only they can open would stop the program from starting, one open to all would be
// adopted and shared with them. (Where such a name exists already, another run holds it: it
// stays as it is.)
TEST(NamedObjects, ObjectsAnotherUserMadeFirstNeitherStopNorJoinTheProgram) {
    if (!test::canActAsOtherUser()) GTEST_SKIP() << test::kNeedsRoot;
    const std::string uid = std::to_string(::geteuid());
    const std::string block = "/ORBA1KGR-" + uid;
    const std::string sem = "/OR88aveR-" + uid;
    const int fd = ::shm_open(block.c_str(), O_CREAT | O_EXCL | O_RDWR, 0600);
    const bool plantedBlock = fd >= 0 && ::fchown(fd, test::kOtherUid, test::kOtherGid) == 0;
    if (fd >= 0) ::close(fd);
    sem_t* planted = ::sem_open(sem.c_str(), O_CREAT | O_EXCL, 0666, 0);
    if (planted != SEM_FAILED) {
        ::chown(("/dev/shm/sem." + sem.substr(1)).c_str(), test::kOtherUid, test::kOtherGid);
        ::chmod(("/dev/shm/sem." + sem.substr(1)).c_str(), 0666);
    }
    {
        NamedObjects named;
        EXPECT_EQ(named.create(), "");
        EXPECT_NE(named.sharedMemoryName(), block);
        EXPECT_NE(named.semaphoreNames()[0], sem);
    }
    if (plantedBlock) {
        EXPECT_EQ(statOf("", block).st_uid, test::kOtherUid) << "left alone";
        ::shm_unlink(block.c_str());
    }
    if (planted != SEM_FAILED) {
        int count = -1;
        EXPECT_EQ(::sem_getvalue(planted, &count), 0);
        EXPECT_EQ(count, 0) << "never posted or taken";
        ::sem_close(planted);
        ::sem_unlink(sem.c_str());
    }
}

}  // namespace
}  // namespace orv
