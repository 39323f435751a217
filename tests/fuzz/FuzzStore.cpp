// The settings store's file as a hostile disk may hold it: every value the
// game reads from it, read as the game reads it.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRect>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "records/Chiffre.h"
#include "records/GameSettings.h"
#include "records/HighscoreStore.h"
#include "records/LifetimeRecord.h"
#include "records/Placement.h"
#include "records/SettingsStore.h"

namespace {

QTemporaryDir& Config()
{
    static QTemporaryDir config;
    return config;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("XDG_CONFIG_HOME", Config().path().toLocal8Bit());
    QDir(Config().path()).mkpath(QStringLiteral("BlumoGames/Novagrid"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        QFile file(TSettingsStore::Location());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const TGameSettings settings;
    const int zoom = settings.Zoom();
    if (zoom < TGameSettings::kZoomAutomatic || zoom > TGameSettings::kLargestZoom)
        std::abort();
    settings.Tongue();
    settings.Sound();
    settings.AutoPause();
    settings.Player();
    Placement::RestoredTopLeft(settings.Placement(), {500, 366}, {0, 0, 1920, 1080});
    const THighscoreTable table = HighscoreStore::Read(TChiffre());
    for (const std::string& name : table.Names)
        if (name.size() > size && name != THighscoreTable::kBlankName)
            std::abort();
    const TLifetimeRecord record = TLifetimeRecord::Read(TSettingsStore());
    if (record.GamesPlayed < 0 || record.BestScore < 0 || record.MillisecondsPlayed < 0)
        std::abort();
    return 0;
}
