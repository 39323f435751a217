#include "shell/KeptGameKeeper.h"

#include "engine/GameEngine.h"
#include "records/PlayerRecords.h"

TKeptGameKeeper::TKeptGameKeeper(TGameEngine& engine, const TPlayerRecords& records)
    : engine_(engine), records_(records)
{
}

TKeptGameKeeper::TNews TKeptGameKeeper::TakeUp()
{
    const TKeptGameRecord::TRead read = records_.ReadKeptGame();
    if (read.Found == TKeptGameRecord::TFound::Dropped)
        return TNews::Dropped;
    if (read.Found == TKeptGameRecord::TFound::Nothing || !engine_.Restore(read.Game))
        return TNews::None;
    waiting_ = read.Game;
    return TNews::Waiting;
}

TKeptGameKeeper::TNews TKeptGameKeeper::Claim()
{
    if (!waiting_)
        return TNews::None;
    const TKeptGame game = *waiting_;
    waiting_.reset();
    if (records_.TakeKeptGame(game))
        return TNews::None;
    engine_.Keep();
    return TNews::GoneElsewhere;
}

void TKeptGameKeeper::Keep()
{
    if (waiting_) {
        waiting_.reset();
        engine_.Keep();
        return;
    }
    // Kept first: a game the store refuses to keep goes on.
    records_.KeepGame(engine_.Snapshot());
    engine_.Keep();
}
