// The single-instance mutex: a per-user lock that another process cannot take while its owner
// lives, that the kernel releases however the owner ends, and that cannot be redirected.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/win32.h"

namespace {

class Mutex : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vocarta-mutex-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
        setenv("XDG_RUNTIME_DIR", directory_.c_str(), 1);
    }
    void TearDown() override { std::system(("rm -rf " + directory_).c_str()); }

    std::string LockPath() const { return directory_ + "/Vocarta20.lock"; }

    // Runs body in a child process and returns its exit code.
    template <typename Body>
    static int InChild(Body body) {
        const pid_t child = fork();
        if (child == 0) _exit(body());
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }

    std::string directory_;
};

TEST_F(Mutex, AnotherProcessCannotTakeItWhileItsOwnerLives) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "Vocarta20");
    ASSERT_NE(mutex, nullptr);
    ASSERT_EQ(WaitForSingleObject(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    const int result = InChild([] { return static_cast<int>(WaitForSingleObject(CreateMutexA(nullptr, FALSE, "Vocarta20"), 0)); });
    EXPECT_EQ(result, WAIT_TIMEOUT & 0xFF);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "the owner may wait again";
}

TEST_F(Mutex, TheKernelReleasesItWhenTheOwnerIsKilled) {
    const int killed = InChild([] {
        WaitForSingleObject(CreateMutexA(nullptr, FALSE, "Vocarta20"), 0);
        kill(getpid(), SIGKILL);
        return 0;
    });
    EXPECT_EQ(killed, -SIGKILL);
    EXPECT_EQ(WaitForSingleObject(CreateMutexA(nullptr, FALSE, "Vocarta20"), 0), static_cast<DWORD>(WAIT_OBJECT_0));
}

TEST_F(Mutex, BadHandlesFail) {
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(0x1234), 0), WAIT_FAILED);
}

TEST_F(Mutex, LockFileIsPrivateToTheUser) {
    ASSERT_NE(CreateMutexA(nullptr, FALSE, "Vocarta20"), nullptr);
    struct stat status {};
    ASSERT_EQ(lstat(LockPath().c_str(), &status), 0);
    EXPECT_TRUE(S_ISREG(status.st_mode));
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(status.st_uid, geteuid());
}

TEST_F(Mutex, SymbolicLinkAtTheLockPathIsNotFollowed) {
    const std::string target = directory_ + "/target";
    ASSERT_EQ(symlink(target.c_str(), LockPath().c_str()), 0);
    EXPECT_EQ(CreateMutexA(nullptr, FALSE, "Vocarta20"), nullptr);
    struct stat status {};
    EXPECT_NE(stat(target.c_str(), &status), 0) << "the link's target was created";
    // Start-up then runs as a first instance: the wait on a null handle fails, it does not time out.
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
}

TEST_F(Mutex, RuntimeDirectoryOthersCanWriteIsNotUsed) {
    chmod(directory_.c_str(), 0777);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "VocartaMutexTest");
    struct stat status {};
    EXPECT_NE(lstat((directory_ + "/VocartaMutexTest.lock").c_str(), &status), 0);
    if (mutex) {
        EXPECT_EQ(WaitForSingleObject(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    }
}

TEST_F(Mutex, NamesCannotLeaveTheDirectory) {
    ASSERT_NE(CreateMutexA(nullptr, FALSE, "../escape"), nullptr);
    struct stat status {};
    EXPECT_EQ(lstat((directory_ + "/___escape.lock").c_str(), &status), 0);
}

}  // namespace
