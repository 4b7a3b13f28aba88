#pragma once
// The one clock of the program. Every loop reads time and sleeps only through
// it, so that the scripted test host can swap in a virtual clock.

#include <cstdint>
#include <memory>
#include <string>

class TClock {
public:
    virtual ~TClock() = default;
    virtual uint32_t Milliseconds() = 0;   // from a fixed point, wrapping
    virtual void Sleep(int ms) = 0;
    virtual std::string DateText() = 0;    // local date as "%d %b %Y"
    virtual std::string TimeText() = 0;    // local time as "%H:%M:%S"
};

// Installs a clock (null puts the real one back).
void SetClock(std::shared_ptr<TClock> clock);
TClock& CurrentClock();

int TickCount();
void SleepMs(int ms);   // negative values do nothing
std::string CurrentDateText();
std::string CurrentTimeText();
