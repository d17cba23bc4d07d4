#include "platform/faulty_files.h"

#include <gtest/gtest.h>

#include "platform/memory_files.h"

namespace tw {
namespace {

// Each case makes the same calls, in order: write "f", write "f", remove
// "f", write "f", remove "f", create folders "c" and "d"; "+" is a call
// that succeeded.
TEST(FaultyFiles, FailsTheChosenCallsOnly) {
  const struct {
    Fault fault;
    const char* answers;
  } cases[] = {
      {{.call = FileCall::Write, .nth = 2}, "+-+++++"},
      {{.call = FileCall::Write, .nth = 2, .lasting = true}, "+-+--++"},
      {{.call = FileCall::Write, .afterBytes = 0}, "-++++++"},
      {{.call = FileCall::Remove}, "++-++++"},
      {{.call = FileCall::CreateFolder, .nth = 2}, "++++++-"},
  };
  for (const auto& c : cases) {
    MemoryFiles disk;
    FaultyFiles files(disk);
    files.Inject(c.fault);
    std::string answers;
    for (char call : std::string("wwrwrcd")) {
      const bool ok = call == 'w'   ? files.WriteReplace("f", "bytes")
                      : call == 'r' ? files.Remove("f")
                                    : files.CreateFolder(std::string(1, call));
      answers += ok ? '+' : '-';
    }
    EXPECT_EQ(answers, c.answers) << c.answers;
  }
}

}  // namespace
}  // namespace tw
