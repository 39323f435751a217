#include "records/HighscoreStore.h"

#include <memory>

#include "records/Chiffre.h"
#include "records/GameSettings.h"
#include "records/Windows1252.h"

static_assert(TGameSettings::kRows == THighscoreTable::kRowCount);

namespace HighscoreStore {

THighscoreTable Read(const TChiffre& chiffre)
{
    const TGameSettings settings;
    THighscoreTable table;
    for (int row = 0; row < THighscoreTable::kRowCount; ++row)
        table.ReadRow(row, Windows1252::FromUnicode(settings.Row(row)), chiffre);
    return table;
}

int32_t Enter(const TChiffre& chiffre, int32_t score, const QString& player, bool clearing)
{
    // The update owns what it uses: it may run again later, after this returned.
    const auto entered = std::make_shared<int32_t>(-1);
    TGameSettings().UpdateRows([chiffre, score, player, clearing, entered] {
        THighscoreTable table = Read(chiffre);
        if (clearing)
            table.Clear();
        else if ((*entered = table.Insert(score, Windows1252::FromUnicode(player))) < 0)
            return;
        // The name and the ten rows go to disk together, so a kill halfway
        // cannot leave a table with a row lost.
        TGameSettings::TRows rows;
        for (int row = 0; row < THighscoreTable::kRowCount; ++row)
            rows[row] = Windows1252::ToUnicode(table.StoredRow(row, chiffre));
        TGameSettings().SetPlayerAndRows(player, rows);
    });
    return *entered;
}

}  // namespace HighscoreStore
