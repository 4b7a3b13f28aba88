#pragma once
// A first-in first-out queue of integers, for the flood fill. Removing from
// an empty queue gives 0.

#include <cstddef>
#include <cstdint>
#include <vector>

class TIntQueue {
public:
    explicit TIntQueue(size_t expected = 0) { values.reserve(expected); }

    void Insert(int32_t value) { values.push_back(value); }
    int32_t Remove();
    bool IsEmpty() const { return first == values.size(); }

private:
    // Taken values stay behind first until the queue runs empty; the fill
    // queues each board cell at most once, so nothing piles up.
    std::vector<int32_t> values;
    size_t first = 0;
};
