#pragma once

#include <QWidget>
#include <memory>

#include "records/Preferences.h"

class TGameSession;
class TQuitFlow;
class TSplash;
class TToolBar;

// The game's window: builds the game session, the tool bar over its
// playfield and the quit flow, and wires them to the window's own events:
// start-up, activation, painting, the close and the placement.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    // Creation of the window: takes the player's `preferences`, read once
    // at start, makes the playfield and puts the engine into its start
    // state, with no game running. `seed` seeds the one random generator.
    explicit TMainForm(uint32_t seed, TPreferences preferences = TPreferences::Read());
    ~TMainForm() override;

    // The dialogs are made when first opened and then reused; this makes
    // every one of them now.
    void CreateDialogs();

    // The tool tips, the board's lines and the playfield's labels in the current language.
    void ApplyTexts();
    // The window's paint handler: the whole playfield from the sheets and
    // the engine's state, in the current language.
    void PaintPlayfield();

    // Placement on the desktop (WindowPlacement). Saving throws EStoreError
    // when the store refuses.
    void RestorePlacement();
    void SavePlacement();

    // The session ends under the game (TQuitFlow::EndSession).
    void EndSession();

    TGameSession& Session() { return *session_; }
    TToolBar& ToolBar() { return *toolBar_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A right click on the tool bar opens its menu of options.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Activate();

    TPreferences preferences_;
    std::unique_ptr<TGameSession> session_;
    std::unique_ptr<TToolBar> toolBar_;
    std::unique_ptr<TQuitFlow> quit_;
    bool firstActivation_ = true;
    // Made at start-up, where its timer starts, and gone after the first activation.
    std::unique_ptr<TSplash> splash_;
};
