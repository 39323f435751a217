// novagrid-bake OUTPUT PICTURE...
//
// Writes OUTPUT, a C++ source that holds every PICTURE (a PNG file) as the
// raw 32-bit pixels QImage keeps in memory, each under its file's base name
// (kBakedPictures, see assets/BakedPictures.h). The game then shows its art
// without decoding anything at start-up: a picture is a QImage over pixels
// that already lie in the program.
#include <cstdio>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

namespace {

// A string literal of the bytes: octal escapes never run into the next byte.
QByteArray Literal(const QImage& image)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(image.constBits());
    const qsizetype size = image.sizeInBytes();
    QByteArray text;
    text.reserve(size * 4 + size / 16);
    constexpr qsizetype kPerLine = 64;
    for (qsizetype at = 0; at < size; at += kPerLine) {
        text += "    \"";
        for (qsizetype n = at; n < std::min(size, at + kPerLine); ++n) {
            const unsigned char byte = bytes[n];
            text += '\\';
            text += char('0' + (byte >> 6));
            text += char('0' + ((byte >> 3) & 7));
            text += char('0' + (byte & 7));
        }
        text += "\"\n";
    }
    return text;
}

int Fail(const QString& message)
{
    std::fprintf(stderr, "novagrid-bake: %s\n", qPrintable(message));
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("novagrid-bake"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the game's pictures as raw pixels into a C++ source, ready to draw."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("the C++ source to write"));
    parser.addPositionalArgument(QStringLiteral("pictures"), QStringLiteral("PNG files"), QStringLiteral("picture..."));
    QString problem;
    if (!parser.parse(QCoreApplication::arguments())) {
        problem = parser.errorText();
    } else {
        parser.process(app);  // answers --help
        if (parser.positionalArguments().size() < 2)
            problem = QStringLiteral("give the output and at least one picture");
    }
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "novagrid-bake: %s\n\n%s", qPrintable(problem), qPrintable(parser.helpText()));
        return 2;
    }

    const QStringList arguments = parser.positionalArguments();
    QByteArray pixels;
    QByteArray table;
    for (qsizetype n = 1; n < arguments.size(); ++n) {
        QImage image(arguments[n]);
        if (image.isNull())
            return Fail(QStringLiteral("cannot read %1").arg(arguments[n]));
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        const QByteArray symbol = "kPixels" + QByteArray::number(n);
        pixels += "alignas(16) const char " + symbol + "[] =\n" + Literal(image) + "    ;\n";
        table += QStringLiteral("    {\"%1\", %2, %3, %4, %5},\n")
                     .arg(QFileInfo(arguments[n]).baseName())
                     .arg(image.width())
                     .arg(image.height())
                     .arg(int(image.format()))
                     .arg(QString::fromLatin1(symbol))
                     .toUtf8();
    }

    QSaveFile out(arguments[0]);
    if (!out.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("cannot write %1").arg(arguments[0]));
    out.write(
        "// Made by novagrid-bake from the game's pictures; not to be edited.\n"
        "#include \"assets/BakedPictures.h\"\n\n"
        "namespace {\n\n" +
        pixels +
        "\n}  // namespace\n\n"
        "const TBakedPicture kBakedPictures[] = {\n" +
        table +
        "};\n"
        "const std::size_t kBakedPictureCount = std::size(kBakedPictures);\n");
    if (!out.commit())
        return Fail(QStringLiteral("cannot write %1").arg(arguments[0]));
    return 0;
}
