// Which effects are playing, by creation position, so that enumeration asks
// its two questions in O(log n) of the number of effects: how many play, and
// which position holds the k-th of them. A Fenwick tree over 0/1 flags that
// grows and shrinks at the end, as effects are made and a failed resource
// file's effects are taken back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velsim {

class PlayingIndex {
public:
    // A new last position, not playing.
    void PushBack();
    // Drops the last position, which must not be playing.
    void PopBack();
    void Set(size_t position, bool playing);
    bool Playing(size_t position) const { return flags_[position] != 0; }
    size_t Count() const { return count_; }
    // The position of the k-th playing one, counting from 0; k < Count().
    size_t Find(size_t k) const;

private:
    size_t Prefix(size_t length) const;  // how many of the first length positions play

    std::vector<uint8_t> flags_;
    // tree_[i] counts the playing positions in [i - lowbit(i), i), for i >= 1.
    std::vector<size_t> tree_{0};
    size_t count_ = 0;
};

}  // namespace velsim
