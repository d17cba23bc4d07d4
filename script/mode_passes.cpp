// How each encode mode expands into passes. To build a pass of another mode
// the form is switched to it for the moment and every change is put back.
#include "script/audio_mux.h"
#include "script/batch_text.h"
#include "script/passes.h"
#include "ui/choices.h"
#include "ui/encode_modes.h"

namespace tw {

using enum ControlId;

void AddPassLines(Form& form, MediaInfo& media, const JobInput& input) {
  form.AddItem(JobList, BuildPassLine(form, media));
  if (form.Checked(AudioCheck) && ModeWritesOutput(form.State(EncodeModeCombo))) {
    AddAudioLines(form, form.State(AudioEncoderCombo), input);
  }
}

void AddModePasses(Form& form, MediaInfo& media, const JobInput& input) {
  if (form.State(MuxerCombo) == kAudioOnly) {
    AddAudioLines(form, form.State(AudioEncoderCombo), input);
    return;
  }
  const int mode = form.State(EncodeModeCombo);
  const EncodeModeRow* row = FindEncodeMode(mode);
  if (!row || IndexOf(row->firstPass) == mode) {
    AddPassLines(form, media, input);
    return;
  }
  // The first pass, at the first-pass CRF where the mode says so. A first
  // pass that writes the output gets no audio: the later pass may replace
  // that file. (AudioCheck stays on for the others, whose target-size
  // bitrate leaves room for the audio.)
  const std::string rate = form.Text(RateValueEdit);
  if (row->firstPassRate == RateSource::FirstPassCrf) form.SetText(RateValueEdit, form.Text(FirstPassCrfEdit));
  form.SetState(EncodeModeCombo, IndexOf(row->firstPass));
  const bool audio = form.Checked(AudioCheck);
  if (kEncodeModes[static_cast<size_t>(IndexOf(row->firstPass))].writesOutput) form.SetChecked(AudioCheck, false);
  AddPassLines(form, media, input);
  form.SetChecked(AudioCheck, audio);
  if (row->firstPassRate == RateSource::FirstPassCrf) form.SetText(RateValueEdit, rate);
  if (row->conditional) {
    // The size check's exit code decides whether the later pass replaces the first result.
    form.AddItem(JobList, "@brindle.exe " + form.Text(MinSizeEdit) + " " + form.Text(MaxSizeEdit) + " " +
                              QuotedName(form.Text(OutputFileEdit)));
  }
  // The conditional mode builds its later pass itself, behind the size check's test.
  form.SetState(EncodeModeCombo, row->conditional ? mode : IndexOf(kLaterPass));
  AddPassLines(form, media, input);
  form.SetState(EncodeModeCombo, mode);
}

}  // namespace tw
