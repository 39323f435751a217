#include "tools/art/Output.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QtEndian>

#include <set>

namespace {

constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

// Chunks that carry only pixels and their geometry.
const std::set<QByteArray> kStableChunks{"IHDR", "PLTE", "IDAT", "IEND", "pHYs", "sBIT", "gAMA"};

}  // namespace

Output::Output(const QDir& folder) : folder_(folder) {}

void Output::Png(const QString& name, const QImage& image, bool alpha)
{
    const QString path = folder_.filePath(name + QStringLiteral(".png"));
    const QImage stored = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QImageWriter writer(path, "png");
    if (!writer.write(stored)) {
        problems_ << QStringLiteral("%1: %2").arg(path, writer.errorString());
        return;
    }
    const QString problem = CheckPng(path, stored, alpha);
    if (!problem.isEmpty()) {
        problems_ << QStringLiteral("%1: %2").arg(path, problem);
        return;
    }
    ++written_;
}

void Output::Text(const QString& fileName, const QByteArray& text)
{
    QSaveFile file(folder_.filePath(fileName));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        problems_ << QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
        return;
    }
    ++written_;
}

QString Output::CheckPng(const QString& path, const QImage& expected, bool alpha) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith(QByteArray(kPngSignature, 8)) || bytes.size() < 33)
        return QStringLiteral("not a PNG file");
    const int depth = quint8(bytes[24]);
    const int colourType = quint8(bytes[25]);
    if (depth != 8 || colourType != (alpha ? 6 : 2))
        return QStringLiteral("stored with depth %1, colour type %2").arg(depth).arg(colourType);
    for (qsizetype at = 8; at + 8 <= bytes.size();) {
        const quint32 length = qFromBigEndian<quint32>(bytes.constData() + at);
        const QByteArray type = bytes.mid(at + 4, 4);
        if (!kStableChunks.contains(type))
            return QStringLiteral("holds a %1 chunk").arg(QString::fromLatin1(type));
        at += 12 + qsizetype(length);
    }
    QImageReader reader(path);
    const QImage back = reader.read().convertToFormat(expected.format());
    if (back != expected)
        return QStringLiteral("reads back different pixels");
    return {};
}

QStringList CheckMasks(const QImage& sheet, const QString& name)
{
    QStringList problems;
    const QImage rgb = sheet.convertToFormat(QImage::Format_RGB32);
    const int half = rgb.height() / 2;
    for (int y = 0; y < half; ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb mask = rgb.pixel(x, half + y) & 0xffffff;
            const QRgb picture = rgb.pixel(x, y) & 0xffffff;
            if (mask != 0x000000 && mask != 0xffffff)
                problems << QStringLiteral("%1: mask pixel (%2, %3) is #%4")
                                .arg(name)
                                .arg(x)
                                .arg(half + y)
                                .arg(mask, 6, 16, QLatin1Char('0'));
            else if (mask == 0xffffff && picture != 0)
                problems << QStringLiteral("%1: picture pixel (%2, %3) is #%4 outside its mask")
                                .arg(name)
                                .arg(x)
                                .arg(y)
                                .arg(picture, 6, 16, QLatin1Char('0'));
        }
    }
    return problems;
}
