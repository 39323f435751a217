#pragma once

#include <QString>
#include <cstdint>

#include "records/HighscoreTable.h"
#include "records/KeptGameRecord.h"
#include "records/LifetimeRecord.h"
#include "records/SettingsStore.h"

class TChiffre;
struct TGameTally;

// What the store keeps of the player's games, for the windows that show or
// add to it: the highscore table with the name offered for the next entry,
// the lifetime record and the game kept between runs. Each call reads or
// writes the store at once, as the records it passes to do; writes throw
// EStoreError.
class TPlayerRecords {
public:
    // `chiffre` enciphers the highscore rows; it outlives this.
    explicit TPlayerRecords(const TChiffre& chiffre);

    // The name offered for the next highscore entry (TGameSettings::Player).
    QString Player() const;
    // The table as stored now (HighscoreStore::Read).
    THighscoreTable Highscores() const;
    // Offers `score` for `player`, or clears the table (HighscoreStore::Enter).
    int32_t EnterHighscore(int32_t score, const QString& player, bool clearing) const;

    TLifetimeRecord Lifetime() const;
    // Counts one game that has ended (TLifetimeRecord::CountGame).
    void CountGame(const TGameTally& tally, int32_t score, int32_t level, bool timedOut) const;

    // The game kept between runs (TKeptGameRecord).
    TKeptGameRecord::TRead ReadKeptGame() const;
    void KeepGame(const TKeptGame& game) const;
    bool TakeKeptGame(const TKeptGame& game) const;

private:
    const TChiffre& chiffre_;
    TSettingsStore store_;
};
