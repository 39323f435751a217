#pragma once

#include <QString>
#include <optional>

#include "engine/KeptGame.h"

class TSettingsStore;

// The game a player left to come back to, kept in a section of its own,
// "kept", beside the game's settings: the version it was kept by and the
// game as one enciphered line of numbers, as the highscore rows are
// enciphered. At most one game is kept; a copy of the game takes it when it
// goes on with it, so no game is played on twice.
class TKeptGameRecord {
public:
    enum class TFound {
        Nothing,  // no game is kept
        Game,     // a game to go on with
        Dropped,  // a kept game from another version, damaged, or one the
                  // rules could not have led to; it has been removed
    };
    struct TRead {
        TFound Found = TFound::Nothing;
        TKeptGame Game;
    };

    // Reads the kept game. What cannot be taken up whole is removed from the
    // store (the rest of the store stays as it is) and reads as Dropped; that
    // removal throws EStoreError when the system refuses it.
    static TRead Read(const TSettingsStore& store);
    // Keeps `game` in one replace of the section, in place of any kept
    // before. Throws EStoreError when the system refuses.
    static void Write(const TSettingsStore& store, const TKeptGame& game);
    // Takes `game` out of the store for this copy to go on with, as one
    // update: true when it was still kept there, false when another copy has
    // taken it meanwhile or kept another one (the store is then left alone).
    // Throws EStoreError when the system refuses.
    static bool Take(const TSettingsStore& store, const TKeptGame& game);

    // The line of numbers before enciphering: the 81 cells column by column,
    // the 9 slots, time left, level, score, the tally (groups, most at once,
    // ticks, pieces placed) and the random source (seed, draws), in decimal,
    // each followed by one blank.
    static QString Format(const TKeptGame& game);
    // Exactly such a line, every number within its type's range; no checks
    // of the rules here.
    static std::optional<TKeptGame> Parse(const QString& line);
};
