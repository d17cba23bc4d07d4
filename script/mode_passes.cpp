// How each encode mode expands into passes. To build a pass of another mode
// the form is switched to it for the moment and every change is put back.
#include "script/audio_mux.h"
#include "script/batch_text.h"
#include "script/passes.h"

namespace tw {

using enum ControlId;

namespace {

constexpr int kAudioOnly = 4;

// The passes of an automated double pass: first-pass mode, then mode 5.
void AddDoublePasses(Form& form, MediaInfo& media, int firstMode, bool firstPassCrf) {
  const int mode = form.State(EncodeModeCombo);
  const std::string rate = form.Text(RateValueEdit);
  if (firstPassCrf) form.SetText(RateValueEdit, form.Text(FirstPassCrfEdit));
  form.SetState(EncodeModeCombo, firstMode);
  AddPassLines(form, media);
  form.SetState(EncodeModeCombo, 5);
  if (firstPassCrf) form.SetText(RateValueEdit, rate);
  AddPassLines(form, media);
  form.SetState(EncodeModeCombo, mode);
}

// The first pass writes the output at the first-pass rate factor; the size
// check tool's exit code decides whether the second pass replaces it.
void AddConditionalPasses(Form& form, MediaInfo& media) {
  const std::string rate = form.Text(RateValueEdit);
  form.SetText(RateValueEdit, form.Text(FirstPassCrfEdit));
  form.SetState(EncodeModeCombo, 12);
  const bool audio = form.Checked(AudioCheck);
  form.SetChecked(AudioCheck, false);
  AddPassLines(form, media);
  form.SetChecked(AudioCheck, audio);
  form.SetState(EncodeModeCombo, 5);
  form.SetText(RateValueEdit, rate);
  form.AddItem(JobList, "@brindle.exe " + form.Text(MinSizeEdit) + " " + form.Text(MaxSizeEdit) + " " +
                            QuotedName(form.Text(OutputFileEdit)));
  form.SetState(EncodeModeCombo, 13);
  AddPassLines(form, media);
}

}  // namespace

void AddPassLines(Form& form, MediaInfo& media) {
  form.AddItem(JobList, BuildPassLine(form, media));
  if (form.Checked(AudioCheck) && ModeWritesOutput(form.State(EncodeModeCombo))) {
    AddAudioLines(form, form.State(AudioEncoderCombo));
  }
}

void AddModePasses(Form& form, MediaInfo& media) {
  if (form.State(MuxerCombo) == kAudioOnly) {
    AddAudioLines(form, form.State(AudioEncoderCombo));
    return;
  }
  switch (form.State(EncodeModeCombo)) {
    case 6:
      AddDoublePasses(form, media, 3, false);
      break;
    case 7:
      AddDoublePasses(form, media, 4, false);
      break;
    case 10:
      AddDoublePasses(form, media, 8, true);
      break;
    case 11:
      AddDoublePasses(form, media, 9, true);
      break;
    case 13:
      AddConditionalPasses(form, media);
      break;
    default:
      AddPassLines(form, media);
      break;
  }
}

}  // namespace tw
