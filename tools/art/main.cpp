// novagrid-art FOLDER: draws every picture of the game into FOLDER.
// The output depends on nothing but this code and the installed fonts, so a
// second run writes the same bytes.

#include "tools/art/Output.h"
#include "tools/art/Pictures.h"
#include "tools/art/Sheets.h"
#include "tools/common/FolderArgument.h"

#include <QGuiApplication>
#include <QTextStream>

#include <utility>

int main(int argc, char* argv[])
{
    // Drawing needs fonts but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(FolderArgument(app,
                                     QStringLiteral("Draws the image sheets, glyphs, pictures and icons of Novagrid."),
                                     QStringLiteral("Where the files go (assets/art).")));

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!folder.mkpath(QStringLiteral("."))) {
        err << "cannot create " << folder.path() << "\n";
        return 1;
    }

    Output output(folder);
    const QImage explosion = Sheets::Explosion();
    const QImage digits = Sheets::Digits();
    output.Png(QStringLiteral("background"), Sheets::Background(), false);
    output.Png(QStringLiteral("tiles"), Sheets::Tiles(), false);
    output.Png(QStringLiteral("explosion"), explosion, false);
    output.Png(QStringLiteral("digits"), digits, false);
    for (const auto& list : {Pictures::ToolBar(), Pictures::Dialogs(), Pictures::Icons()})
        for (const Pictures::Picture& picture : list)
            output.Png(picture.name, picture.image, picture.alpha);
    output.Text(QStringLiteral("icon.svg"), Pictures::IconSvg());

    QStringList problems = output.Problems();
    for (const auto& [name, sheet] :
         {std::pair{QStringLiteral("explosion.png"), explosion}, std::pair{QStringLiteral("digits.png"), digits}}) {
        const QStringList found = CheckMasks(sheet, name);
        if (found.isEmpty())
            out << name << ": every mask pixel pure black or white, every picture pixel black outside its mask\n";
        problems << found;
    }
    for (const QString& problem : problems)
        err << problem << "\n";
    out << output.Written() << " files written to " << folder.path() << ", " << problems.size() << " problems\n";
    return problems.isEmpty() ? 0 : 1;
}
