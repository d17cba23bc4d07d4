#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/dispatch_table.h"
#include "ui/rule_test_form.h"

namespace tw {
namespace {

using enum ControlId;

// Forms in which the rules have something to do: values out of range, odd
// texts, every mode group and unchecked boxes.
const std::function<void(RuleForm&)> kSetups[] = {
    [](RuleForm&) {},
    [](RuleForm& f) {
      for (ControlId id : {KeyframeBoostEdit, BFrameReductionEdit, QuantCompEdit, MinQpEdit, MaxQpEdit, MaxQpStepEdit,
                           SceneCutEdit, MeRangeEdit, RefFramesEdit, ThreadsEdit, VbvBufferSizeEdit, VbvMaxBitrateEdit,
                           BitrateVarianceEdit, MaxBFramesEdit, RateValueEdit})
        f.Preset(id, "999999");
      f.Preset(VbvInitialBufferEdit, "1.5");
      f.Preset(BiasEdit, "250");
      f.form().SetState(EncodeModeCombo, 13);
    },
    [](RuleForm& f) {
      for (ControlId id : {MinQpEdit, MaxQpStepEdit, BitrateVarianceEdit, RefFramesEdit, MaxBFramesEdit, BiasEdit})
        f.Preset(id, "");
      f.Preset(RateValueEdit, "-5");
      f.Preset(VbvInitialBufferEdit, "-0.1");
      f.form().SetState(EncodeModeCombo, 2);
      f.form().SetChecked(SizeCheck, true);
      for (ControlId id : {LogFileCheck, Transform8x8Check, P8x8SearchCheck, CabacCheck, AudioCheck})
        f.form().SetChecked(id, !f.form().Checked(id));
      f.form().SetState(SubmeCombo, 7);
      f.form().SetState(MeMethodCombo, 3);
      f.form().SetState(AudioEncoderCombo, 6);
      f.form().SetState(BiasTrackBar, 0);
      f.form().SetState(DeblockStrengthTrackBar, 12);
    },
    [](RuleForm& f) {
      f.Preset(MaxBFramesEdit, "1");
      f.Preset(RateValueEdit, "3000");
      f.form().SetState(EncodeModeCombo, 1);
      f.Preset(CqmCombo, "custom...");
      f.dialogs().Queue({"open", "D:\\m.cfg"});
    },
};

TEST(Idempotence, EveryActionRunTwiceLeavesTheFormAsAfterTheFirstRun) {
  int actions = 0;
  for (int setup = 0; setup < static_cast<int>(std::size(kSetups)); ++setup) {
    for (int i = 0; i < kControlCount; ++i) {
      const ControlId id = IdAt(i);
      // Buttons start whole operations (some ask questions first); the
      // rules sit on the fields, boxes, lists and bars.
      if (!ActionOf(id) || Spec(id).kind == Kind::PushButton) continue;
      for (EventType type : {EventType::None, EventType::Change, EventType::LostFocus}) {
        RuleForm f;
        kSetups[setup](f);
        HandleEvent(f.app(), {id, type});
        const auto first = Snapshot(f.form());
        HandleEvent(f.app(), {id, type});
        EXPECT_EQ(Snapshot(f.form()), first)
            << Spec(id).name << " in setup " << setup << " with event type " << static_cast<int>(type);
        ++actions;
      }
    }
  }
  EXPECT_GT(actions, 100) << "the rule actions are in the dispatch table";
}

}  // namespace
}  // namespace tw
