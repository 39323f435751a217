#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "engine/GameEngine.h"
#include "records/GameSettings.h"
#include "records/LifetimeRecord.h"

namespace {

// A settings store of `bytes`: the game's own values, then a section of
// values no copy of the game wrote. Either a few hundred bytes, as the game
// writes, or 50 MB, as a hostile disk may hold.
class TStoreOfSize {
public:
    explicit TStoreOfSize(qint64 bytes)
    {
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        QDir(config_.path()).mkpath(QStringLiteral("BlumoGames/Novagrid"));
        QFile file(TSettingsStore::Location());
        file.open(QIODevice::WriteOnly);
        file.write("[common]\nsound=1\ntongue=0\n[stats]\nplayed=3\n[other]\n");
        const QByteArray line = "key=" + QByteArray(95, 'x') + "\n";
        for (int at = 0; file.size() < bytes; ++at)
            file.write(QByteArray::number(at) + line);
    }

private:
    QTemporaryDir config_;
};

// What the game does at the end of each game and at quit: reading settings,
// counting the game into the lifetime record, writing the sound switch. A
// store far larger than any the game writes is neither parsed nor rewritten.
void UpdateStore(benchmark::State& state)
{
    const TStoreOfSize store(state.range(0));
    const TGameSettings settings;
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings.Tongue());
        try {
            TLifetimeRecord::CountGame(TSettingsStore(), TGameTally{}, 10, 1, false);
            settings.SetSound(true);
        } catch (const EStoreError&) {
        }
        TSettingsStore::FinishPending();
    }
    state.SetLabel(state.range(0) > 1024 * 1024 ? "50 MB store: read as empty, never written" : "the game's own store");
}
BENCHMARK(UpdateStore)->Arg(300)->Arg(50 * 1024 * 1024)->Unit(benchmark::kMillisecond);

}  // namespace
