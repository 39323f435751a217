// The placement record "MainForm" as the store may hold it: where it puts
// the window lies on the desktop whenever the window fits there.
#include <QRect>
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "records/Placement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString stored = QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Placement::SplitFields(stored);
    const QSize window(500, 366);
    const QRect desktop(0, 0, 1920, 1080);
    if (const auto topLeft = Placement::RestoredTopLeft(stored, window, desktop)) {
        if (!desktop.contains(QRect(*topLeft, window)))
            std::abort();
    }
    return 0;
}
