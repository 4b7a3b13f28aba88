#include "document/int_queue.h"

int32_t TIntQueue::Remove() {
    if (IsEmpty()) return 0;
    const int32_t value = values[first++];
    if (IsEmpty()) {
        values.clear();
        first = 0;
    }
    return value;
}
