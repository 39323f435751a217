#include "shell/FontWarmUp.h"

#include <cstdlib>
#include <mutex>

namespace {

// One warm-up per process; the exit handler reaches it here.
std::thread reader;
std::mutex readerMutex;

void JoinReader()
{
    const std::lock_guard lock(readerMutex);
    if (reader.joinable())
        reader.join();
}

}  // namespace

TFontWarmUp::TFontWarmUp(std::function<void()> read)
{
    static const bool joinAtExit = std::atexit(JoinReader) == 0;
    const std::lock_guard lock(readerMutex);
    reader = std::thread(std::move(read));
    // Without the exit handler, the thread is waited for at once.
    if (!joinAtExit)
        reader.join();
}

TFontWarmUp::~TFontWarmUp()
{
    Wait();
}

void TFontWarmUp::Wait()
{
    JoinReader();
}
