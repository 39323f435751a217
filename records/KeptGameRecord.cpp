#include "records/KeptGameRecord.h"

#include <QStringList>
#include <charconv>
#include <string>

#include "engine/GameEngine.h"
#include "records/Chiffre.h"
#include "records/SettingsStore.h"

namespace {

const QString kSection = QStringLiteral("kept");
const QString kVersion = QStringLiteral("version");
const QString kGame = QStringLiteral("game");

// Every number of a kept game in the order of its line.
template <typename Game, typename Visit>
void ForEachNumber(Game& game, Visit visit)
{
    for (auto& cell : game.Board)
        visit(cell);
    for (auto& slot : game.Piece)
        visit(slot);
    visit(game.TimeLeft);
    visit(game.Level);
    visit(game.Score);
    visit(game.Tally.GroupsCleared);
    visit(game.Tally.MostGroupsAtOnce);
    visit(game.Tally.RunningTicks);
    visit(game.Tally.PiecesPlaced);
    visit(game.Random.Seed);
    visit(game.Random.Draws);
}

QString Encipher(const QString& line)
{
    return QString::fromLatin1(TChiffre().Encode(line.toStdString()));
}

QString Decipher(const QString& line)
{
    return QString::fromStdString(TChiffre().Decode(line.toLatin1().toStdString()));
}

void Remove(const TSettingsStore& store)
{
    store.DeleteValue(kSection, kGame);
    store.DeleteValue(kSection, kVersion);
}

}  // namespace

QString TKeptGameRecord::Format(const TKeptGame& game)
{
    std::string line;
    ForEachNumber(game, [&line](auto number) { line += std::to_string(number) + ' '; });
    return QString::fromStdString(line);
}

std::optional<TKeptGame> TKeptGameRecord::Parse(const QString& line)
{
    const std::string text = line.toStdString();
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    TKeptGame game;
    bool whole = true;
    ForEachNumber(game, [&](auto& number) {
        if (!whole)
            return;
        const auto [next, error] = std::from_chars(at, end, number);
        whole = error == std::errc() && next != end && *next == ' ';
        at = next + 1;
    });
    if (!whole || at != end)
        return std::nullopt;
    return game;
}

TKeptGameRecord::TRead TKeptGameRecord::Read(const TSettingsStore& store)
{
    const QString version = store.ReadString(kSection, kVersion, QString());
    const QString line = store.ReadString(kSection, kGame, QString());
    if (version.isEmpty() && line.isEmpty())
        return {};
    const std::optional<TKeptGame> game =
        version == QString::number(TKeptGame::kVersion) ? Parse(Decipher(line)) : std::nullopt;
    if (!game || !TGameEngine::CouldBeKept(*game)) {
        store.Update(kGame, [&store] { Remove(store); });
        return {TFound::Dropped, {}};
    }
    return {TFound::Game, *game};
}

void TKeptGameRecord::Write(const TSettingsStore& store, const TKeptGame& game)
{
    const TSettingsStore::TValues values = {{kVersion, QString::number(TKeptGame::kVersion)},
                                            {kGame, Encipher(Format(game))}};
    store.Update(kGame, [&] { store.WriteStrings(kSection, values); });
}

bool TKeptGameRecord::Take(const TSettingsStore& store, const TKeptGame& game)
{
    bool taken = false;
    store.Update(kGame, [&] {
        const QString line = store.ReadString(kSection, kGame, QString());
        if (line.isEmpty() || Parse(Decipher(line)) != game)
            return;
        Remove(store);
        taken = true;
    });
    return taken;
}
