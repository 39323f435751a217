#pragma once

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

// Writes the generated files and makes sure each one is what the game needs:
// the exact pixels read back, 8 bits per channel, RGB or RGBA as asked, and
// no chunk that could differ between runs (no time stamp, no text).
class Output {
public:
    explicit Output(const QDir& folder);

    // Writes `image` as <name>.png: RGBA when `alpha`, otherwise opaque RGB.
    void Png(const QString& name, const QImage& image, bool alpha);
    void Text(const QString& fileName, const QByteArray& text);

    int Written() const { return written_; }
    const QStringList& Problems() const { return problems_; }

private:
    QString CheckPng(const QString& path, const QImage& expected, bool alpha) const;

    QDir folder_;
    int written_ = 0;
    QStringList problems_;
};

// What is wrong with a sheet whose lower half holds the masks of its upper
// half: a mask pixel that is neither pure black nor pure white, or a picture
// pixel that is not black where its mask is white. Empty when all is well.
QStringList CheckMasks(const QImage& sheet, const QString& name);
