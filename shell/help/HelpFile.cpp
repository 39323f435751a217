#include "shell/help/HelpFile.h"

#include <QCryptographicHash>
#include <QFile>

#include "shell/help/HelpFileDigest.h"

namespace hh {

QByteArray ReadHelpFile(const QString& path)
{
    QFile file(path);
    if (file.size() != kHelpFileSize || !file.open(QIODevice::ReadOnly))
        return {};
    // One byte more than expected tells a file that grew since its size was taken.
    const QByteArray bytes = file.read(kHelpFileSize + 1);
    if (bytes.size() != kHelpFileSize)
        return {};
    const QByteArray digest = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    return digest == QByteArrayView(kHelpFileSha256) ? bytes : QByteArray();
}

}  // namespace hh
