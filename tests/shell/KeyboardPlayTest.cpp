#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "engine/PlayfieldGeometry.h"
#include "shell/GameSession.h"
#include "shell/KeyboardPlay.h"
#include "shell/MainForm.h"
#include "shell/ModalDialog.h"
#include "shell/PlayfieldBox.h"
#include "tests/shell/ModalAnswer.h"

namespace {

using Answers = TModalAnswers;
constexpr uint32_t kSeed = 7;

// ---- The mouse, as the window system hands it to the playfield ----------------

void SendMouse(TMainForm& form, QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    QWidget* box = form.findChild<TPlayfieldBox*>();
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, at, box->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(box, &event);
}

void MouseMove(TMainForm& form, QPoint at)
{
    SendMouse(form, QEvent::MouseMove, Qt::NoButton, at);
}

void MouseClick(TMainForm& form, Qt::MouseButton button, QPoint at)
{
    SendMouse(form, QEvent::MouseButtonPress, button, at);
    SendMouse(form, QEvent::MouseButtonRelease, button, at);
}

// The frame's top left on board cell (column, row), and the pointer that carries it there.
QPoint FrameAt(int column, int row)
{
    return {Geometry::CellLeft(column), Geometry::CellTop(row)};
}

QPoint PointerOver(int column, int row)
{
    return FrameAt(column, row) + QPoint(Geometry::kGrabOffsetX, Geometry::kGrabOffsetY);
}

void ClickToolButton(TMainForm& form, const char* name)
{
    form.findChild<QToolButton*>(QLatin1String(name))->click();
}

void Key(TMainForm& form, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(&form, Qt::Key(key), modifiers);
}

// ---- Situations -------------------------------------------------------------------

void Waiting(TMainForm& form)
{
    form.Session().Engine().NewGame();
}

void WaitingWithPoints(TMainForm& form)
{
    Waiting(form);
    form.Session().Engine().Score = 120;
}

// Picked up with the mouse and carried over board cell (column, row).
void CarriedTo(TMainForm& form, int column, int row)
{
    Waiting(form);
    MouseClick(form, Qt::LeftButton, {330, 60});
    MouseMove(form, PointerOver(column, row));
}

void Carried(TMainForm& form)
{
    CarriedTo(form, 4, 4);
}

void Paused(TMainForm& form)
{
    Carried(form);
    ClickToolButton(form, "PauseBtn");
}

// A one-tile piece in the middle of its frame, carried with its tile on the board's left edge.
void SingleTileAtLeftEdge(TMainForm& form)
{
    CarriedTo(form, -1, 4);
    form.Session().Engine().Piece.fill(CellCode::kEmpty);
    form.Session().Engine().Piece[PieceIndex(1, 1)] = 0;
}

// Carried where a full cell blocks it.
void CarriedOverAFullCell(TMainForm& form)
{
    Carried(form);
    for (int slot = 0; slot < kPieceSlots; ++slot) {
        if (CellCode::IsOccupied(form.Session().Engine().Piece[slot]))
            form.Session().Engine().Board[BoardIndex(4 + slot / kPieceSize, 4 + slot % kPieceSize)] =
                CellCode::kFullFrom;
    }
}

// ---- What the player can see of the game --------------------------------------------

struct TSnapshot {
    std::array<int32_t, kBoardCells> board;
    std::array<int32_t, kPieceSlots> piece;
    bool holding;
    bool paused;
    bool gameOver;
    int32_t score;
    int32_t level;
    int32_t timeLimit;
    QPoint piecePosition;
    bool soundOn;
    bool visible;
    std::vector<std::string> dialogs;
    bool operator==(const TSnapshot&) const = default;
};

void PrintTo(const TSnapshot& shot, std::ostream* out)
{
    *out << "holding " << shot.holding << ", paused " << shot.paused << ", over " << shot.gameOver << ", score "
         << shot.score << ", level " << shot.level << ", piece at (" << shot.piecePosition.x() << ", "
         << shot.piecePosition.y() << "), piece";
    for (int32_t code : shot.piece)
        *out << ' ' << code;
    *out << ", sound " << shot.soundOn << ", visible " << shot.visible << ", dialogs";
    for (const std::string& name : shot.dialogs)
        *out << ' ' << name;
}

TSnapshot Snap(TMainForm& form, std::vector<std::string> dialogs = {})
{
    const TGameEngine& engine = form.Session().Engine();
    return {engine.Board,
            engine.Piece,
            engine.Holding,
            engine.Paused,
            engine.GameOver,
            engine.Score,
            engine.Level,
            engine.TimeLimit,
            form.Session().PiecePosition(),
            form.findChild<QToolButton*>(QStringLiteral("Soundbtn"))->isChecked(),
            form.isVisible(),
            std::move(dialogs)};
}

// Every dialog that comes is closed with Cancel, and noted (a message box by its class).
Answers CancelEveryDialog()
{
    return Answers(std::vector<Answers::TAnswer>(4, Answers::Result(TModalDialog::Cancel)));
}

std::vector<std::string> Named(const std::vector<std::string>& seen)
{
    std::vector<std::string> names;
    for (const std::string& name : seen)
        names.push_back(name.empty() ? "message box" : name);
    return names;
}

struct TKeyCase {
    const char* name;
    std::function<void(TMainForm&)> arrange;
    int key;
    Qt::KeyboardModifiers modifiers;
    std::function<void(TMainForm&)> mouse;  // what the player does for the same with the mouse
    bool changesSomething;
};

std::vector<TKeyCase> KeyTable()
{
    const auto none = [](TMainForm&) {};
    const auto button = [](const char* name) { return [name](TMainForm& form) { ClickToolButton(form, name); }; };
    const auto dropHere = [](TMainForm& form) { MouseClick(form, Qt::LeftButton, PointerOver(4, 4)); };
    const auto throwAway = [](TMainForm& form) {
        MouseMove(form, {350, 85});
        MouseClick(form, Qt::LeftButton, {350, 85});
    };
    const auto moveTo = [](int column, int row) {
        return [column, row](TMainForm& form) { MouseMove(form, PointerOver(column, row)); };
    };
    const Qt::KeyboardModifiers plain = Qt::NoModifier;
    return {
        {"Ctrl+N starts a game", none, Qt::Key_N, Qt::ControlModifier, button("StartBtn"), true},
        {"Ctrl+N asks before giving up points", WaitingWithPoints, Qt::Key_N, Qt::ControlModifier, button("StartBtn"),
         true},
        {"P pauses", Waiting, Qt::Key_P, plain, button("PauseBtn"), true},
        {"Pause pauses a carried piece", Carried, Qt::Key_Pause, plain, button("PauseBtn"), true},
        {"P resumes like a click on the board", Paused, Qt::Key_P, plain,
         [](TMainForm& form) {
             MouseClick(form, Qt::LeftButton, {100, 100});
         },
         true},
        {"Ctrl+H shows the highscores", Waiting, Qt::Key_H, Qt::ControlModifier, button("HighScoreBtn"), true},
        {"F1 asks for the rules", none, Qt::Key_F1, plain, button("RulesBtn"), true},
        {"M switches the sound", Carried, Qt::Key_M, plain, button("Soundbtn"), true},
        {"Ctrl+Q asks to quit", Waiting, Qt::Key_Q, Qt::ControlModifier, button("ExitBtn"), true},
        {"Ctrl+L asks for the language", Waiting, Qt::Key_L, Qt::ControlModifier, button("TongueBtn"), true},
        {"Ctrl+I shows the info", Waiting, Qt::Key_I, Qt::ControlModifier, button("InfoBtn"), true},
        {"Enter picks the waiting piece up onto the middle", Waiting, Qt::Key_Return, plain,
         [](TMainForm& form) {
             MouseClick(form, Qt::LeftButton, {390, 120});
             MouseMove(form, PointerOver(3, 3));
         },
         true},
        {"Enter drops the carried piece", Carried, Qt::Key_Return, plain, dropHere, true},
        {"keypad Enter drops the carried piece", Carried, Qt::Key_Enter, Qt::KeypadModifier, dropHere, true},
        {"Enter where the piece does not fit does nothing", CarriedOverAFullCell, Qt::Key_Return, plain, dropHere,
         false},
        {"Left moves one cell", Carried, Qt::Key_Left, plain, moveTo(3, 4), true},
        {"Right moves one cell", Carried, Qt::Key_Right, plain, moveTo(5, 4), true},
        {"Up moves one cell", Carried, Qt::Key_Up, plain, moveTo(4, 3), true},
        {"Down moves one cell", Carried, Qt::Key_Down, plain, moveTo(4, 5), true},
        {"Left stops where a tile would leave the board", SingleTileAtLeftEdge, Qt::Key_Left, plain, none, false},
        {"Space turns the piece", Carried, Qt::Key_Space, plain,
         [](TMainForm& form) { MouseClick(form, Qt::RightButton, PointerOver(4, 4)); }, true},
        {"Delete throws the piece away", Carried, Qt::Key_Delete, plain, throwAway, true},
        {"Backspace throws the piece away", Carried, Qt::Key_Backspace, plain, throwAway, true},
        {"the arrows do nothing while paused", Paused, Qt::Key_Left, plain, moveTo(3, 4), false},
        {"Enter does nothing while no game runs", none, Qt::Key_Return, plain,
         [](TMainForm& form) {
             MouseClick(form, Qt::LeftButton, {390, 120});
         },
         false},
    };
}

TSnapshot AfterAction(const std::function<void(TMainForm&)>& arrange, const std::function<void(TMainForm&)>& action,
                      TSnapshot* before = nullptr)
{
    TMainForm form(kSeed);
    arrange(form);
    if (before != nullptr)
        *before = Snap(form);
    const Answers answers = CancelEveryDialog();
    action(form);
    return Snap(form, Named(answers.Seen()));
}

}  // namespace

TEST(KeyboardPlay, EachKeyDoesWhatItsMouseGestureDoes)
{
    for (const TKeyCase& row : KeyTable()) {
        SCOPED_TRACE(row.name);
        TSnapshot before;
        const TSnapshot byKey = AfterAction(
            row.arrange, [&](TMainForm& form) { Key(form, row.key, row.modifiers); }, &before);
        const TSnapshot byMouse = AfterAction(row.arrange, row.mouse);
        EXPECT_EQ(byKey, byMouse);
        EXPECT_EQ(byKey != before, row.changesSomething);
    }
}

TEST(KeyboardPlay, TheKeypadPlaysOnlyWhileNoAssistiveTechnologyListens)
{
    struct TCase {
        const char* name;
        std::function<void(TMainForm&)> arrange;
        int key;
        Qt::KeyboardModifiers modifiers;
        int mainKey;  // the main keyboard's key for the same
    };
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const Qt::KeyboardModifiers plain = Qt::NoModifier;
    const TCase cases[] = {
        {"keypad Enter picks up", Waiting, Qt::Key_Enter, keypad, Qt::Key_Return},
        {"keypad Enter drops", Carried, Qt::Key_Enter, keypad, Qt::Key_Return},
        {"keypad Left", Carried, Qt::Key_Left, keypad, Qt::Key_Left},
        {"keypad Right", Carried, Qt::Key_Right, keypad, Qt::Key_Right},
        {"keypad Up", Carried, Qt::Key_Up, keypad, Qt::Key_Up},
        {"keypad Down", Carried, Qt::Key_Down, keypad, Qt::Key_Down},
        {"Return", Waiting, Qt::Key_Return, plain, Qt::Key_Return},
        {"Left", Carried, Qt::Key_Left, plain, Qt::Key_Left},
        {"Space", Carried, Qt::Key_Space, plain, Qt::Key_Space},
    };
    for (const TCase& row : cases) {
        for (const bool listening : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (listening ? ", a screen reader listens" : ", none listens"));
            const auto pressed = [&](int key, Qt::KeyboardModifiers modifiers, TSnapshot* before) {
                return AfterAction(
                    row.arrange,
                    [&](TMainForm& form) {
                        form.findChild<TKeyboardPlay*>()->SetAssistiveTechnologyActive([=] { return listening; });
                        Key(form, key, modifiers);
                    },
                    before);
            };
            TSnapshot before;
            const TSnapshot byKey = pressed(row.key, row.modifiers, &before);
            const bool screenReadersKey = listening && row.modifiers.testFlag(Qt::KeypadModifier);
            EXPECT_EQ(byKey, screenReadersKey ? before : pressed(row.mainKey, plain, nullptr));
            EXPECT_EQ(byKey != before, !screenReadersKey);
        }
    }
}

TEST(KeyboardPlay, CtrlBHandsTheMakersSiteToTheDesktop)
{
    // A stand-in for xdg-open that notes what it was given instead of starting a browser.
    QTemporaryDir bin;
    const QString calls = bin.filePath(QStringLiteral("calls"));
    QFile handler(bin.filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(handler.open(QIODevice::WriteOnly));
    handler.write(QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\n").arg(calls).toUtf8());
    handler.close();
    handler.setPermissions(handler.permissions() | QFile::ExeOwner);
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + ':' + savedPath);

    TMainForm form(kSeed);
    Waiting(form);
    Key(form, Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.findChildren<QProcess*>().isEmpty(); }, 20000));
    qputenv("PATH", savedPath);

    QFile noted(calls);
    ASSERT_TRUE(noted.open(QIODevice::ReadOnly));
    EXPECT_EQ(noted.readAll(), QByteArray("https://www.blumogames.de/\n"));
}

TEST(KeyboardPlay, NoKeyActsWhileADialogIsOpen)
{
    for (const TKeyCase& row : KeyTable()) {
        SCOPED_TRACE(row.name);
        TMainForm form(kSeed);
        row.arrange(form);
        TSnapshot before;
        TSnapshot during;
        Answers answers({[&](QDialog& dialog) {
                             before = Snap(form);
                             Key(form, row.key, row.modifiers);
                             during = Snap(form);
                             dialog.done(TModalDialog::Cancel);
                         },
                         Answers::Result(TModalDialog::Cancel)});
        ClickToolButton(form, "InfoBtn");
        EXPECT_EQ(during, before);
        EXPECT_EQ(answers.Seen(), std::vector<std::string>{"InfoDialog"});
    }
}

TEST(KeyboardPlay, ArrowsReachEveryCellForATileAndNoFurther)
{
    TMainForm form(kSeed);
    SingleTileAtLeftEdge(form);
    std::set<std::pair<int, int>> reached;
    const auto tile = [&] {
        const QPoint at = form.Session().PiecePosition();
        return std::pair{Geometry::TargetColumn(at.x()) + 1, Geometry::TargetRow(at.y()) + 1};
    };
    for (int i = 0; i < kBoardSize + 2; ++i)
        Key(form, Qt::Key_Up);
    for (int row = 0; row < kBoardSize + 2; ++row) {
        const int across = row % 2 == 0 ? Qt::Key_Right : Qt::Key_Left;
        for (int step = 0; step < kBoardSize + 2; ++step) {
            reached.insert(tile());
            Key(form, across);
        }
        reached.insert(tile());
        Key(form, Qt::Key_Down);
    }
    EXPECT_EQ(reached.size(), size_t(kBoardCells));
    EXPECT_EQ(*reached.begin(), std::pair(0, 0));
    EXPECT_EQ(*reached.rbegin(), std::pair(kBoardSize - 1, kBoardSize - 1));
}

TEST(KeyboardPlay, TheKeysGoOnFromWhereTheMouseLeftThePiece)
{
    TMainForm form(kSeed);
    Waiting(form);
    Key(form, Qt::Key_Return);
    Key(form, Qt::Key_Right);
    ASSERT_EQ(form.Session().PiecePosition(), FrameAt(4, 3));
    // Off the grid by a few pixels: the next key puts it back on the nearest cell, one further down.
    MouseMove(form, PointerOver(1, 6) + QPoint(4, -3));
    Key(form, Qt::Key_Down);
    EXPECT_EQ(form.Session().PiecePosition(), FrameAt(1, 7));
    MouseMove(form, PointerOver(6, 2));
    EXPECT_EQ(form.Session().PiecePosition(), FrameAt(6, 2));
}

TEST(KeyboardPlay, ASeededGameClearsARowWithKeysAlone)
{
    TMainForm form(kSeed);
    TGameEngine& engine = form.Session().Engine();
    Key(form, Qt::Key_N, Qt::ControlModifier);
    ASSERT_FALSE(engine.GameOver);
    Key(form, Qt::Key_Return);
    Key(form, Qt::Key_Space);
    ASSERT_TRUE(engine.Holding);

    // A frame row whose slots hold tiles and no bomb, and the leftmost column
    // the frame can stand on with every tile on the board.
    int frameRow = -1;
    int firstColumn = kPieceSize;
    for (int j = 0; j < kPieceSize; ++j) {
        bool tiles = false;
        bool bomb = false;
        for (int i = 0; i < kPieceSize; ++i) {
            const int32_t code = engine.Piece[PieceIndex(i, j)];
            tiles = tiles || CellCode::IsTile(code);
            bomb = bomb || code == CellCode::kBomb;
            if (CellCode::IsOccupied(code))
                firstColumn = std::min(firstColumn, i);
        }
        if (tiles && !bomb && frameRow < 0)
            frameRow = j;
    }
    ASSERT_GE(frameRow, 0) << "the seed's first piece has no row of tiles alone";

    // The board row under that frame row, filled but for the cells the piece will cover.
    const int column = -firstColumn;
    const int row = 3 + frameRow;
    for (int c = 0; c < kBoardSize; ++c) {
        const int slot = c - column;
        const bool covered =
            slot >= 0 && slot < kPieceSize && CellCode::IsOccupied(engine.Piece[PieceIndex(slot, frameRow)]);
        if (!covered)
            engine.Board[BoardIndex(c, row)] = 0;
    }

    for (int c = 3; c > column; --c)
        Key(form, Qt::Key_Left);
    Key(form, Qt::Key_Return);

    EXPECT_GT(engine.Score, 0);
    for (int c = 0; c < kBoardSize; ++c)
        EXPECT_EQ(engine.Cell(c, row), CellCode::kEmpty) << "column " << c;
    EXPECT_FALSE(engine.Holding);
    EXPECT_EQ(form.Session().PiecePosition(), QPoint(Geometry::kPreviewLeft, Geometry::kPreviewTop));
}

TEST(KeyboardPlay, TabMovesBetweenTheButtonsOfEveryDialog)
{
    struct TRoute {
        const char* dialog;
        std::function<void(TMainForm&)> open;
    };
    const TRoute routes[] = {
        {"EndGameDlg", [](TMainForm& form) { Key(form, Qt::Key_Q, Qt::ControlModifier); }},
        {"GiveUpDlg",
         [](TMainForm& form) {
             WaitingWithPoints(form);
             Key(form, Qt::Key_N, Qt::ControlModifier);
         }},
        {"QuitGameDlg",
         [](TMainForm& form) {
             WaitingWithPoints(form);
             Key(form, Qt::Key_Q, Qt::ControlModifier);
         }},
        {"HighscoreDlg", [](TMainForm& form) { Key(form, Qt::Key_H, Qt::ControlModifier); }},
        {"InfoDialog", [](TMainForm& form) { ClickToolButton(form, "InfoBtn"); }},
        {"TongueDlg", [](TMainForm& form) { ClickToolButton(form, "TongueBtn"); }},
        {"GameOverDlg", [](TMainForm& form) { form.Session().ShowGameOverDlg(); }},
    };
    for (const TRoute& route : routes) {
        SCOPED_TRACE(route.dialog);
        TMainForm form(kSeed);
        std::set<QString> buttons;
        std::set<QString> reached;
        Answers answers({[&](QDialog& dialog) {
                             for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
                                 if (button->isVisibleTo(&dialog) && button->isEnabled())
                                     buttons.insert(button->objectName());
                             }
                             for (size_t i = 0; i <= buttons.size(); ++i) {
                                 QWidget* focus = dialog.focusWidget();
                                 if (focus != nullptr)
                                     reached.insert(focus->objectName());
                                 QTest::keyClick(focus != nullptr ? focus : &dialog, Qt::Key_Tab);
                             }
                             dialog.done(TModalDialog::Cancel);
                         },
                         Answers::Result(TModalDialog::Cancel)});
        route.open(form);
        ASSERT_FALSE(answers.Seen().empty());
        EXPECT_EQ(answers.Seen().front(), route.dialog);
        EXPECT_GE(buttons.size(), size_t(1));
        EXPECT_EQ(reached, buttons);
    }
}
