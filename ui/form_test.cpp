// The headless form, its item lists and readings, and the rules run on it.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "base/text.h"
#include "tests/unit/test_app.h"
#include "ui/item_list.h"
#include "ui/reading.h"
#include "ui/rules.h"

namespace tw {
namespace {

// A text the program sets raises one event without a type, which the rules
// can tell from typing; a label raises none, nor does typing (its event comes
// with the gesture). What each kind makes of typed text is form_kinds'.
TEST(FormModel, ProgramSetTextRaisesOneUntypedEvent) {
  FormModel f;
  f.SetText(RateValueEdit, "30");
  f.SetText(RateLabel, "Quantizer");
  const std::optional<Event> e = f.TakePendingEvent();
  EXPECT_TRUE(e && e->control == RateValueEdit && e->type == EventType::None);
  f.TypeText(RateValueEdit, "31");
  EXPECT_FALSE(f.TakePendingEvent().has_value());
}

// The selected line stays selected while lines come and go above it.
TEST(FormModel, ListSelectionFollowsItsLine) {
  FormModel f;
  for (const char* line : {"a", "b", "c", "d", "e"}) f.AddItem(JobList, line);
  f.SetState(JobList, 1);
  f.AddItem(JobList, "z", 0);
  EXPECT_EQ(f.Text(JobList), "b");
  f.RemoveItem(JobList, 0);
  EXPECT_EQ(f.State(JobList), 1);
  f.SetState(JobList, 4);
  f.RemoveItem(JobList, 1, 2);  // b and c
  EXPECT_EQ(f.Text(JobList), "e");
  f.RemoveItem(JobList, 1, 9);  // d and e: past the end is nothing
  EXPECT_EQ(f.State(JobList), -1);
  EXPECT_EQ(f.ItemCount(JobList), 1);
}

// Only blanks and tabs lead a number; case is folded in ASCII only, as
// Windows folds the names the program writes; a tail longer than the text
// is no match (and no read before it). The rest of the readings and texts is
// in the rules_fields, audio_size_lines, job_names and safe_names scenarios.
TEST(Reading, BlanksAndTabsLeadANumberAndCaseFoldsInAscii) {
  EXPECT_EQ(IntegerReading(" \t42"), 42);
  EXPECT_EQ(IntegerReading("\n5"), 0);
  EXPECT_DOUBLE_EQ(RealReading(" \t2.5 "), 2.5);
  EXPECT_EQ(Lowered("Temporal \xC4X"), "temporal \xC4x");
  EXPECT_FALSE(SameNoCase("\xC4", "\xE4"));
  EXPECT_FALSE(EndsWithNoCase("vs", ".avs"));
}

std::vector<std::string> All(const ItemList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.size(); ++i) out.push_back(list.at(i));
  return out;
}

// Every edit the form makes, against a plain vector, at the ends, block
// boundaries and the middle, while the list grows past blocks and shrinks.
TEST(ItemList, EditsMatchAPlainVector) {
  for (const auto& [grow, shrink, seed] : {std::tuple{40, 60, 1u}, {3000, 3500, 7u}, {6000, 6500, 42u}}) {
    ItemList list;
    std::vector<std::string> model;
    uint32_t state = seed;
    const auto next = [&state](int bound) {  // a small fixed generator: every run makes the same edits
      state = state * 1103515245u + 12345u;
      return static_cast<int>((state >> 8) % static_cast<uint32_t>(bound));
    };
    int made = 0;
    const auto edit = [&](bool growing) {
      const int n = static_cast<int>(model.size());
      const int kind = next(10);
      const std::string text = std::to_string(made++);
      if (n == 0 || (growing ? kind < 6 : kind < 2)) {
        const int at = kind % 3 == 0 ? n : next(n + 1);
        list.insert(at, text);
        model.insert(model.begin() + at, text);
      } else if (growing ? kind < 8 : kind < 9) {
        const int at = kind % 4 == 0 ? n - 1 : next(n);
        list.erase(at);
        model.erase(model.begin() + at);
      } else {
        const int at = next(n);
        list.set(at, text);
        model[at] = text;
      }
    };
    for (int i = 0; i < grow; ++i) {
      edit(true);
      ASSERT_TRUE(i % 97 != 0 || All(list) == model) << seed << " step " << i;
    }
    for (int i = 0; i < shrink; ++i) edit(false);
    ASSERT_EQ(All(list), model) << seed;
    // what is left goes from the middle, then the list is filled again
    while (!list.empty()) list.erase(list.size() / 2);
    list.insert(0, "a");
    EXPECT_EQ(All(list), std::vector<std::string>{"a"}) << seed;
  }
}

// A job's lines at once: within a block, across a boundary, more than a
// block, the whole first block, the tail.
TEST(ItemList, RangesGoAsFromAPlainVector) {
  ItemList list;
  std::vector<std::string> model;
  for (int i = 0; i < 3000; ++i) list.push_back(model.emplace_back(std::to_string(i)));
  for (auto [at, count] : {std::pair{20, 7}, {500, 30}, {1000, 1100}, {0, 512}, {1290, 61}}) {
    list.erase(at, count);
    model.erase(model.begin() + at, model.begin() + at + count);
    ASSERT_EQ(All(list), model) << at << " " << count;
  }
}

// Everything the form shows, for comparing whole forms.
std::string Snapshot(const Form& f) {
  std::string all;
  for (int i = 0; i < kControlCount; ++i) {
    all += std::to_string(f.State(IdAt(i))) + (f.Enabled(IdAt(i)) ? "e" : "d") + (f.Visible(IdAt(i)) ? "v" : "h");
    for (int k = 0; k < f.ItemCount(IdAt(i)); ++k) all.append("|").append(f.ItemText(IdAt(i), k));
    all.append(":").append(f.Text(IdAt(i))).append("\n");
  }
  return all;
}

// Forms in which the rules have something to do: values out of range, odd
// texts, every mode group and unchecked boxes.
const std::function<void(Form&, ScriptedDialogs&)> kSetups[] = {
    [](Form&, ScriptedDialogs&) {},
    [](Form& f, ScriptedDialogs&) {
      for (int i = 0; i < kControlCount; ++i)
        if (Spec(IdAt(i)).kind == Kind::NumericEdit || IdAt(i) == RateValueEdit) f.SetText(IdAt(i), "999999");
      f.SetText(VbvInitialBufferEdit, "1.5");
      f.SetText(BiasEdit, "250");
      f.SetState(EncodeModeCombo, 13);
    },
    [](Form& f, ScriptedDialogs&) {
      for (ControlId id : {MinQpEdit, MaxQpStepEdit, BitrateVarianceEdit, RefFramesEdit, MaxBFramesEdit})
        f.SetText(id, "");
      f.SetText(RateValueEdit, "-5");
      f.SetText(VbvInitialBufferEdit, "-0.1");
      for (ControlId id : {SizeCheck, LogFileCheck, Transform8x8Check, P8x8SearchCheck, CabacCheck, AudioCheck})
        f.SetChecked(id, !f.Checked(id));
      // clang-format off
      for (auto [id, state] : {std::pair{EncodeModeCombo, 2}, {SubmeCombo, 7}, {MeMethodCombo, 3},
                               {AudioEncoderCombo, 6}, {BiasTrackBar, 0}, {DeblockStrengthTrackBar, 12}})
        f.SetState(id, state);
      // clang-format on
    },
    [](Form& f, ScriptedDialogs& dialogs) {
      f.SetText(MaxBFramesEdit, "1");
      f.SetText(RateValueEdit, "3000");
      f.SetState(EncodeModeCombo, 1);
      f.SetText(CqmCombo, "custom...");
      dialogs.Queue({"open", "D:\\m.cfg"});
    },
};

// The window may send several notifications for one gesture.
TEST(Idempotence, EveryRuleRunTwiceLeavesTheFormAsAfterTheFirstRun) {
  int runs = 0;
  for (size_t setup = 0; setup < std::size(kSetups); ++setup) {
    for (int i = 0; i < kControlCount; ++i) {
      if (!HasControlRule(IdAt(i))) continue;
      for (EventType type : {EventType::None, EventType::Change, EventType::LostFocus}) {
        TestApp f;
        kSetups[setup](f.form, f.dialogs);
        f.form.DropPendingEvents();
        HandleEvent(f.app, {IdAt(i), type});
        const auto first = Snapshot(f.form);
        HandleEvent(f.app, {IdAt(i), type});
        EXPECT_EQ(Snapshot(f.form), first)
            << Spec(IdAt(i)).name << " in setup " << setup << ", event type " << static_cast<int>(type);
        ++runs;
      }
    }
  }
  EXPECT_GT(runs, 100);
}

}  // namespace
}  // namespace tw
