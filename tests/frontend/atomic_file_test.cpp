// Saves under injected faults, for the three savers of the game: the bare write-then-rename
// save, a profile and a high-score table. Every failing step must leave the old file whole,
// no temporary behind, and the game's one-line report; a process killed in the middle of a
// save leaves the old file; a good save syncs the file, renames it, then syncs the folder.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <map>
#include <vector>

#include "engine/level.h"
#include "platform/atomic_file.h"
#include "platform/save_folder.h"
#include "tests/support/menu_script.h"

namespace {
// Name and size of every entry of a directory.
std::map<std::string, off_t> entriesOf(const std::string& path) {
  std::map<std::string, off_t> entries;
  for (const std::string& name : directoryEntries(path)) {
    struct stat info;
    entries[name] = stat((path + "/" + name).c_str(), &info) == 0 ? info.st_size : -1;
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
  if (++writeCalls % 2 == 1) {
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
  raise(SIGKILL);
  return -1;
}
int killedAtRename(const char*, const char*) {
  raise(SIGKILL);
  return -1;
}

// The steps a good save takes, in order: "file" or "folder" for a sync, "rename".
std::vector<std::string> steps;
int recordedSync(int fd) {
  struct stat info;
  fstat(fd, &info);
  steps.push_back(S_ISDIR(info.st_mode) ? "folder" : "file");
  return fsync(fd);
}
int recordedRename(const char* from, const char* to) {
  steps.push_back("rename");
  return rename(from, to);
}

struct saver {
  const char* name;
  std::string path;
  std::string old;
  std::function<bool()> save;
  const char* report;  // what a failed save prints
};

struct Saving : menuTest::gameTest {
  level* lv = nullptr;
  std::vector<saver> savers;
  void SetUp() override {
    gameTest::SetUp();
    printedBy([&] { lv = new level(g->screen, g->font); });
    g->profileSlot = 2;
    memcpy(g->profileName, menuTest::padded("New pilot").c_str(), 30);
    const std::string fresh(490, '3');
    savers = {
        {"bare save", "records/table.txt", std::string(490, '7'),
         [fresh] { return writeFileAtomically("records/table.txt", fresh.data(), fresh.size()); },
         ""},
        {"profile", menuTest::slotPath(2),
         menuTest::profileFile('1', "Old pilot", menuTest::startingSettings()),
         [this] { return g->saveProfile(); }, "Cannot open file \n"},
        {"high-score table", "records/highscores1.txt", std::string(490, '5'),
         [this] { return lv->saveHighScores("records/highscores1.txt"); }, "Cannot open file \n"},
    };
    for (const saver& s : savers) writeWholeFile(s.path, s.old);
    mkdir(UNFINISHED_SAVES, 0700);
  }
  void TearDown() override {
    restoreAtomicFileCalls();
    delete lv;
    gameTest::TearDown();
  }
  std::string folderOf(const saver& s) { return s.path.substr(0, s.path.rfind('/')); }
};
}  // namespace

TEST_F(Saving, EveryFailingStepKeepsTheOldFileRemovesTheTemporaryAndSaysSo) {
  const struct {
    const char* what;
    std::function<void(size_t)> inject;  // given the size of the file being saved
  } faults[] = {
      {"disk full at once",
       [](size_t) { diskRoomBytes = 0, atomicFileSystem.writeCall = diskFillsUp; }},
      {"disk full one byte short",
       [](size_t n) { diskRoomBytes = n - 1, atomicFileSystem.writeCall = diskFillsUp; }},
      {"a write that takes nothing", [](size_t) { atomicFileSystem.writeCall = writesNothing; }},
      {"sync fails", [](size_t) { atomicFileSystem.syncCall = syncFails; }},
      {"rename fails", [](size_t) { atomicFileSystem.renameCall = renameFails; }},
  };
  for (const saver& s : savers) {
    const std::map<std::string, off_t> before = entriesOf(folderOf(s));
    const std::map<std::string, off_t> unfinished = entriesOf(UNFINISHED_SAVES);
    for (const auto& f : faults) {
      SCOPED_TRACE(testing::Message() << s.name << ": " << f.what);
      f.inject(s.old.size());
      bool saved{};
      EXPECT_EQ(printedBy([&] { saved = s.save(); }), s.report);
      restoreAtomicFileCalls();
      EXPECT_FALSE(saved);
      EXPECT_EQ(readWholeFile(s.path), s.old);
      EXPECT_EQ(entriesOf(folderOf(s)), before);
      EXPECT_EQ(entriesOf(UNFINISHED_SAVES), unfinished) << "a temporary was left behind";
    }
    // Killed half-way through the bytes or at the rename: the old file is still whole.
    for (auto kill : {+[] { atomicFileSystem.writeCall = killedHalfWay; },
                      +[] { atomicFileSystem.renameCall = killedAtRename; }}) {
      int status = childWaitStatus([&] {
        kill();
        s.save();
      });
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << s.name;
      EXPECT_EQ(readWholeFile(s.path), s.old) << s.name;
    }
    // With the calls restored the save goes through: file synced, renamed, folder synced.
    steps.clear();
    atomicFileSystem.syncCall = recordedSync;
    atomicFileSystem.renameCall = recordedRename;
    EXPECT_TRUE(s.save()) << s.name;
    restoreAtomicFileCalls();
    EXPECT_EQ(steps, (std::vector<std::string>{"file", "rename", "folder"})) << s.name;
    EXPECT_EQ(readWholeFile(s.path).size(), s.old.size()) << s.name;
    EXPECT_NE(readWholeFile(s.path), s.old) << s.name;
  }
}

TEST_F(Saving, ShortAndInterruptedWritesStillSaveEveryByteWithTheOldPermissions) {
  const saver& bare = savers[0];
  chmod(bare.path.c_str(), 0640);
  writeCalls = 0;
  atomicFileSystem.writeCall = oneByteWithInterruptions;
  EXPECT_TRUE(bare.save());
  EXPECT_EQ(writeCalls, 2 * 490);
  EXPECT_EQ(readWholeFile(bare.path), std::string(490, '3'));
  struct stat info;
  stat(bare.path.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(Saving, ATargetThatIsADirectoryOrUnderAFileIsRefused) {
  mkdir("records/folder.txt", 0755);
  const std::map<std::string, off_t> before = entriesOf("records");
  for (const char* path :
       {"records/folder.txt", "records/table.txt/inner.txt", "no/such/dir/table.txt", ""}) {
    EXPECT_FALSE(writeFileAtomically(path, "x", 1)) << path;
  }
  EXPECT_EQ(entriesOf("records"), before);
  EXPECT_EQ(printedBy([&] { EXPECT_FALSE(lv->saveHighScores("missing/highscores1.txt")); }),
            "Cannot open file \n");
}
