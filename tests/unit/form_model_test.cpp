#include "ui/form_model.h"

#include <gtest/gtest.h>

#include "ui/reading.h"

namespace tw {
namespace {

using enum ControlId;

TEST(Catalogue, NamesAreUniqueAndFound) {
  for (int i = 0; i < kControlCount; ++i) {
    auto id = FindControl(Spec(IdAt(i)).name);
    ASSERT_TRUE(id.has_value()) << Spec(IdAt(i)).name;
    EXPECT_EQ(Index(*id), i);
  }
}

// What each kind makes of typed text and states is the form_kinds scenario's.
TEST(FormModel, ProgramSetTextRaisesOneUntypedEvent) {
  FormModel f;
  f.SetText(RateValueEdit, "30");
  f.SetText(RateLabel, "Quantizer");  // labels raise nothing
  auto e = f.TakePendingEvent();
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(e->control, RateValueEdit);
  EXPECT_EQ(e->type, EventType::None);
  EXPECT_FALSE(f.TakePendingEvent().has_value());
  f.TypeText(RateValueEdit, "31");
  EXPECT_FALSE(f.TakePendingEvent().has_value()) << "typing events come from the gesture itself";
}

TEST(FormModel, ListSelectionFollowsItsLine) {
  FormModel f;
  for (const char* line : {"a", "b", "c"}) f.AddItem(JobList, line);
  f.SetState(JobList, 1);
  EXPECT_EQ(f.Text(JobList), "b");
  f.AddItem(JobList, "z", 0);
  EXPECT_EQ(f.Text(JobList), "b");
  f.RemoveItem(JobList, 0);
  EXPECT_EQ(f.State(JobList), 1);
  f.RemoveItem(JobList, 1);
  EXPECT_EQ(f.State(JobList), -1);
}

struct IntCase {
  const char* text;
  int32_t value;
};

TEST(Reading, Integer) {
  const IntCase cases[] = {
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"-7", -7},
      {"+8", 8},
      {" \t 42", 42},
      {"- 5", 0},
      {"--5", 0},
      {"4.5", 4},
      {"0012", 12},
      {"2147483647", 2147483647},
      {"2147483648", -2147483647 - 1},
      {"4294967297", 1},
      {"\n5", 0},
  };
  for (const IntCase& c : cases) EXPECT_EQ(IntegerReading(c.text), c.value) << '"' << c.text << '"';
}

TEST(Reading, Real) {
  const struct {
    const char* text;
    double value;
  } cases[] = {{"0.95", 0.95},  {"1.5", 1.5}, {"-0.1", -0.1}, {"abc", 0.0}, {"", 0.0},  {".5", 0.5},
               {"1e2x", 100.0}, {"1e", 1.0},  {" 2.5 ", 2.5}, {"-.", 0.0},  {"+3", 3.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(RealReading(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace tw
