#include "records/PlayerRecords.h"

#include "records/GameSettings.h"
#include "records/HighscoreStore.h"

TPlayerRecords::TPlayerRecords(const TChiffre& chiffre) : chiffre_(chiffre) {}

QString TPlayerRecords::Player() const
{
    return TGameSettings().Player();
}

THighscoreTable TPlayerRecords::Highscores() const
{
    return HighscoreStore::Read(chiffre_);
}

int32_t TPlayerRecords::EnterHighscore(int32_t score, const QString& player, bool clearing) const
{
    return HighscoreStore::Enter(chiffre_, score, player, clearing);
}

TLifetimeRecord TPlayerRecords::Lifetime() const
{
    return TLifetimeRecord::Read(store_);
}

void TPlayerRecords::CountGame(const TGameTally& tally, int32_t score, int32_t level, bool timedOut) const
{
    TLifetimeRecord::CountGame(store_, tally, score, level, timedOut);
}

TKeptGameRecord::TRead TPlayerRecords::ReadKeptGame() const
{
    return TKeptGameRecord::Read(store_);
}

void TPlayerRecords::KeepGame(const TKeptGame& game) const
{
    TKeptGameRecord::Write(store_, game);
}

bool TPlayerRecords::TakeKeptGame(const TKeptGame& game) const
{
    return TKeptGameRecord::Take(store_, game);
}
