#include "files/list_file.h"

#include <string>

#include "files/file_texts.h"
#include "names/command_log.h"
#include "os/open_file.h"

namespace files {

namespace {

// An entry holds at most this many characters; the rest of a longer line is
// dropped and the next line read as usual.
constexpr std::size_t kEntryRoom = 78;
// The end of the text in a text-mode file.
constexpr int kTextEnd = 0x1A;

// The bytes of a file, at most a given count of them.
struct BoundedReader {
  std::FILE* file;
  std::int64_t left;
  bool over = false;  // more bytes were there than allowed

  int Next() {
    const int c = std::getc(file);
    if (c == EOF) return EOF;
    if (left == 0) {
      over = true;
      return EOF;
    }
    --left;
    return c;
  }
};

// Reads the next line of a text-mode file without its line end (LF, or CR LF).
// False at the end of the text: a last line without line end is not a line.
bool ReadLine(BoundedReader& in, std::string& line) {
  line.clear();
  bool full = false;  // a zero byte or the entry's room ended the text
  for (int c; (c = in.Next()) != EOF && c != kTextEnd;) {
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

bool ReadListEntries(std::FILE* file, std::int64_t max_bytes,
                     const std::function<void(const std::string&)>& add) {
  BoundedReader in{file, max_bytes};
  std::string line;
  while (ReadLine(in, line)) add(line);
  return !in.over;
}

int LoadListFile(ui::Port& ui, const char* path, ui::Dialog& dialog, int combo_id) {
  // Opened as bytes: the text-mode rules are applied here, the same everywhere.
  const os::OpenedFile opened = os::OpenForReading(path);
  const char* refusal = nullptr;
  if (opened.file == nullptr)
    refusal = opened.kind == os::FileKind::kDirectory ? kListFileNotRegular : kListFileNotFound;
  else if (opened.kind != os::FileKind::kRegular)
    refusal = kListFileNotRegular;
  else if (opened.size > kMaxListFileBytes)
    refusal = kListFileTooLarge;
  if (refusal != nullptr) {
    if (opened.file != nullptr) std::fclose(opened.file);
    names::AppendToLog(ui, names::FormatLine(refusal, path, kMaxListFileBytes));
    return 1;
  }
  const bool whole = ReadListEntries(opened.file, kMaxListFileBytes, [&](const std::string& line) {
    dialog.AddString(combo_id, line);
  });
  std::fclose(opened.file);
  if (!whole) names::AppendToLog(ui, names::FormatLine(kListFileGrew, path, kMaxListFileBytes));
  return 0;
}

}  // namespace files
