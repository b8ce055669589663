// Saves under injected faults: every step of the write-then-rename save failing in turn,
// short and interrupted writes, a target that is a directory, and a process killed in the
// middle of a write or at the moment of the rename. The old file must survive whole.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <map>

#include "platform/atomic_file.h"
#include "tests/support/level_fixture.h"
#include "tests/support/menu_script.h"

namespace {
// Name and size of every entry of a directory.
std::map<std::string, off_t> entriesOf(const std::string& path) {
  std::map<std::string, off_t> entries;
  for (const std::string& name : directoryEntries(path)) {
    struct stat info;
    stat((path + "/" + name).c_str(), &info);
    entries[name] = info.st_size;
  }
  return entries;
}

// The faults. A disk that takes diskRoomBytes more bytes and then reports itself full.
size_t diskRoomBytes = 0;
ssize_t diskFillsUp(int fd, const void* bytes, size_t length) {
  if (diskRoomBytes == 0) {
    errno = ENOSPC;
    return -1;
  }
  size_t taken = length < diskRoomBytes ? length : diskRoomBytes;
  ssize_t written = write(fd, bytes, taken);
  if (written > 0) diskRoomBytes -= static_cast<size_t>(written);
  return written;
}
ssize_t writesNothing(int, const void*, size_t) { return 0; }

// One byte per call, every other call interrupted by a signal.
int writeCalls = 0;
ssize_t oneByteWithInterruptions(int fd, const void* bytes, size_t length) {
  writeCalls++;
  if (writeCalls % 2 == 1) {
    errno = EINTR;
    return -1;
  }
  return write(fd, bytes, length > 0 ? 1 : 0);
}

int syncFails(int) {
  errno = EIO;
  return -1;
}
int renameFails(const char*, const char*) {
  errno = EXDEV;
  return -1;
}

// The power goes (SIGKILL cannot be caught) half-way through the bytes, or just as the
// finished temporary file is about to replace the old one.
ssize_t killedHalfWay(int fd, const void* bytes, size_t length) {
  if (write(fd, bytes, length / 2) < 0) _exit(2);
  fsync(fd);
  raise(SIGKILL);
  return -1;
}
int killedAtRename(const char*, const char*) {
  raise(SIGKILL);
  return -1;
}

// Runs body in a child process and returns the signal that ended it (0 if none did).
int signalEndingChild(const std::function<void()>& body) {
  fflush(stdout);
  pid_t child = fork();
  if (child == 0) {
    body();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

struct AtomicSave : testing::Test {
  std::string dir;
  const std::string old = std::string(490, '7');
  const std::string fresh = std::string(490, '3');
  void SetUp() override {
    dir = enterScratchGameDir();
    writeWholeFile("records/table.txt", old);
  }
  void TearDown() override {
    restoreAtomicFileCalls();
    leaveScratchGameDir(dir);
  }
  bool save() { return writeFileAtomically("records/table.txt", fresh.data(), fresh.size()); }
  void expectOldFileAlone() {
    EXPECT_EQ(readWholeFile("records/table.txt"), old);
    std::map<std::string, off_t> only = {{"table.txt", 490}};
    EXPECT_EQ(entriesOf("records"), only) << "a temporary file was left behind";
  }
};
}  // namespace

TEST_F(AtomicSave, EveryFailingStepKeepsTheOldFileAndRemovesTheTemporary) {
  struct fault {
    const char* what;
    std::function<void()> inject;
  };
  const fault faults[] = {
      {"disk full at once", [] { diskRoomBytes = 0, atomicFileSystem.writeCall = diskFillsUp; }},
      {"disk full after 100 bytes",
       [] { diskRoomBytes = 100, atomicFileSystem.writeCall = diskFillsUp; }},
      {"disk full one byte short",
       [] { diskRoomBytes = 489, atomicFileSystem.writeCall = diskFillsUp; }},
      {"a write that takes nothing", [] { atomicFileSystem.writeCall = writesNothing; }},
      {"sync fails", [] { atomicFileSystem.syncCall = syncFails; }},
      {"rename fails", [] { atomicFileSystem.renameCall = renameFails; }},
  };
  for (const fault& f : faults) {
    SCOPED_TRACE(f.what);
    f.inject();
    EXPECT_FALSE(save());
    restoreAtomicFileCalls();
    expectOldFileAlone();
  }
  // With the calls restored the same save goes through.
  EXPECT_TRUE(save());
  EXPECT_EQ(readWholeFile("records/table.txt"), fresh);
}

TEST_F(AtomicSave, ShortAndInterruptedWritesStillSaveEveryByte) {
  writeCalls = 0;
  atomicFileSystem.writeCall = oneByteWithInterruptions;
  EXPECT_TRUE(save());
  EXPECT_EQ(writeCalls, 2 * 490);
  EXPECT_EQ(readWholeFile("records/table.txt"), fresh);
  std::map<std::string, off_t> only = {{"table.txt", 490}};
  EXPECT_EQ(entriesOf("records"), only);
}

TEST_F(AtomicSave, ATargetThatIsADirectoryOrUnderAFileIsRefused) {
  mkdir("records/folder.txt", 0755);
  EXPECT_FALSE(writeFileAtomically("records/folder.txt", fresh.data(), fresh.size()));
  struct stat info;
  ASSERT_EQ(stat("records/folder.txt", &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_FALSE(writeFileAtomically("records/table.txt/inner.txt", "x", 1));
  EXPECT_FALSE(writeFileAtomically("no/such/dir/table.txt", "x", 1));
  EXPECT_FALSE(writeFileAtomically("", "x", 1));
  EXPECT_EQ(readWholeFile("records/table.txt"), old);
  std::map<std::string, off_t> left = entriesOf("records");
  EXPECT_EQ(left.size(), 2u) << "only the table and the folder";
}

TEST_F(AtomicSave, AProcessKilledMidWriteOrAtTheRenameLeavesTheOldFileWhole) {
  EXPECT_EQ(signalEndingChild([this] {
              atomicFileSystem.writeCall = killedHalfWay;
              save();
            }),
            SIGKILL);
  EXPECT_EQ(readWholeFile("records/table.txt"), old);

  EXPECT_EQ(signalEndingChild([this] {
              atomicFileSystem.renameCall = killedAtRename;
              save();
            }),
            SIGKILL);
  EXPECT_EQ(readWholeFile("records/table.txt"), old);
  // What the dead process left is only ever a temporary beside the table, never the table.
  for (const auto& entry : entriesOf("records")) {
    if (entry.first == "table.txt") continue;
    EXPECT_EQ(entry.first.rfind("table.txt.", 0), 0u) << entry.first;
  }

  // Killed before the first save of a file: there is no file, rather than a short one.
  EXPECT_EQ(signalEndingChild([] {
              atomicFileSystem.renameCall = killedAtRename;
              writeFileAtomically("records/new.txt", "12345", 5);
            }),
            SIGKILL);
  EXPECT_NE(access("records/new.txt", F_OK), 0);

  // The next save in a healthy process replaces the table as usual.
  EXPECT_TRUE(save());
  EXPECT_EQ(readWholeFile("records/table.txt"), fresh);
}

// The two savers of the game: both report a failed step in the game's words and keep the
// old file; a profile save killed at the rename leaves a profile that still loads.
namespace {
struct SavingProfiles : menuTest::gameTest {
  void TearDown() override {
    restoreAtomicFileCalls();
    menuTest::gameTest::TearDown();
  }
};
struct SavingTables : LevelFixture {
  std::string dir;
  void SetUp() override {
    LevelFixture::SetUp();
    dir = enterScratchGameDir();
  }
  void TearDown() override {
    restoreAtomicFileCalls();
    leaveScratchGameDir(dir);
    LevelFixture::TearDown();
  }
};
}  // namespace

TEST_F(SavingProfiles, AFailedSyncOrRenameIsReportedAndKillingTheSaveKeepsTheProfile) {
  using namespace menuTest;
  std::string old = profileFile('1', "Old pilot", startingSettings());
  writeWholeFile(slotPath(2), old);
  g->profileSlot = 2;
  memcpy(g->profileName, padded("New pilot").c_str(), 30);
  for (auto inject : {+[] { atomicFileSystem.syncCall = syncFails; },
                      +[] { atomicFileSystem.renameCall = renameFails; }}) {
    inject();
    startCapturingStdout();
    bool saved = g->saveProfile();
    EXPECT_EQ(stopCapturingStdout(), "Cannot open file \n");
    EXPECT_FALSE(saved);
    restoreAtomicFileCalls();
    EXPECT_EQ(readWholeFile(slotPath(2)), old);
    EXPECT_EQ(entriesOf("profiles").size(), 5u);
  }

  EXPECT_EQ(signalEndingChild([this] {
              atomicFileSystem.renameCall = killedAtRename;
              g->saveProfile();
            }),
            SIGKILL);
  EXPECT_EQ(readWholeFile(slotPath(2)), old);
  EXPECT_TRUE(g->loadProfile());
  EXPECT_EQ(name(), padded("Old pilot"));
}

TEST_F(SavingTables, AFullDiskOrAFailedRenameIsReportedAndKeepsTheOldTable) {
  const std::string old(490, '5');
  writeWholeFile("records/highscores1.txt", old);
  for (auto inject : {+[] { diskRoomBytes = 245, atomicFileSystem.writeCall = diskFillsUp; },
                      +[] { atomicFileSystem.renameCall = renameFails; }}) {
    inject();
    startCapturingStdout();
    bool saved = lv->saveHighScores("records/highscores1.txt");
    EXPECT_EQ(stopCapturingStdout(), "Cannot open file \n");
    EXPECT_FALSE(saved);
    restoreAtomicFileCalls();
    EXPECT_EQ(readWholeFile("records/highscores1.txt"), old);
    EXPECT_EQ(entriesOf("records").size(), 1u);
  }
  EXPECT_EQ(signalEndingChild([this] {
              atomicFileSystem.writeCall = killedHalfWay;
              lv->saveHighScores("records/highscores1.txt");
            }),
            SIGKILL);
  EXPECT_EQ(readWholeFile("records/highscores1.txt"), old);
  EXPECT_TRUE(lv->saveHighScores("records/highscores1.txt"));
  EXPECT_EQ(readWholeFile("records/highscores1.txt").size(), 490u);
}
