#include "records/LifetimeRecord.h"

#include <algorithm>
#include <limits>

#include "records/SettingsStore.h"

namespace {

const QString kSection = QStringLiteral("stats");
const QString kGamesPlayed = QStringLiteral("played");

// Every value of the record with its stored name.
template <typename Record, typename Visit>
void ForEachValue(Record& record, Visit visit)
{
    visit(kGamesPlayed, record.GamesPlayed);
    visit(QStringLiteral("timedout"), record.GamesTimedOut);
    visit(QStringLiteral("bestscore"), record.BestScore);
    visit(QStringLiteral("bestlevel"), record.BestLevel);
    visit(QStringLiteral("groups"), record.GroupsCleared);
    visit(QStringLiteral("mostgroups"), record.MostGroupsAtOnce);
    visit(QStringLiteral("milliseconds"), record.MillisecondsPlayed);
}

template <typename Count>
Count ReadCount(const TSettingsStore& store, const QString& name)
{
    bool ok = false;
    const qlonglong value = store.ReadString(kSection, name, QString()).toLongLong(&ok, 10);
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

void TLifetimeRecord::AddGame(int32_t score, int32_t level, int64_t groupsCleared, int32_t mostGroupsAtOnce,
                              int64_t millisecondsPlayed, bool timedOut)
{
    Raise(GamesPlayed, 1);
    if (timedOut)
        Raise(GamesTimedOut, 1);
    BestScore = std::max(BestScore, score);
    BestLevel = std::max(BestLevel, level);
    Raise(GroupsCleared, groupsCleared);
    MostGroupsAtOnce = std::max(MostGroupsAtOnce, mostGroupsAtOnce);
    Raise(MillisecondsPlayed, millisecondsPlayed);
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
    ForEachValue(*this, [&values](const QString& name, auto value) { values.emplace_back(name, QString::number(value)); });
    store.WriteStrings(kSection, values);
}

void TLifetimeRecord::CountGame(const TSettingsStore& store, int32_t score, int32_t level, int64_t groupsCleared,
                                int32_t mostGroupsAtOnce, int64_t millisecondsPlayed, bool timedOut)
{
    store.Update(kGamesPlayed, [&] {
        TLifetimeRecord record = Read(store);
        record.AddGame(score, level, groupsCleared, mostGroupsAtOnce, millisecondsPlayed, timedOut);
        record.Write(store);
    });
}
