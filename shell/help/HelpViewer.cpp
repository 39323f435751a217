#include "shell/help/HelpViewer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QResource>
#include <QScreen>
#include <QUrl>

#include "assets/Assets.h"
#include "shell/help/HelpFile.h"
#include "shell/help/HelpPlacement.h"
#include "shell/help/HelpReading.h"

namespace hh {

namespace {

// A screen reader reads the rules through THelpReading. Its factory is in
// place before any viewer is made: a viewer's base class may already be
// read for a screen reader while the viewer is being built.
[[maybe_unused]] const bool kReadAloud = THelpReading::Install();

// Each viewer maps its bundle under a root of its own, so two help files
// never hide each other's pages.
QString NextRoot()
{
    static int viewers = 0;
    return QStringLiteral("/nvgd/%1").arg(++viewers);
}

const uchar* Bytes(const QByteArray& bundle)
{
    return reinterpret_cast<const uchar*>(bundle.constData());
}

}  // namespace

THelpViewer::THelpViewer(const QString& helpFile) : helpFile_(helpFile), root_(NextRoot())
{
    // The game quits when its main window closes, whether the rules are
    // open or not; the game closes them itself.
    setAttribute(Qt::WA_QuitOnClose, false);
    // Room around the pages: a text document ignores the margins of <body>.
    document()->setDocumentMargin(18);
    resize(660, 640);
    setWindowIcon(Assets::ProgramIcon());
}

THelpViewer::~THelpViewer()
{
    if (!registered_.isEmpty())
        QResource::unregisterResource(Bytes(bundle_), root_);
}

QString THelpViewer::FindBundle() const
{
    if (QFileInfo::exists(helpFile_))
        return helpFile_;
    const QFileInfo file(helpFile_);
    const QString installed = file.dir().filePath(QStringLiteral(NOVAGRID_DATA_FROM_PROGRAMS "/") + file.fileName());
    return QFileInfo::exists(installed) ? installed : QString();
}

void THelpViewer::ShowTopic(int topic)
{
    if (registered_.isEmpty()) {
        const QString bundle = FindBundle();
        if (bundle.isEmpty()) {
            const QString file = helpFile_.toHtmlEscaped();
            ShowProblem(QStringLiteral("Die Hilfedatei <b>%1</b> wurde nicht gefunden. "
                                       "Installiere das Spiel bitte neu.")
                            .arg(file),
                        QStringLiteral("The help file <b>%1</b> was not found. "
                                       "Please install the game again.")
                            .arg(file));
            return;
        }
        // Qt reads the bundle from our checked copy, never from the file,
        // which could change after the check.
        bundle_ = ReadHelpFile(bundle);
        if (bundle_.isEmpty() || !QResource::registerResource(Bytes(bundle_), root_)) {
            bundle_.clear();
            const QString file = bundle.toHtmlEscaped();
            ShowProblem(QStringLiteral("Die Hilfedatei <b>%1</b> ist beschädigt und kann nicht gelesen werden. "
                                       "Installiere das Spiel bitte neu.")
                            .arg(file),
                        QStringLiteral("The help file <b>%1</b> is damaged and cannot be read. "
                                       "Please install the game again.")
                            .arg(file));
            return;
        }
        registered_ = bundle;
    }

    const QString page = root_ + QStringLiteral("/topic%1.html").arg(topic);
    if (!QFile::exists(QLatin1Char(':') + page)) {
        const QString file = registered_.toHtmlEscaped();
        const QString number = QString::number(topic);
        ShowProblem(QStringLiteral("Die Hilfedatei <b>%1</b> enthält kein Thema %2.").arg(file, number),
                    QStringLiteral("The help file <b>%1</b> has no topic %2.").arg(file, number));
        return;
    }
    setSource(QUrl(QStringLiteral("qrc:") + page));
    setWindowTitle(documentTitle());
}

void THelpViewer::BringToFront()
{
    if (!placed_) {
        PlaceBesideGame();
        placed_ = true;
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    // A Wayland compositor without xdg-activation (weston) neither raises nor
    // focuses a window it has mapped already: mapped anew, the rules come up
    // in front with the focus. The request comes from the game's window, so
    // the rules do not hold the focus, whatever Qt has heard of it so far.
    if (isVisible() && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        hide();
    show();
    raise();
    activateWindow();
}

void THelpViewer::PlaceBesideGame()
{
    const QWidget* game = QApplication::activeWindow();
    QScreen* screen = game != nullptr ? game->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    // The window's frame counts too, as far as the window system knows it
    // before the window is first shown. Qt on Wayland draws the frame itself
    // and knows it only once shown: the game's, drawn alike, stands in.
    create();
    QSize frame = frameGeometry().size() - size();
    if (frame.isNull() && game != nullptr && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        frame = game->frameGeometry().size() - game->size();
    const QRect available = screen->availableGeometry();
    const QRect place = game != nullptr ? BesideOrOver(game->frameGeometry(), size() + frame, available,
                                                       kNarrowestWidth + frame.width())
                                        : Over(available, size() + frame, available);
    resize(place.size() - frame);
    move(place.topLeft());
}

void THelpViewer::keyPressEvent(QKeyEvent* event)
{
    // Esc and the Close key put the rules away as the close box does.
    if (event->matches(QKeySequence::Cancel) || event->matches(QKeySequence::Close)) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

void THelpViewer::ShowProblem(const QString& german, const QString& english)
{
    setWindowTitle(QStringLiteral("Novagrid"));
    setHtml(QStringLiteral("<html><body style=\"font-family: 'Liberation Sans', 'DejaVu Sans', Arial, sans-serif;\">"
                           "<h2 style=\"color: #a03020;\">Hilfe nicht verfügbar</h2><p>%1</p>"
                           "<h2 style=\"color: #a03020;\">Help not available</h2><p>%2</p>"
                           "</body></html>")
                .arg(german, english));
}

}  // namespace hh
