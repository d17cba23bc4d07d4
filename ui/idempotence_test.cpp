#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "tests/unit/test_app.h"
#include "ui/rules.h"

namespace tw {
namespace {

using enum ControlId;

// Everything a control shows, for comparing whole forms.
using ControlSnapshot = std::tuple<int, std::string, bool, bool, std::vector<std::string>>;

std::vector<ControlSnapshot> Snapshot(const Form& form) {
  std::vector<ControlSnapshot> all;
  for (int i = 0; i < kControlCount; ++i) {
    ControlId id = IdAt(i);
    std::vector<std::string> items;
    for (int k = 0; k < form.ItemCount(id); ++k) items.push_back(form.ItemText(id, k));
    all.emplace_back(form.State(id), form.Text(id), form.Enabled(id), form.Visible(id), items);
  }
  return all;
}

// Forms in which the rules have something to do: values out of range, odd
// texts, every mode group and unchecked boxes.
const std::function<void(TestApp&)> kSetups[] = {
    [](TestApp&) {},
    [](TestApp& f) {
      for (ControlId id : {KeyframeBoostEdit, BFrameReductionEdit, QuantCompEdit, MinQpEdit, MaxQpEdit, MaxQpStepEdit,
                           SceneCutEdit, MeRangeEdit, RefFramesEdit, ThreadsEdit, VbvBufferSizeEdit, VbvMaxBitrateEdit,
                           BitrateVarianceEdit, MaxBFramesEdit, RateValueEdit})
        f.form.SetText(id, "999999");
      f.form.SetText(VbvInitialBufferEdit, "1.5");
      f.form.SetText(BiasEdit, "250");
      f.form.SetState(EncodeModeCombo, 13);
    },
    [](TestApp& f) {
      for (ControlId id : {MinQpEdit, MaxQpStepEdit, BitrateVarianceEdit, RefFramesEdit, MaxBFramesEdit, BiasEdit})
        f.form.SetText(id, "");
      f.form.SetText(RateValueEdit, "-5");
      f.form.SetText(VbvInitialBufferEdit, "-0.1");
      f.form.SetState(EncodeModeCombo, 2);
      f.form.SetChecked(SizeCheck, true);
      for (ControlId id : {LogFileCheck, Transform8x8Check, P8x8SearchCheck, CabacCheck, AudioCheck})
        f.form.SetChecked(id, !f.form.Checked(id));
      f.form.SetState(SubmeCombo, 7);
      f.form.SetState(MeMethodCombo, 3);
      f.form.SetState(AudioEncoderCombo, 6);
      f.form.SetState(BiasTrackBar, 0);
      f.form.SetState(DeblockStrengthTrackBar, 12);
    },
    [](TestApp& f) {
      f.form.SetText(MaxBFramesEdit, "1");
      f.form.SetText(RateValueEdit, "3000");
      f.form.SetState(EncodeModeCombo, 1);
      f.form.SetText(CqmCombo, "custom...");
      f.dialogs.Queue({"open", "D:\\m.cfg"});
    },
};

TEST(Idempotence, EveryActionRunTwiceLeavesTheFormAsAfterTheFirstRun) {
  int actions = 0;
  for (int setup = 0; setup < static_cast<int>(std::size(kSetups)); ++setup) {
    for (int i = 0; i < kControlCount; ++i) {
      const ControlId id = IdAt(i);
      // Buttons start whole operations (some ask questions first); the
      // rules sit on the fields, boxes, lists and bars.
      if (!HasControlRule(id)) continue;
      for (EventType type : {EventType::None, EventType::Change, EventType::LostFocus}) {
        TestApp f;
        kSetups[setup](f);
        f.form.DropPendingEvents();
        HandleEvent(f.app, {id, type});
        const auto first = Snapshot(f.form);
        HandleEvent(f.app, {id, type});
        EXPECT_EQ(Snapshot(f.form), first)
            << Spec(id).name << " in setup " << setup << " with event type " << static_cast<int>(type);
        ++actions;
      }
    }
  }
  EXPECT_GT(actions, 100);
}

}  // namespace
}  // namespace tw
