#include "records/LifetimeRecord.h"

#include <algorithm>
#include <limits>

#include "engine/GameEngine.h"
#include "records/GameSettings.h"
#include "records/SettingsStore.h"

namespace {

using TKeys = TGameSettings::TStatsKeys;

// Every value of the record with its stored name.
template <typename Record, typename Visit>
void ForEachValue(Record& record, Visit visit)
{
    visit(TKeys::GamesPlayed, record.GamesPlayed);
    visit(TKeys::GamesTimedOut, record.GamesTimedOut);
    visit(TKeys::BestScore, record.BestScore);
    visit(TKeys::BestLevel, record.BestLevel);
    visit(TKeys::GroupsCleared, record.GroupsCleared);
    visit(TKeys::MostGroupsAtOnce, record.MostGroupsAtOnce);
    visit(TKeys::MillisecondsPlayed, record.MillisecondsPlayed);
}

template <typename Count>
Count ReadCount(const TSettingsStore& store, const QString& name)
{
    bool ok = false;
    const qlonglong value = store.ReadString(TKeys::Section, name, QString()).toLongLong(&ok, 10);
    if (!ok || value < 0 || value > std::numeric_limits<Count>::max())
        return 0;
    return static_cast<Count>(value);
}

// Adds without wrapping: a count at its largest stays there.
template <typename Count>
void Raise(Count& count, int64_t by)
{
    const int64_t room = std::numeric_limits<Count>::max() - count;
    count = static_cast<Count>(count + std::clamp<int64_t>(by, 0, room));
}

}  // namespace

void TLifetimeRecord::AddGame(const TGameTally& tally, int32_t score, int32_t level, bool timedOut)
{
    Raise(GamesPlayed, 1);
    if (timedOut)
        Raise(GamesTimedOut, 1);
    BestScore = std::max(BestScore, score);
    BestLevel = std::max(BestLevel, level);
    Raise(GroupsCleared, tally.GroupsCleared);
    MostGroupsAtOnce = std::max(MostGroupsAtOnce, tally.MostGroupsAtOnce);
    // Ticks past what 64 bits of milliseconds hold count as the most there is.
    const int64_t mostTicks = std::numeric_limits<int64_t>::max() / TGameEngine::kTickMilliseconds;
    Raise(MillisecondsPlayed, std::min(tally.RunningTicks, mostTicks) * TGameEngine::kTickMilliseconds);
}

TLifetimeRecord TLifetimeRecord::Read(const TSettingsStore& store)
{
    TLifetimeRecord record;
    ForEachValue(record, [&store](const QString& name, auto& value) {
        value = ReadCount<std::remove_reference_t<decltype(value)>>(store, name);
    });
    return record;
}

void TLifetimeRecord::Write(const TSettingsStore& store) const
{
    TSettingsStore::TValues values;
    ForEachValue(*this,
                 [&values](const QString& name, auto value) { values.emplace_back(name, QString::number(value)); });
    store.WriteStrings(TKeys::Section, values);
}

void TLifetimeRecord::CountGame(const TSettingsStore& store, const TGameTally& tally, int32_t score, int32_t level,
                                bool timedOut)
{
    // The update owns copies of everything: it may run again later.
    store.Update(TKeys::GamesPlayed, [store, tally, score, level, timedOut] {
        TLifetimeRecord record = Read(store);
        record.AddGame(tally, score, level, timedOut);
        record.Write(store);
    });
}
