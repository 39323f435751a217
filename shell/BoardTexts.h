#pragma once

#include <QObject>

#include "shell/KeptGameKeeper.h"

class QLabel;
class QWidget;

// The lines shown over the board: the pause text, the first screen's hint
// on how to begin, and what became of a game kept from an earlier run.
class TBoardTexts : public QObject {
    Q_OBJECT
public:
    // Puts the lines on `window`, over its board, which owns them.
    explicit TBoardTexts(QWidget& window);

    void ShowPauseText(bool visible);
    void HideFirstHint();
    // What the first screen says of a game kept from an earlier run.
    void ShowKeptNews(TKeptGameKeeper::TNews news);
    TKeptGameKeeper::TNews KeptNews() const { return keptNews_; }
    // The lines in the current language.
    void ApplyTexts();

signals:
    // A click on the pause text, which counts as a click on the playfield.
    void PauseTextClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* pauseText_ = nullptr;
    QLabel* firstHint_ = nullptr;
    QLabel* keptHint_ = nullptr;
    TKeptGameKeeper::TNews keptNews_ = TKeptGameKeeper::TNews::None;
};
