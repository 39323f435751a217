// A stored highscore row, deciphered and read, under every key: the score
// and name that come out go back into the same stored text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "records/Chiffre.h"
#include "records/HighscoreTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < sizeof(int32_t))
        return 0;
    int32_t key = 0;
    std::memcpy(&key, data, sizeof key);
    TChiffre chiffre;
    chiffre.Init(std::string(), key);
    const std::string stored(reinterpret_cast<const char*>(data) + sizeof key, size - sizeof key);
    THighscoreTable table;
    table.ReadRow(0, stored, chiffre);
    THighscoreTable again;
    again.ReadRow(0, table.StoredRow(0, chiffre), chiffre);
    if (again.Names[0] != table.Names[0] || again.Scores[0] != table.Scores[0])
        std::abort();
    if (chiffre.Decode(chiffre.Encode(stored)) != stored)
        std::abort();
    return 0;
}
