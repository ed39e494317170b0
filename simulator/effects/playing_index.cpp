#include "simulator/effects/playing_index.h"

namespace velsim {

namespace {

size_t LowBit(size_t i)
{
    return i & (~i + 1);
}

}  // namespace

size_t PlayingIndex::Prefix(size_t length) const
{
    size_t sum = 0;
    for (size_t i = length; i > 0; i -= LowBit(i)) sum += tree_[i];
    return sum;
}

void PlayingIndex::PushBack()
{
    // Entry i covers positions [i - lowbit(i), i); the new one is not playing,
    // so the entry is what the positions before it hold.
    const size_t i = tree_.size();
    const size_t entry = Prefix(i - 1) - Prefix(i - LowBit(i));
    flags_.push_back(0);
    try {
        tree_.push_back(entry);
    } catch (...) {
        flags_.pop_back();  // both or neither
        throw;
    }
}

void PlayingIndex::PopBack()
{
    tree_.pop_back();
    flags_.pop_back();
}

void PlayingIndex::Set(size_t position, bool playing)
{
    if (Playing(position) == playing) return;
    flags_[position] = playing ? 1 : 0;
    for (size_t i = position + 1; i < tree_.size(); i += LowBit(i)) tree_[i] = playing ? tree_[i] + 1 : tree_[i] - 1;
    count_ = playing ? count_ + 1 : count_ - 1;
}

size_t PlayingIndex::Find(size_t k) const
{
    // Descends by powers of two to the longest prefix with at most k playing.
    size_t step = 1;
    while (step * 2 < tree_.size()) step *= 2;
    size_t length = 0;
    for (; step > 0; step /= 2) {
        if (length + step < tree_.size() && tree_[length + step] <= k) {
            length += step;
            k -= tree_[length];
        }
    }
    return length;
}

}  // namespace velsim
