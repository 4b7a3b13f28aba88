#include "screen/frame_pacer.h"

void TFramePacer::Start(uint32_t now, int hertz) {
    deadline = now;
    rate = hertz;
    accumulator = 0;
}

int TFramePacer::NextFrameWait(uint32_t now) {
    if (rate <= 0) return 0;
    deadline += static_cast<uint32_t>(1000 / rate);
    accumulator += 1000 % rate;
    if (accumulator >= rate) {
        accumulator -= rate;
        deadline += 1;
    }
    // The clock wraps, so the comparison is on the signed difference.
    int32_t ahead = static_cast<int32_t>(deadline - now);
    if (ahead <= 0) {
        deadline = now;
        return 0;
    }
    return ahead;
}
