#pragma once

#include <functional>
#include <thread>

// Reads the system's fonts on a thread of its own while the window is being
// built, which needs them only when it is first shown. Wait() joins it. A
// process that ends through exit() before that (the display gone at start)
// still waits for it first, so the thread never runs on into the teardown
// of what it reads.
class TFontWarmUp {
public:
    // `read` runs on the thread; the game passes the font database's scan.
    explicit TFontWarmUp(std::function<void()> read);
    ~TFontWarmUp();

    void Wait();

    TFontWarmUp(const TFontWarmUp&) = delete;
    TFontWarmUp& operator=(const TFontWarmUp&) = delete;
};
