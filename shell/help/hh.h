#pragma once

#include <QString>
#include <QStringList>

// The help link: shows the rules of the game, a numbered topic of the
// compiled help file, in the game's own help viewer (HelpViewer.h), and
// keeps the optional trace (HelpTrace.h).
namespace hh {

// Help command numbers of the application's help requests.
inline constexpr int HELP_CONTEXT = 1;
inline constexpr int HELP_CONTEXTPOPUP = 8;
inline constexpr int HELP_SETPOPUP_POS = 13;

// Whether a viewer can show the help file. The viewer travels with the game,
// so LoadHelpViewer sets it; only tests clear it, to take the path of a
// machine without a viewer.
extern bool HelpInstalled;

// Start-up, once, before any window exists (a QApplication must exist):
// sets HelpInstalled and decides the trace (THelpTrace::Start) for the
// program's own folder and QDir::tempPath(). `arguments` as
// QCoreApplication::arguments() lists them.
void LoadHelpViewer(const QStringList& arguments);
// The same for a program in `programFolder` and a temporary folder `tempFolder`.
void LoadHelpViewer(const QStringList& arguments, const QString& programFolder, const QString& tempFolder);

// The link the main window holds while it lives. Qt has no application-wide
// help handler to take over and give back, so the main window passes its
// help requests to HelpHook itself, and there is nothing to restore when
// the link goes.
class THookHelpSystem {
public:
    // `helpFile` is the compiled help file; `windowDefinition` and `mode`
    // are kept for the requests (the game passes "" and 0).
    THookHelpSystem(const QString& helpFile, const QString& windowDefinition, int mode);
    // In mode 0 closes every viewer window (HHCloseAll).
    ~THookHelpSystem();
    THookHelpSystem(const THookHelpSystem&) = delete;
    THookHelpSystem& operator=(const THookHelpSystem&) = delete;

    // A help request: HELP_CONTEXT and HELP_CONTEXTPOPUP show topic `data`
    // (HHHelpContext, then HHShowError with its result); HELP_SETPOPUP_POS
    // needs nothing. For those `callDefault` becomes false; for any other
    // command true: the request is not the link's.
    void HelpHook(int command, int data, bool& callDefault);

private:
    QString helpFile_;
    QString windowDefinition_;
    int mode_;
};

// Shows topic `topic` of `file`; the file's "%20"s become blanks and blanks
// around it go. Returns ShowContext's result.
int HHHelpContext(const QString& file, int topic, const QString& windowDefinition, int mode);

// 1 when no viewer is installed. Otherwise shows the topic in the viewer
// window of that file (made at the first request, the same window later),
// brings the window to the front and returns 0, also when the viewer can
// only say that the file is missing or damaged. Never waits for the window.
int ShowContext(const QString& fileArgument, int topic, int mode);

// 1: tells the player in a message box that no viewer is installed and
// waits for OK. 0 shows nothing.
void HHShowError(int result);

// Closes every viewer window and frees the help files they read.
void HHCloseAll();

}  // namespace hh
