#include "system/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace {

std::string FormatNow(const char* pattern) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    size_t n = std::strftime(text, sizeof text, pattern, &local);
    return std::string(text, n);
}

class TRealClock : public TClock {
public:
    uint32_t Milliseconds() override {
        auto since = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
    }
    void Sleep(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    std::string DateText() override { return FormatNow("%d %b %Y"); }
    std::string TimeText() override { return FormatNow("%H:%M:%S"); }
};

std::shared_ptr<TClock>& InstalledClock() {
    static std::shared_ptr<TClock> clock = std::make_shared<TRealClock>();
    return clock;
}

}  // namespace

void SetClock(std::shared_ptr<TClock> clock) {
    InstalledClock() = clock ? std::move(clock) : std::make_shared<TRealClock>();
}

TClock& CurrentClock() { return *InstalledClock(); }

int TickCount() { return static_cast<int>(CurrentClock().Milliseconds()); }

void SleepMs(int ms) {
    if (ms > 0) CurrentClock().Sleep(ms);
}

std::string CurrentDateText() { return CurrentClock().DateText(); }
std::string CurrentTimeText() { return CurrentClock().TimeText(); }
