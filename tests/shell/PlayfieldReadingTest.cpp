#include <gtest/gtest.h>

#include <QAccessible>
#include <QToolButton>

#include "assets/Texts.h"
#include "engine/GameEngine.h"
#include "engine/HeadlessView.h"
#include "shell/MainForm.h"
#include "shell/PlayfieldBox.h"
#include "shell/PlayfieldReading.h"
#include "tests/shell/TongueGuard.h"

namespace {

// A game without a window, read as a screen reader reads it.
class PlayfieldReading : public ::testing::Test {
protected:
    PlayfieldReading() { engine.NewGame(); }

    THeadlessView view;
    TGameEngine engine{view, 7};
    TPlayfieldReading reading{engine};
    const TTongueGuard guard;
};

}  // namespace

TEST_F(PlayfieldReading, CellsSayTheirRowColumnAndLayersInTheLanguageOfTheMoment)
{
    engine.Board[BoardIndex(4, 2)] = 3;       // one layer
    engine.Board[BoardIndex(0, 8)] = 32 * 3;  // four
    struct Case {
        TTongue language;
        int column;
        int row;
        const char* said;
    };
    const Case cases[] = {
        {TTongue::English, 4, 2, "row 3, column 5, 1 layer"},
        {TTongue::English, 0, 8, "row 9, column 1, 4 layers"},
        {TTongue::English, 8, 0, "row 1, column 9, empty"},
        {TTongue::German, 4, 2, "Reihe 3, Spalte 5, 1 Schicht"},
        {TTongue::German, 0, 8, "Reihe 9, Spalte 1, 4 Schichten"},
        {TTongue::NotChosen, 8, 0, "row 1, column 9, empty"},
    };
    for (const Case& each : cases) {
        tongue = each.language;
        EXPECT_EQ(reading.Cell(each.column, each.row), QString::fromUtf8(each.said)) << each.said;
    }
    engine.Paused = true;  // the board shows empty while paused, and reads so
    tongue = TTongue::English;
    EXPECT_EQ(reading.Cell(4, 2), QStringLiteral("row 3, column 5, empty"));
}

TEST_F(PlayfieldReading, ThePieceSaysWhatItHoldsAndWhereItIsCarried)
{
    tongue = TTongue::English;
    engine.Piece.fill(CellCode::kEmpty);
    engine.Piece[PieceIndex(0, 0)] = 1;
    engine.Piece[PieceIndex(1, 1)] = 32 + 5;  // two layers
    engine.Piece[PieceIndex(2, 2)] = CellCode::kBomb;
    EXPECT_EQ(
        reading.Piece(),
        QStringLiteral(
            "Waiting piece: 3 tiles, 3 layers in all, with a bomb: top left, middle with 2 layers, bottom right bomb"));
    engine.Holding = true;
    view.Place.X = Geometry::CellLeft(2);  // the frame's top left over column 3, row 4
    view.Place.Y = Geometry::CellTop(3);
    EXPECT_EQ(reading.Piece(), QStringLiteral("Carried piece: over row 5, column 4, 3 tiles, 3 layers in all, with a "
                                              "bomb: top left, middle with 2 layers, bottom right bomb"));
}

TEST_F(PlayfieldReading, WhatHappensIsSaidOnceInPlainWords)
{
    tongue = TTongue::English;
    reading.Look();
    struct Step {
        const char* what;
        void (*change)(TGameEngine&);
        const char* said;
    };
    const Step steps[] = {
        {"a piece placed that clears two groups",
         [](TGameEngine& e) {
             ++e.Tally.PiecesPlaced;
             e.Tally.GroupsCleared += 2;
             e.Score += 24;
             ++e.Level;
         },
         "Piece placed, 2 groups cleared, 24 points, level 1"},
        {"nothing new", [](TGameEngine&) {}, ""},
        {"a piece placed for one point",
         [](TGameEngine& e) {
             ++e.Tally.PiecesPlaced;
             ++e.Score;
         },
         "Piece placed, 1 point"},
        {"the time past three quarters", [](TGameEngine& e) { e.TimeLeft = e.TimeLimit / 4; }, "Time is running out"},
        {"a pause", [](TGameEngine& e) { e.Paused = true; }, "Game paused"},
        {"the pause ends", [](TGameEngine& e) { e.Paused = false; }, "The game goes on"},
        {"the game lost", [](TGameEngine& e) { e.GameOver = true; }, "Game over, score 25"},
    };
    for (const Step& step : steps) {
        step.change(engine);
        EXPECT_EQ(reading.Look().Said, QString::fromUtf8(step.said)) << step.what;
    }
    engine.NewGame();  // a new game's fresh tally is no piece placed; its first piece is news
    EXPECT_EQ(reading.Look().Said, QStringLiteral("Next piece: ") + reading.Shape());
    tongue = TTongue::German;
    ++engine.Tally.PiecesPlaced;
    engine.Score += 2;
    EXPECT_EQ(reading.Look().Said, QStringLiteral("Stein gelegt, 2 Punkte"));
}

TEST(AccessibleWindow, HiddenTextsAreNotThereToBeReadAndTheBoardIsATableOfNamedCells)
{
    const TTongueGuard guard;
    TMainForm form(7);
    tongue = TTongue::English;
    form.ApplyTexts();
    const auto names = [&form] {
        QStringList found;
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
        for (int n = 0; n < window->childCount(); ++n)
            found << window->child(n)->text(QAccessible::Name);
        return found;
    };
    const QString pauseText = TextsFor(false).PauseText;
    EXPECT_FALSE(names().contains(pauseText));
    EXPECT_TRUE(names().contains(QStringLiteral("New game")));
    form.findChild<QToolButton*>(QStringLiteral("StartBtn"))->click();
    form.findChild<QToolButton*>(QStringLiteral("PauseBtn"))->click();
    EXPECT_TRUE(names().contains(pauseText)) << "shown while paused";

    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(form.findChild<TPlayfieldBox*>());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->text(QAccessible::Name), QStringLiteral("Playfield"));
    QAccessibleInterface* board = panel->child(0);
    ASSERT_EQ(board->role(), QAccessible::Table);
    QAccessibleTableInterface* table = board->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 9);
    EXPECT_EQ(table->columnCount(), 9);
    EXPECT_EQ(board->childCount(), 81);
    EXPECT_EQ(table->cellAt(2, 4)->text(QAccessible::Name), QStringLiteral("row 3, column 5, empty"));
    EXPECT_EQ(table->cellAt(2, 4)->tableCellInterface()->rowIndex(), 2);
}
