#pragma once

#include <QString>
#include <cstdint>

#include "records/HighscoreTable.h"

class TChiffre;

// The highscore table as the settings store keeps it: ten enciphered rows
// and the name of the player who entered last.
namespace HighscoreStore {

// The rows as stored now.
THighscoreTable Read(const TChiffre& chiffre);

// Offers `score` for `player` to the table as stored, or with `clearing`
// makes every row blank, and stores the table with the player's name, all
// as one update of the store: a row another copy of the game stores
// meanwhile stays. A score that no longer enters (other copies' rows have
// pushed it out meanwhile) stores nothing. Returns the row the score took,
// -1 for none or a clearing. A refused entry is kept and tried again
// (TSettingsStore::Update), so it is not lost; throws EStoreError as that does.
int32_t Enter(const TChiffre& chiffre, int32_t score, const QString& player, bool clearing);

}  // namespace HighscoreStore
