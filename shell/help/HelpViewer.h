#pragma once

#include <QString>
#include <QTextBrowser>

namespace hh {

// A window of the game's own help viewer. It shows the numbered topics of
// one compiled help file, a Qt resource bundle holding "topic<n>.html" pages,
// in a top-level window of its own: no parent, never modal, so the game goes
// on (its turn timer too) while the rules are read beside it (where the
// window system may put them over the game, the game pauses), and closing
// the window only hides it until the next request: by its close box, Esc or
// the platform's Close key (Ctrl+W). It shows the game's icon.
class THelpViewer : public QTextBrowser {
    Q_OBJECT
public:
    // The narrowest the window gets to open beside the game: the text still
    // reads well at this width, only the widest pictures scroll sideways.
    static constexpr int kNarrowestWidth = 360;

    // `helpFile` is the bundle's path. When no file lies there, the viewer
    // looks for the same name in the folder where the install puts the help
    // file, as seen from the folder of `helpFile` (the program's).
    explicit THelpViewer(const QString& helpFile);
    // Unregisters the bundle.
    ~THelpViewer() override;

    const QString& HelpFile() const { return helpFile_; }

    // Shows page `topic` of the help file, or, when the file is missing or
    // damaged or has no such topic, a page in German and English saying so.
    // Any file other than the help file built with the game counts as
    // damaged: Qt only ever sees a file whose every byte was checked.
    // A file that was missing is looked for again at every call.
    void ShowTopic(int topic);

    // Shows the window, restores it when minimised, raises it and makes it
    // the active window (on Wayland by showing it anew when it is behind). The first time, the window opens beside the
    // active window (the game's, where the player asked for the rules), narrowed down to kNarrowestWidth if need be, or
    // over it where the screen has no room beside it (HelpPlacement.h); without an active window, in the middle of the
    // screen. Either way it lies wholly on that screen's free area. Later it stays where the player put it.
    void BringToFront();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The bundle to register: the help file, or the one in the data folder;
    // empty when neither exists.
    QString FindBundle() const;
    void ShowProblem(const QString& german, const QString& english);
    void PlaceBesideGame();

    QString helpFile_;
    QString root_;        // resource root of the bundle, unique per viewer
    QString registered_;  // the bundle file registered under root_, empty while none
    QByteArray bundle_;   // its checked contents, which Qt reads while registered
    bool placed_ = false;
};

}  // namespace hh
