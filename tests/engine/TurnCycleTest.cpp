#include "tests/engine/EngineFixture.h"

using TurnCycle = EngineTest;

namespace {
void PickUp(TGameEngine& engine, TMouseButton button = TMouseButton::Left)
{
    engine.boxMouseDown(button, 330, 60);
}
}  // namespace

TEST_F(TurnCycle, TheTimeBarRunsDownFifteenUnitsPerTick)
{
    struct Case {
        int32_t limit;
        int ticksToEnd;
        int32_t afterFirst;
    };
    for (const Case& each : {Case{600, 40, 585}, Case{20, 2, 5}, Case{21, 2, 6}}) {
        StartGame();
        engine.TimeLimit = each.limit;
        engine.DealPiece();
        engine.Timer();
        EXPECT_EQ(engine.TimeLeft, each.afterFirst);
        for (int tick = 2; tick < each.ticksToEnd; ++tick)
            engine.Timer();
        EXPECT_FALSE(engine.GameOver) << "limit " << each.limit;
        engine.Timer();
        EXPECT_TRUE(engine.GameOver) << "limit " << each.limit;
    }
}

TEST_F(TurnCycle, TimeRunningOutOnAWaitingPieceEndsTheGame)
{
    StartGame();
    SetPiece({{0, 1}, {4, 2}, {8, 128}});
    engine.Score = 50;
    engine.TimeLeft = 15;
    view.Calls.clear();

    engine.Timer();

    EXPECT_TRUE(engine.GameOver);
    EXPECT_EQ(engine.Score, 23);
    EXPECT_EQ(view.Calls,
              (std::vector<std::string>{"DrawTimeBar", "ExplodePiece", "Hide", "DrawNumbers", "Hide", "GameEnded 1",
                                        "PlayEffect 3", "GameOverDlg", "HighscoreDlg 23 1"}));
    // After the end nothing moves until the next game.
    view.Calls.clear();
    engine.Timer();
    engine.Pause();
    PickUp(engine);
    EXPECT_TRUE(view.Calls.empty());
}

TEST_F(TurnCycle, TimeRunningOutOverAFittingPlacePlacesThePieceAndDealsAnother)
{
    StartGame();
    PickUp(engine);
    engine.boxMouseMove(100 + 35, 100 + 38);
    SetPiece({{0, 1}});
    engine.TimeLeft = 15;

    engine.Timer();

    EXPECT_FALSE(engine.GameOver);
    EXPECT_FALSE(engine.Holding);
    EXPECT_EQ(engine.Cell(Geometry::TargetColumn(100), Geometry::TargetRow(100)), 1);
    EXPECT_EQ(engine.TimeLeft, engine.TimeLimit);
    EXPECT_EQ(view.Place.X, 321);
    EXPECT_EQ(view.Place.Y, 53);
}

TEST_F(TurnCycle, TimeRunningOutOverTheDiscardZoneLosesThePiece)
{
    StartGame();
    PickUp(engine);
    engine.TimeLeft = 15;
    engine.Timer();
    EXPECT_TRUE(engine.GameOver);
    EXPECT_EQ(Count("ExplodePiece"), 1);
    // The lost piece was carried; the next new game lets go of it.
    EXPECT_TRUE(engine.Holding);
    view.Calls.clear();
    engine.Restart();
    EXPECT_EQ(view.Calls[0], "Release");
    EXPECT_FALSE(engine.Holding);
    EXPECT_FALSE(engine.GameOver);
}

TEST_F(TurnCycle, TimeRunningOutWhereThePieceDoesNotFitLosesIt)
{
    StartGame();
    engine.Board.fill(100);
    SetPiece({{0, 1}});
    PickUp(engine);
    engine.boxMouseMove(150, 150);
    engine.TimeLeft = 15;
    engine.Timer();
    EXPECT_TRUE(engine.GameOver);
}

TEST_F(TurnCycle, PressingOnThePieceGrabsItWithoutMovingIt)
{
    for (TMouseButton button : {TMouseButton::Left, TMouseButton::Right, TMouseButton::Other}) {
        StartGame();
        const auto piece = engine.Piece;
        PickUp(engine, button);
        EXPECT_TRUE(engine.Holding);
        EXPECT_EQ(view.Calls, std::vector<std::string>{"Grab 356 91"});
        EXPECT_EQ(engine.Piece, piece);
        // From the next move on the piece hangs from the grab point.
        engine.boxMouseMove(200, 150);
        EXPECT_EQ(view.Place.X, 165);
        EXPECT_EQ(view.Place.Y, 112);
    }
}

TEST_F(TurnCycle, PressingBesideTheWaitingPieceDoesNothing)
{
    StartGame();
    engine.boxMouseDown(TMouseButton::Left, 320, 60);
    engine.boxMouseDown(TMouseButton::Left, 396, 60);
    EXPECT_FALSE(engine.Holding);
    EXPECT_TRUE(view.Calls.empty());
}

TEST_F(TurnCycle, ASecondClickWithoutMovingThrowsThePieceAway)
{
    StartGame();
    SetPiece({{4, 3}});
    engine.Score = 20;
    PickUp(engine);
    PickUp(engine);
    EXPECT_EQ(engine.Score, 11);
    EXPECT_EQ(Count("PlayEffect wait 2"), 1);
    EXPECT_FALSE(engine.Holding);
}

TEST_F(TurnCycle, RightButtonTurnsACarriedPieceAndOtherButtonsDoNothing)
{
    StartGame();
    SetPiece({{PieceIndex(0, 0), 5}});
    PickUp(engine);
    engine.boxMouseMove(150, 150);
    view.Calls.clear();

    engine.boxMouseDown(TMouseButton::Other, 150, 150);
    EXPECT_TRUE(view.Calls.empty());

    engine.boxMouseDown(TMouseButton::Right, 150, 150);
    EXPECT_EQ(engine.Piece[PieceIndex(2, 0)], 5);
    EXPECT_TRUE(engine.Holding);
    engine.boxMouseMove(160, 150);
    EXPECT_EQ(view.Place.X, 125);  // still following the pointer
}

TEST_F(TurnCycle, ALeftClickWhereThePieceFitsPlacesClearsAndDeals)
{
    StartGame();
    FillCells(0, 0, 9, 1, 0);
    engine.Board[BoardIndex(4, 0)] = CellCode::kEmpty;
    SetPiece({{PieceIndex(0, 0), 2}});
    PickUp(engine);
    engine.boxMouseMove(Geometry::CellLeft(4) + Geometry::kGrabOffsetX, Geometry::CellTop(0) + Geometry::kGrabOffsetY);
    engine.TimeLeft = 100;

    engine.boxMouseDown(TMouseButton::Left, 0, 0);

    EXPECT_FALSE(engine.Holding);
    EXPECT_EQ(Count("PlayEffect 4"), 1);  // the top row
    EXPECT_EQ(engine.Cell(4, 0), CellCode::kEmpty);
    EXPECT_EQ(engine.Level, 1);
    EXPECT_EQ(engine.Score, 1 + 9 + 9);
    EXPECT_EQ(engine.TimeLeft, 597);
}

TEST_F(TurnCycle, ALeftClickWhereThePieceDoesNotFitChangesNothing)
{
    StartGame();
    engine.Board.fill(100);
    SetPiece({{PieceIndex(0, 0), 2}});
    PickUp(engine);
    engine.boxMouseMove(150, 150);
    const auto board = engine.Board;
    view.Calls.clear();
    engine.boxMouseDown(TMouseButton::Left, 150, 150);
    EXPECT_TRUE(engine.Holding);
    EXPECT_EQ(engine.Board, board);
    EXPECT_TRUE(view.Calls.empty());
}

TEST_F(TurnCycle, APauseHidesTheBoardAndFreezesTheTurnUntilAClick)
{
    StartGame();
    PickUp(engine);
    engine.boxMouseMove(150, 150);
    view.Calls.clear();

    engine.Pause();
    EXPECT_EQ(view.Calls, (std::vector<std::string>{"Paint", "ShowPauseText 1"}));
    EXPECT_TRUE(engine.Paused);

    view.Calls.clear();
    const int32_t timeLeft = engine.TimeLeft;
    engine.Timer();
    engine.Pause();
    engine.boxMouseMove(200, 200);
    engine.boxMouseDown(TMouseButton::Left, 200, 200);
    EXPECT_TRUE(view.Calls.empty());
    EXPECT_EQ(engine.TimeLeft, timeLeft);
    EXPECT_EQ(view.Place.X, 115);

    engine.boxClick();
    EXPECT_EQ(view.Calls, (std::vector<std::string>{"Paint", "ShowPauseText 0"}));
    EXPECT_FALSE(engine.Paused);
    engine.boxMouseMove(200, 200);
    EXPECT_EQ(view.Place.X, 165);  // jumps to the pointer
}

TEST_F(TurnCycle, AClickOutsideAPauseDoesNothing)
{
    StartGame();
    engine.boxClick();
    EXPECT_TRUE(view.Calls.empty());
}

TEST_F(TurnCycle, RestartWhileNoGameRunsStartsAtOnce)
{
    engine.Restart();
    EXPECT_FALSE(engine.GameOver);
    EXPECT_EQ(Count("GiveUpDlg"), 0);
    EXPECT_EQ(engine.Level, 0);
}

TEST_F(TurnCycle, RestartWithNoPointsStartsWithoutAsking)
{
    StartGame();
    engine.Level = 3;
    engine.Restart();
    EXPECT_EQ(Count("GiveUpDlg"), 0);
    EXPECT_EQ(engine.Level, 0);
}

TEST_F(TurnCycle, RestartWithPointsAndYesOffersTheScoreThenStartsAgain)
{
    StartGame();
    engine.Score = 77;
    PickUp(engine);
    view.GiveUpAnswer = true;
    view.Calls.clear();
    engine.Restart();
    EXPECT_EQ(std::vector<std::string>(view.Calls.begin(), view.Calls.begin() + 5),
              (std::vector<std::string>{"Release", "Hide", "GiveUpDlg", "GameEnded 0", "HighscoreDlg 77 1"}));
    EXPECT_EQ(engine.Score, 0);
    EXPECT_FALSE(engine.Holding);
}

TEST_F(TurnCycle, RestartRefusedLetsTheCarriedPieceFollowThePointerAgain)
{
    StartGame();
    engine.Score = 77;
    PickUp(engine);
    engine.boxMouseMove(150, 150);
    view.GiveUpAnswer = false;

    engine.Restart();

    EXPECT_EQ(engine.Score, 77);
    EXPECT_TRUE(engine.Holding);
    EXPECT_TRUE(view.Place.Visible);
    EXPECT_EQ(view.Place.X, 115);
    engine.boxMouseMove(160, 170);
    EXPECT_EQ(view.Place.X, 125);
    EXPECT_EQ(view.Place.Y, 132);
    EXPECT_EQ(Count("HighscoreDlg 77 1"), 0);
}

TEST_F(TurnCycle, RestartRefusedLeavesAWaitingPieceWhereItWas)
{
    StartGame();
    engine.Score = 5;
    view.GiveUpAnswer = false;
    engine.Restart();
    EXPECT_EQ(view.Calls, std::vector<std::string>{"GiveUpDlg"});
    EXPECT_FALSE(engine.Holding);
}

TEST_F(TurnCycle, RestartRefusedAfterTheTurnRanOutBehindTheQuestionKeepsTheLostPieceHidden)
{
    StartGame();
    engine.Score = 77;
    PickUp(engine);
    engine.boxMouseMove(150, 150);
    engine.Board.fill(96);  // nothing fits anywhere: the piece is lost when the time is up
    view.GiveUpAnswer = false;
    view.WhileAskingGiveUp = [this] {
        while (!engine.GameOver)
            engine.Timer();
    };

    engine.Restart();

    EXPECT_TRUE(engine.GameOver);
    EXPECT_FALSE(view.Place.Visible);
    EXPECT_FALSE(view.Place.Dragging);
    EXPECT_EQ(Count("Grab 356 91"), 1);  // only the pick-up, no grab after the question
}

TEST_F(TurnCycle, AGameEndsOnceWhetherLostOnTimeGivenUpOrReplacedWithoutPoints)
{
    struct Case {
        const char* how;
        int32_t score;
        int64_t piecesPlaced;
        bool turnRunsOutBehindTheQuestion;
        std::vector<std::string> ends;
    };
    const Case cases[] = {
        {"given up with points", 40, 3, false, {"GameEnded 0"}},
        {"replaced without points after a piece was placed", 0, 1, false, {"GameEnded 0"}},
        {"replaced before any piece was placed", 0, 0, false, {}},
        {"lost while the question was open", 40, 3, true, {"GameEnded 1"}},
    };
    for (const Case& each : cases) {
        StartGame();
        engine.Score = each.score;
        engine.Tally.PiecesPlaced = each.piecesPlaced;
        view.GiveUpAnswer = true;
        view.WhileAskingGiveUp = [&] {
            while (each.turnRunsOutBehindTheQuestion && !engine.GameOver)
                engine.Timer();
        };
        engine.Restart();
        EXPECT_EQ(view.Only("GameEnded"), each.ends) << each.how;
    }
    // Restarting after the end starts a game and ends none.
    engine.Restart();
    view.Calls.clear();
    engine.GameOver = true;
    engine.Restart();
    EXPECT_TRUE(view.Only("GameEnded").empty());
}

TEST_F(TurnCycle, LeavingWithoutAQuestionEndsAGameUnderWayOnceAndStopsTheTurn)
{
    struct Case {
        const char* how;
        int64_t piecesPlaced;
        bool leaveWhileTheScoreIsOffered;
        std::vector<std::string> ends;
    };
    const Case cases[] = {
        {"a game with a piece placed", 1, false, {"GameEnded 0"}},
        {"a game before its first piece", 0, false, {}},
        {"a game already given up, its score still offered", 2, true, {"GameEnded 0"}},
    };
    for (const Case& each : cases) {
        StartGame();
        engine.Tally.PiecesPlaced = each.piecesPlaced;
        PickUp(engine);
        if (each.leaveWhileTheScoreIsOffered) {
            engine.Score = 30;
            view.GiveUpAnswer = true;
            view.WhileOfferingScore = [this] { engine.Abandon(); };
            engine.Restart();
            view.WhileOfferingScore = nullptr;
        } else {
            engine.Abandon();
            EXPECT_TRUE(engine.GameOver) << each.how;
            EXPECT_FALSE(view.Place.Dragging) << each.how;
            const int32_t timeLeft = engine.TimeLeft;
            engine.Timer();
            EXPECT_EQ(engine.TimeLeft, timeLeft) << each.how;
        }
        engine.Abandon();
        EXPECT_EQ(view.Only("GameEnded"), each.ends) << each.how;
    }
}

TEST_F(TurnCycle, TheTallyCountsGroupsAndTheTicksThatRanAndStartsAfreshWithEachGame)
{
    StartGame();
    engine.Timer();
    engine.Timer();
    engine.Pause();
    engine.Timer();  // paused: no time passes
    engine.boxClick();
    engine.Timer();
    FillCells(0, 0, 9, 3, 5);  // three rows: ten groups at once
    engine.ClearGroups();
    FillCells(0, 0, 9, 1, 5);  // one row
    engine.ClearGroups();

    EXPECT_EQ(engine.Tally.RunningTicks, 3);
    EXPECT_EQ(engine.Tally.GroupsCleared, 11);
    EXPECT_EQ(engine.Tally.MostGroupsAtOnce, 10);
    SetPiece({{PieceIndex(0, 0), 1}});
    CarryOver(0, 0);
    ASSERT_TRUE(engine.PieceFits());
    engine.PlacePiece();
    EXPECT_EQ(engine.Tally.PiecesPlaced, 1);
    engine.NewGame();
    EXPECT_EQ(engine.Tally.PiecesPlaced, 0);
    EXPECT_EQ(engine.Tally.GroupsCleared, 0);
    EXPECT_EQ(engine.Tally.RunningTicks, 0);
}
