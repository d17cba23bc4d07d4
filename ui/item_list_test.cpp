#include "ui/item_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tw {
namespace {

std::vector<std::string> All(const ItemList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.size(); ++i) out.push_back(list.at(i));
  return out;
}

// A small fixed generator, so every run makes the same edits.
struct Steps {
  uint32_t state;
  int Next(int bound) {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 8) % static_cast<uint32_t>(bound));
  }
};

// Every edit the form makes, checked against a plain vector after each
// one: at the ends, at block boundaries and in the middle, while the list
// grows past several blocks (appends being the common case, read from
// wherever the last edit stood) and shrinks to nothing again.
TEST(ItemList, EditsMatchAPlainVector) {
  const struct {
    const char* what;
    int grow, shrink;  // edits while growing, then while shrinking
    uint32_t seed;
  } cases[] = {
      {"few lines", 40, 60, 1u},
      {"several blocks", 3000, 3500, 7u},
      {"one long run", 6000, 6500, 42u},
  };
  for (const auto& c : cases) {
    ItemList list;
    std::vector<std::string> model;
    Steps steps{c.seed};
    int made = 0;
    auto edit = [&](bool growing) {
      const int n = static_cast<int>(model.size());
      const int kind = steps.Next(10);
      if (n == 0 || (growing ? kind < 6 : kind < 2)) {
        const int at = kind % 3 == 0 ? n : steps.Next(n + 1);  // appends are the common case
        std::string text = "t";
        text += std::to_string(made++);
        list.insert(at, text);
        model.insert(model.begin() + at, text);
      } else if (growing ? kind < 8 : kind < 9) {
        const int at = kind % 4 == 0 ? n - 1 : steps.Next(n);
        list.erase(at);
        model.erase(model.begin() + at);
      } else {
        const int at = steps.Next(n);
        std::string text = "s";
        text += std::to_string(made++);
        list.set(at, text);
        model[at] = text;
      }
    };
    for (int i = 0; i < c.grow; ++i) {
      edit(true);
      ASSERT_EQ(list.size(), static_cast<int>(model.size())) << c.what << " step " << i;
      if (i % 97 == 0) {
        ASSERT_EQ(All(list), model) << c.what << " step " << i;
      }
    }
    ASSERT_EQ(All(list), model) << c.what;
    for (int i = 0; i < c.shrink; ++i) edit(false);
    EXPECT_EQ(All(list), model) << c.what;
    // what is left goes from the middle, then the list is filled again
    for (int at = list.size() / 2; at < list.size(); at = list.size() / 2) {
      ASSERT_EQ(list.at(at), model[at]) << c.what;
      list.erase(at);
      model.erase(model.begin() + at);
    }
    EXPECT_TRUE(list.empty()) << c.what;
    list.insert(0, "a");
    list.insert(0, "b");
    EXPECT_EQ(All(list), (std::vector<std::string>{"b", "a"})) << c.what;
    for (int i = 0; i < 1500; ++i) list.push_back("x");
    list.clear();
    EXPECT_EQ(list.size(), 0) << c.what;
    list.push_back("c");
    EXPECT_EQ(All(list), std::vector<std::string>{"c"}) << c.what;
  }
}

}  // namespace
}  // namespace tw
