// Arbitrary log lines drawn into the cell grid of a box of any size: only
// printable bytes end up in cells, and nothing is drawn outside the grid.
#include "fuzz/fuzz_input.h"
#include "ui/terminal/log_box.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const int width = data[0] % 200;
  const int height = data[1] % 80;
  const terminal::Rect rect{data[2] % 50 - 10, data[3] % 30 - 5, data[0] % 220, data[1] % 90};
  terminal::LogBox box;
  for (const std::string& line : fuzz::Fields(fuzz::AsText(data + 4, size - 4), 64, '\n'))
    box.Append(line);
  box.SetExtent(data[2]);
  box.Layout(rect);
  terminal::CellGrid grid(width, height);
  box.Draw(grid);
  for (int y = 0; y < grid.height(); ++y)
    for (int x = 0; x < grid.width(); ++x)
      fuzz::Check(terminal::IsPrintable(static_cast<unsigned char>(grid.At(x, y).ch)),
                  "a byte that is not printable in a cell");
  return 0;
}
