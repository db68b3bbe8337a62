// posimctl's words: any line splits into words, each word quoted splits
// back into itself; any scenario text is parsed or refused with errors.
#include "fuzz/fuzz_input.h"
#include "posim/channel/command_words.h"
#include "posim/posimctl/scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::AsText(data, size);
  for (const std::string& word : posim::SplitCommandLine(text)) {
    const std::vector<std::string> again = posim::SplitCommandLine(posim::QuoteCommandWord(word));
    fuzz::Check(again.size() == 1 && again[0] == word, "a quoted word does not split back");
  }
  std::vector<posim::ScenarioStep> steps;
  std::vector<std::string> errors;
  if (!posim::ParseScenario(text, steps, errors))
    fuzz::Check(!errors.empty(), "a refused scenario without an error");
  return 0;
}
