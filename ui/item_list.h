// The item texts of one control of the headless form. A job list holds
// hundreds of thousands of lines and is edited in its middle, so the texts
// are kept in blocks of a few hundred: inserting or removing a line moves
// only the lines of its block, and a walk from line to line finds the next
// one where it found the last.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw {

class ItemList {
 public:
  int size() const { return size_; }
  bool empty() const { return size_ == 0; }
  // `index` must lie in 0 .. size() - 1 (0 .. size() for insert).
  const std::string& at(int index) const;
  void set(int index, std::string_view text);
  void insert(int index, std::string text);
  void push_back(std::string text) { insert(size_, std::move(text)); }
  // `count` items from `index` on; index + count must not pass size().
  void erase(int index, int count = 1);
  void clear();

  // Blocks are split when they grow past this and joined with a neighbour
  // when they shrink below a quarter of it.
  static constexpr int kBlockSize = 512;

 private:
  using Block = std::vector<std::string>;
  // The block holding `index` and the position of its first item.
  std::pair<size_t, int> Locate(int index) const;
  void JoinSmall(size_t block, int start);
  Block& NewBlock(size_t at);

  std::vector<Block> blocks_;
  int size_ = 0;
  // Where the last search ended, so that neighbouring lines are found at once.
  mutable size_t cursorBlock_ = 0;
  mutable int cursorStart_ = 0;
};

}  // namespace tw
