#pragma once

#include <QString>
#include <QTextBrowser>

namespace hh {

// A window of the game's own help viewer. It shows the numbered topics of
// one compiled help file, a Qt resource bundle holding "topic<n>.html" pages,
// in a top-level window of its own: no parent, never modal, so the game goes
// on (its turn timer too) while the rules are read, and closing the window
// only hides it until the next request.
class THelpViewer : public QTextBrowser {
    Q_OBJECT
public:
    // `helpFile` is the bundle's path. When no file lies there, the viewer
    // looks for the same name in the data folder of an installed game
    // (share/novagrid beside the program's bin folder).
    explicit THelpViewer(const QString& helpFile);
    // Unregisters the bundle.
    ~THelpViewer() override;

    const QString& HelpFile() const { return helpFile_; }

    // Shows page `topic` of the help file, or, when the file is missing or
    // damaged or has no such topic, a page in German and English saying so.
    // A file that was missing is looked for again at every call.
    void ShowTopic(int topic);

    // Shows the window, restores it when minimised, raises it and makes it
    // the active window.
    void BringToFront();

private:
    // The bundle to register: the help file, or the one in the data folder;
    // empty when neither exists.
    QString FindBundle() const;
    void ShowProblem(const QString& german, const QString& english);

    QString helpFile_;
    QString root_;        // resource root of the bundle, unique per viewer
    QString registered_;  // the bundle file registered under root_, empty while none
};

}  // namespace hh
