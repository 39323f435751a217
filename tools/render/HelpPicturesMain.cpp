// novagrid-help-pictures FOLDER
//
// Draws the pictures of the rules with the game's own drawing code and writes
// them into FOLDER as PNG files (see HelpPictures.h); scripts/make-assets.sh
// puts them into assets/help/images/.
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QString>

#include "tools/common/FolderArgument.h"
#include "tools/render/HelpPictures.h"

int main(int argc, char** argv)
{
    // The pictures are committed: they must come out the same whichever
    // desktop the command runs on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QDir out(FolderArgument(app, QStringLiteral("Draws the pictures of the rules with the game's own drawing code."),
                            QStringLiteral("Where the pictures go.")));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "novagrid-help-pictures: cannot make the folder %s\n", qPrintable(out.path()));
        return 1;
    }
    return WriteHelpPictures(out) ? 0 : 1;
}
