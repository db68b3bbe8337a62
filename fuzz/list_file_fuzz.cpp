// The list-file reader on any bytes: entries of at most 78 characters that
// hold no line feed, never more than the bytes allow, and a stop at the budget.
#include <cstdio>

#include "files/list_file.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<std::uint8_t> bytes(data, data + size);
  std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
  if (file == nullptr) return 0;
  const auto budget = static_cast<std::int64_t>(bytes[0]) * 8;  // also smaller than the file
  std::size_t entries = 0;
  const bool whole = files::ReadListEntries(file, budget, [&](const std::string& entry) {
    fuzz::Check(entry.size() <= 78, "an entry longer than 78 characters");
    fuzz::Check(entry.find('\n') == std::string::npos, "a line feed in an entry");
    ++entries;
  });
  std::fclose(file);
  fuzz::Check(entries <= size, "more entries than bytes");
  if (static_cast<std::int64_t>(size) <= budget) fuzz::Check(whole, "stopped within the budget");
  return 0;
}
