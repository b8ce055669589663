// Linking a level's table entries to their run files, and the order of saving that keeps
// every entry's run whole through a crash at any moment.
#include "engine/kept_runs.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/atomic_file.h"
#include "platform/plain_file.h"

namespace {
const char* INDEX_MAGIC = "skarnfall-runs 1";
const int TABLE_ENTRIES = 10;
const int MOST_LINKS = 2 * TABLE_ENTRIES;  // a damaged index holds no more than this
const long MOST_INDEX_BYTES = 4096;

std::string tableBase(const std::string& tableFile) {
  const std::string suffix = ".txt";
  if (tableFile.size() > suffix.size() &&
      tableFile.compare(tableFile.size() - suffix.size(), suffix.size(), suffix) == 0) {
    return tableFile.substr(0, tableFile.size() - suffix.size());
  }
  return tableFile;
}

bool hexName(const char* hex, char* name) {
  for (int i = 0; i < 30; i++) {
    unsigned int byte = 0;
    if (sscanf(hex + 2 * i, "%2x", &byte) != 1) return false;
    name[i] = static_cast<char>(byte);
  }
  return true;
}

// The index's links in its order, with its next id; false when it is missing or not an index.
bool readIndex(const std::string& path, int& nextId, std::vector<runLink>& links) {
  FILE* file = openPlainFileForReading(path.c_str());
  if (file == nullptr) return false;
  char line[128];
  bool ok = fgets(line, sizeof line, file) != nullptr &&
            strncmp(line, INDEX_MAGIC, strlen(INDEX_MAGIC)) == 0 &&
            fgets(line, sizeof line, file) != nullptr && sscanf(line, "next %9d", &nextId) == 1 &&
            nextId >= 1;
  while (ok && fgets(line, sizeof line, file) != nullptr &&
         static_cast<int>(links.size()) < MOST_LINKS) {
    runLink link;
    char hex[61] = {};
    long long score = 0;  // widths keep every number inside its type
    if (sscanf(line, "%9d %11lld %60s", &link.id, &score, hex) != 3 || link.id < 1 ||
        score < INT32_MIN || score > INT32_MAX || strlen(hex) != 60 || !hexName(hex, link.name)) {
      ok = false;
    } else {
      link.score = static_cast<int>(score);
      links.push_back(link);
    }
  }
  ok = ok && ftell(file) <= MOST_INDEX_BYTES;
  fclose(file);
  return ok;
}

std::string formatIndex(int nextId, const std::vector<runLink>& links) {
  std::string out = std::string(INDEX_MAGIC) + "\nnext " + std::to_string(nextId) + "\n";
  for (const runLink& link : links) {
    char hex[61];
    for (int i = 0; i < 30; i++)
      snprintf(hex + 2 * i, 3, "%02x", static_cast<uint8_t>(link.name[i]));
    out += std::to_string(link.id) + " " + std::to_string(link.score) + " " + hex + "\n";
  }
  return out;
}

bool writeIndex(const keptRunIndex& runs, const std::vector<runLink>& links) {
  std::string text = formatIndex(runs.nextId, links);
  return writeFileAtomically(runIndexPath(runs.tableFile).c_str(), text.data(), text.size());
}

runLink linkOf(const tableRows& table, int entry, int id) {
  runLink link;
  link.id = id;
  link.score = table.scores[entry];
  memcpy(link.name, table.names[entry], sizeof link.name);
  return link;
}

std::vector<runLink> entryLinks(const keptRunIndex& runs, const tableRows& table) {
  std::vector<runLink> links;
  for (int i = 0; i < TABLE_ENTRIES; i++) {
    if (runs.ids[i] != 0) links.push_back(linkOf(table, i, runs.ids[i]));
  }
  return links;
}

// Removes a run file the index named, if it still is one the game wrote.
void removeRunFile(const keptRunIndex& runs, int id) {
  std::string path = runFilePath(runs.tableFile, id);
  if (looksLikeRunFile(path.c_str())) removeSavedFile(path.c_str());
}

bool fileExists(const std::string& path) {
  FILE* file = fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  fclose(file);
  return true;
}

// The new run's file; on failure the entry simply has no run.
void writeNewRun(keptRunIndex& runs) {
  std::string bytes = encodeRun(runs.recorded);
  std::string path = runFilePath(runs.tableFile, runs.newId);
  if (writeFileAtomically(path.c_str(), bytes.data(), bytes.size())) return;
  for (int& id : runs.ids) {
    if (id == runs.newId) id = 0;
  }
}
}  // namespace

void (*watchTableEntryHook)(const keptRunIndex& runs, int entry) = nullptr;

std::string runIndexPath(const std::string& tableFile) { return tableBase(tableFile) + ".runs"; }

std::string runFilePath(const std::string& tableFile, int id) {
  return tableBase(tableFile) + "-run" + std::to_string(id) + ".run";
}

void loadKeptRuns(keptRunIndex& runs, const tableRows& table, const char* tableFile) {
  runs.tableFile = tableFile;
  for (int& id : runs.ids) id = 0;
  runs.stray.clear();
  std::vector<runLink> links;
  runs.nextId = 1;
  if (!readIndex(runIndexPath(runs.tableFile), runs.nextId, links)) {
    runs.nextId = 1;
    return;  // no index, or not one the game wrote: no runs, nothing of it removed
  }
  // Each entry takes the first unused link with its score and name.
  std::vector<bool> used(links.size(), false);
  for (int i = 0; i < TABLE_ENTRIES; i++) {
    for (size_t k = 0; k < links.size() && runs.ids[i] == 0; k++) {
      runLink want = linkOf(table, i, links[k].id);
      if (used[k] || links[k].score != want.score || memcmp(links[k].name, want.name, 30) != 0) {
        continue;
      }
      used[k] = true;
      runs.ids[i] = links[k].id;
    }
  }
  for (size_t k = 0; k < links.size(); k++) {
    if (!used[k]) runs.stray.push_back(links[k]);
  }
}

void enterKeptRun(keptRunIndex& runs, const tableRows& table, int position, int score,
                  const char* playerName) {
  if (runs.tableFile.empty() || position < 0) return;
  if (runs.entered) {  // done by the save ahead, for this very entry
    runs.entered = false;
    return;
  }
  if (runs.ids[TABLE_ENTRIES - 1] != 0) {
    runs.dropped = linkOf(table, TABLE_ENTRIES - 1, runs.ids[TABLE_ENTRIES - 1]);
  }
  for (int i = TABLE_ENTRIES - 1; i > position; i--) runs.ids[i] = runs.ids[i - 1];
  runs.ids[position] = 0;
  if (!runs.recordedDone || runs.recorded.tape.tooLong) return;
  // A free id: never the name of a file already there, which may be a player's.
  while (fileExists(runFilePath(runs.tableFile, runs.nextId))) runs.nextId++;
  runs.newId = runs.nextId++;
  runs.ids[position] = runs.newId;
  runs.recorded.score = score;
  memcpy(runs.recorded.name, playerName, 30);
}

bool saveTableWithRuns(keptRunIndex& runs, const tableRows& table, const char* tableFile,
                       const char* tableBytes, size_t length) {
  bool changed = runs.newId != 0 || runs.dropped.id != 0 || !runs.stray.empty();
  if (runs.tableFile != tableFile || !changed) {
    return writeFileAtomically(tableFile, tableBytes, length);
  }
  if (runs.newId != 0) writeNewRun(runs);
  // Until the table is saved, the index names the old entries' runs as well as the new.
  std::vector<runLink> links = entryLinks(runs, table);
  std::vector<runLink> everyLink = links;
  everyLink.insert(everyLink.end(), runs.stray.begin(), runs.stray.end());
  if (runs.dropped.id != 0) everyLink.push_back(runs.dropped);
  // An index that cannot be written leaves the new entry without a run, never the table
  // unsaved: the old index still names every other entry's run.
  bool indexed = writeIndex(runs, everyLink);
  if (!writeFileAtomically(tableFile, tableBytes, length)) return false;
  runs.newId = 0;
  if (!indexed || !writeIndex(runs, links)) return true;  // what it named is removed next time
  for (const runLink& s : runs.stray) removeRunFile(runs, s.id);
  if (runs.dropped.id != 0) removeRunFile(runs, runs.dropped.id);
  runs.stray.clear();
  runs.dropped.id = 0;
  return true;
}

runProblem keptRunOf(const keptRunIndex& runs, int entry, keptRun& run) {
  if (entry < 0 || entry >= TABLE_ENTRIES || runs.ids[entry] == 0) return runProblem::MISSING;
  std::string path = runFilePath(runs.tableFile, runs.ids[entry]);
  runProblem problem = readRunFile(path.c_str(), run);
  if (problem == runProblem::NONE && run.levelNumber != runs.levelNumber) {
    return runProblem::DAMAGED;
  }
  return problem;
}
