// What the fuzz targets share: the entry point libFuzzer calls, the check
// that fails a run, and a hidden program that answers with the fuzzed bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/unit/test_app.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace tw {

// A broken invariant ends the run as a crash does, so libFuzzer keeps the input.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken invariant: %s\n", what);
  std::abort();
}

// What the user does, each followed by its events as the loop runs them.
inline void Choose(TestApp& t, ControlId id, int n) {
  t.form.SetState(id, n);
  HandleEvent(t.app, {id, EventType::None});
}
inline std::string ReadBelow(TestApp& t, const std::string& name) {
  return t.disk.Read(t.folder() + name).value_or("");
}

inline std::string Bytes(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// Every program run hidden finishes at once and prints `answer`.
class AnswerProcesses : public ScriptedProcesses {
 public:
  AnswerProcesses(std::ostream& out, std::string answer) : ScriptedProcesses(out), answer_(std::move(answer)) {}
  CapturedRun RunCaptured(const std::string&, const std::vector<std::string>&, uint32_t) override {
    return {CapturedRun::End::Finished, 0, answer_};
  }
  // A probe whose every answer is `answer` up to its first line end.
  std::unique_ptr<Child> StartChild(const std::string&, const std::vector<std::string>&) override {
    struct Same : Child {
      std::string line;
      bool WriteLine(const std::string&) override { return true; }
      std::optional<std::string> ReadLine(uint32_t) override { return line; }
    };
    auto child = std::make_unique<Same>();
    child->line = answer_.substr(0, answer_.find('\n'));
    return child;
  }

 private:
  std::string answer_;
};

}  // namespace tw
