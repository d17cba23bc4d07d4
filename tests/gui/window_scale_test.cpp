// The window laid out at other scales than the one it was made for.
#include "tests/gui/window_fixture.h"

namespace tw {
namespace {

// The share of its control's width a caption takes in the control's own
// font, with what the kind draws beside it at 96 DPI: a check box's box, a
// frame's line, a button's edges.
double Share(HWND h, const ControlSpec& s, int dpi) {
  if (!*s.text || s.kind == Kind::Edit || s.kind == Kind::NumericEdit) return 0;
  HDC dc = GetDC(h);
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(h, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, s.text, lstrlenA(s.text), &size);
  ReleaseDC(h, dc);
  RECT r;
  GetClientRect(h, &r);
  const int beside = s.kind == Kind::CheckBox || s.kind == Kind::Frame ? 16 : s.kind == Kind::PushButton ? 6 : 0;
  return (size.cx + beside * dpi / 96.0) / r.right;
}

// The window moved to displays of other scales: laid out anew at the
// suggested rectangle, whole, and nothing of the form changed.
TEST_F(WindowTest, OtherScalesShowTheWholeFormAndChangeNothingInIt) {
  const gui::RemoteForm form(window_->handle(), GetCurrentProcess());
  window_->SetState(MainPanel, 3);
  window_->AddItem(JobList, JobLine(600));
  SetFocus(ControlWindow(RefFramesEdit));
  while (window_->PollEvent()) {
  }
  const auto dump = [&form](std::string all = "") {
    for (int i = 0; i < kControlCount; ++i) all += form.Dump(IdAt(i));
    return all;
  };
  const std::string before = dump();
  double shareAt96[kControlCount] = {};
  for (int dpi : {96, 144, 192, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY)}) {
    // as Windows suggests it for a frame that keeps its size
    RECT outer, client;
    GetWindowRect(window_->handle(), &outer);
    GetClientRect(window_->handle(), &client);
    RECT suggested{outer.left, outer.top, outer.right - client.right + 308 * dpi / 96,
                   outer.bottom - client.bottom + 359 * dpi / 96};
    SendMessageA(window_->handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    for (int i = 0; i < kControlCount; ++i) {
      const ControlSpec& s = Spec(IdAt(i));
      HWND h = form.Control(IdAt(i));
      EXPECT_TRUE(gui::AtPlace(h, s, s.kind != Kind::DropDownList && s.kind != Kind::EditableCombo))
          << s.name << " at " << dpi;
      // No caption cut that fits at 96 DPI, and none cut more than there.
      const double share = Share(h, s, dpi);
      if (dpi == 96) shareAt96[i] = share;
      EXPECT_TRUE(share <= 1 || share <= shareAt96[i]) << s.name << " at " << dpi;
    }
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(GetFocus(), ControlWindow(RefFramesEdit));
    EXPECT_FALSE(window_->PollEvent());
  }
}

}  // namespace
}  // namespace tw
