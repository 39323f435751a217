// The command line: arguments split at zero bytes, in the local encoding.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

#include "records/GameSettings.h"
#include "shell/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QStringList arguments{QStringLiteral("novagrid")};
    for (const QByteArray& argument :
         QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\0'))
        arguments << QString::fromLocal8Bit(argument);
    const TCommandLine line = TCommandLine::Parse(arguments);
    if (line.Zoom && (*line.Zoom < TGameSettings::kZoomAutomatic || *line.Zoom > TGameSettings::kLargestZoom))
        std::abort();
    if (line.Action == TCommandLine::TAction::Fail && line.Error.isEmpty())
        std::abort();
    return 0;
}
