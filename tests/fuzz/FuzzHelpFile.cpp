// The help file beside the program: only the file the game was built with
// is taken, whatever else lies there.
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "shell/help/HelpFile.h"
#include "shell/help/HelpFileDigest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("nvgd.rcc"));
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Most inputs are cut or padded to the built size, where the digest decides.
    if (!bytes.isEmpty() && (bytes.front() & 1) == 0)
        bytes.resize(hh::kHelpFileSize);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(bytes);
    }
    const QByteArray read = hh::ReadHelpFile(path);
    if (!read.isEmpty() && (read != bytes || read.size() != hh::kHelpFileSize))
        std::abort();
    return 0;
}
