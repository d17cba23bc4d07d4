#include "ui/item_list.h"

#include <algorithm>

namespace tw {

std::pair<size_t, int> ItemList::Locate(int index) const {
  size_t b = cursorBlock_ < blocks_.size() ? cursorBlock_ : 0;
  int start = b == cursorBlock_ ? cursorStart_ : 0;
  while (index < start) start -= static_cast<int>(blocks_[--b].size());
  while (b + 1 < blocks_.size() && index >= start + static_cast<int>(blocks_[b].size()))
    start += static_cast<int>(blocks_[b++].size());
  cursorBlock_ = b;
  cursorStart_ = start;
  return {b, start};
}

const std::string& ItemList::at(int index) const {
  auto [b, start] = Locate(index);
  return blocks_[b][index - start];
}

void ItemList::set(int index, std::string_view text) {
  auto [b, start] = Locate(index);
  blocks_[b][index - start] = text;
}

// Blocks are made with room for kBlockSize lines and split before they
// would outgrow it, so none ever holds more room than that.
void ItemList::insert(int index, std::string text) {
  if (blocks_.empty()) NewBlock(0);
  // Past the end of the last block when appending.
  auto [b, start] = Locate(index == size_ && index > 0 ? index - 1 : index);
  if (static_cast<int>(blocks_[b].size()) == kBlockSize) {
    if (b + 1 == blocks_.size() && index == size_) {
      // Lines are mostly appended: a full last block stays full.
      NewBlock(b + 1);
    } else {
      NewBlock(b + 1);  // before taking references: it may move the blocks
      Block& full = blocks_[b];
      Block& upper = blocks_[b + 1];
      upper.assign(std::make_move_iterator(full.begin() + kBlockSize / 2), std::make_move_iterator(full.end()));
      full.resize(kBlockSize / 2);
    }
    if (index - start >= static_cast<int>(blocks_[b].size())) start += static_cast<int>(blocks_[b++].size());
    cursorBlock_ = b;
    cursorStart_ = start;
  }
  Block& block = blocks_[b];
  block.insert(block.begin() + (index - start), std::move(text));
  ++size_;
}

ItemList::Block& ItemList::NewBlock(size_t at) {
  Block& block = *blocks_.emplace(blocks_.begin() + static_cast<long>(at));
  block.reserve(kBlockSize);
  return block;
}

// Block by block: the lines after the range in its last block move once.
void ItemList::erase(int index, int count) {
  while (count > 0) {
    auto [b, start] = Locate(index);
    Block& block = blocks_[b];
    const int from = index - start;
    const int n = std::min(count, static_cast<int>(block.size()) - from);
    block.erase(block.begin() + from, block.begin() + from + n);
    size_ -= n;
    count -= n;
    JoinSmall(b, start);
  }
}

// Keeps every block at a quarter of the block size or more (unless it is
// the only one), so that the number of blocks stays in proportion to the
// number of lines. `start` is the position of the block's first line.
void ItemList::JoinSmall(size_t b, int start) {
  if (static_cast<int>(blocks_[b].size()) >= kBlockSize / 4) return;
  auto moveAll = [](Block& from, Block& to) {
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
  };
  if (b + 1 < blocks_.size() && blocks_[b].size() + blocks_[b + 1].size() <= kBlockSize) {
    moveAll(blocks_[b + 1], blocks_[b]);
    blocks_.erase(blocks_.begin() + static_cast<long>(b) + 1);
  } else if (b > 0 && blocks_[b].size() + blocks_[b - 1].size() <= kBlockSize) {
    start -= static_cast<int>(blocks_[b - 1].size());
    moveAll(blocks_[b], blocks_[b - 1]);
    blocks_.erase(blocks_.begin() + static_cast<long>(b));
    --b;
  }
  cursorBlock_ = b;
  cursorStart_ = start;
}

void ItemList::clear() {
  blocks_.clear();
  size_ = 0;
  cursorBlock_ = 0;
  cursorStart_ = 0;
}

}  // namespace tw
