// The runs kept beside a level's table: an index file beside the table names, for each
// entry (found again by its score and name), the run file the game wrote for it. The table's
// own file is untouched by all this.
#pragma once
#include <string>
#include <vector>

#include "engine/run_file.h"

struct runLink {
  int id;
  int score;
  char name[30];
};

struct keptRunIndex {
  std::string tableFile;  // the table's path; empty when the level keeps no table
  int levelNumber = 0;
  int nextId = 1;                // the id the next new run file is given (or the first free after)
  int ids[10] = {};              // the run file of each table entry; 0 for none
  std::vector<runLink> stray;    // named by the index but by no entry: removed at the next save
  keptRun recorded;              // the run of this play, while and after it is recorded
  bool recordedDone = false;     // recorded holds a whole play
  int newId = 0;                 // the recorded run's id once entered in the table, until saved
  runLink dropped = {0, 0, {}};  // the run whose entry left the table (id 0: none), until saved
  bool entered = false;  // a save ahead of the score entry has already moved the runs for it
};

// A level's table as the links read it: its scores and names, entry 0 the best.
struct tableRows {
  const int* scores;        // 10
  const char (*names)[31];  // 10 names of 30 characters and a terminator
};

// "records/highscores3.txt" gives "records/highscores3.runs" and
// "records/highscores3-run7.run" for run 7.
std::string runIndexPath(const std::string& tableFile);
std::string runFilePath(const std::string& tableFile, int id);

// After the table is loaded: reads the index and links its runs to the entries.
void loadKeptRuns(keptRunIndex& runs, const tableRows& table, const char* tableFile);
// At the score entry, before the table moves: the new entry's run (made by playerName),
// the others moved with their entries.
void enterKeptRun(keptRunIndex& runs, const tableRows& table, int position, int score,
                  const char* playerName);
// Saves the table with its runs: the new run, the index naming it and the one that fell
// out, the table, the index without it, then the run file that fell out is removed.
// Without kept runs, saves the table alone. False when the table was not saved.
bool saveTableWithRuns(keptRunIndex& runs, const tableRows& table, const char* tableFile,
                       const char* tableBytes, size_t length);
// The run of table entry i, or why there is none to play.
runProblem keptRunOf(const keptRunIndex& runs, int entry, keptRun& run);

// Set by the front end when its tables may offer their entries' runs: plays entry's run,
// or says why it cannot, and returns to the table.
extern void (*watchTableEntryHook)(const keptRunIndex& runs, int entry);
