#pragma once

#include <cstdint>

class TSettingsStore;
struct TGameTally;

// A player's record over every run of the game, kept in a section of its
// own, "stats", beside the game's settings. Nothing clears it: the
// highscore table's clearing leaves it, and a player who wants to start
// over deletes the section.
struct TLifetimeRecord {
    int64_t GamesPlayed = 0;    // every game that ended, lost or given up
    int64_t GamesTimedOut = 0;  // lost when the time ran out
    int32_t BestScore = 0;
    int32_t BestLevel = 0;
    int64_t GroupsCleared = 0;
    int32_t MostGroupsAtOnce = 0;    // in one placement
    int64_t MillisecondsPlayed = 0;  // while the turn ran: neither paused nor over

    // Counts one game that has ended, from the engine's tally of it and its
    // score and level at the end.
    void AddGame(const TGameTally& tally, int32_t score, int32_t level, bool timedOut);

    bool operator==(const TLifetimeRecord&) const = default;

    // A value that is missing, not a whole number, negative or out of range
    // (damaged, or written by something else) reads as 0.
    static TLifetimeRecord Read(const TSettingsStore& store);
    // Every value in one replace of the store; throws EStoreError when the
    // system refuses, leaving the old record whole.
    void Write(const TSettingsStore& store) const;

    // Counts one game that has ended into the record in `store`: reads it,
    // adds the game and writes it back as one update of the store, so that
    // copies of the game ending games at the same time count every one.
    // Throws EStoreError as Write does, or when another copy's update blocks
    // the store for seconds; the game is then kept and counted at a later
    // write (TSettingsStore::Update).
    static void CountGame(const TSettingsStore& store, const TGameTally& tally, int32_t score, int32_t level,
                          bool timedOut);
};
