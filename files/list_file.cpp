#include "files/list_file.h"

#include <cstdio>
#include <string>

#include "files/file_texts.h"
#include "names/command_log.h"

namespace files {

namespace {

// An entry holds at most this many characters; the rest of a longer line is
// dropped and the next line read as usual.
constexpr std::size_t kEntryRoom = 78;

// The end of the text in a text-mode file.
constexpr int kTextEnd = 0x1A;

// Reads the next line of a text-mode file without its line end (LF, or CR LF).
// False at the end of the text: a last line without line end is not a line.
bool ReadLine(std::FILE* file, std::string& line) {
  line.clear();
  bool full = false;  // a zero byte or the entry's room ended the text
  for (int c; (c = std::getc(file)) != EOF && c != kTextEnd;) {
    if (c == '\n') {
      if (!full && !line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > kEntryRoom) line.resize(kEntryRoom);
      return true;
    }
    // One character past the room is kept: it may be the CR of a CR LF.
    if (c == '\0' || line.size() > kEntryRoom) full = true;
    if (!full) line.push_back(static_cast<char>(c));
  }
  return false;
}

}  // namespace

int LoadListFile(ui::Port& ui, const char* path, ui::Dialog& dialog, int combo_id) {
  // Opened as bytes: the text-mode rules are applied here, the same everywhere.
  std::FILE* file = std::fopen(path, "rb");
  if (!file) {
    names::AppendToLog(ui, names::FormatLine(kListFileNotFound, path));
    return 1;
  }
  std::string line;
  while (ReadLine(file, line)) dialog.AddString(combo_id, line);
  std::fclose(file);
  return 0;
}

}  // namespace files
