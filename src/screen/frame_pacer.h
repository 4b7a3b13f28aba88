#pragma once
// Software frame pacing: 1000 / hertz milliseconds per frame, the remainder
// carried in an accumulator so that `hertz` frames take exactly one second.

#include <cstdint>

class TFramePacer {
public:
    // The first deadline counts from `now` (the time the window opened).
    void Start(uint32_t now, int hertz);
    // Advances the deadline by one frame and answers how long to wait for it.
    // A deadline already past moves to `now` and the answer is 0, so a slow
    // frame is not followed by a burst of fast ones.
    int NextFrameWait(uint32_t now);

private:
    uint32_t deadline = 0;
    int rate = 0;
    int accumulator = 0;
};
