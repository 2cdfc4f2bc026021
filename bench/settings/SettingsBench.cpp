// Saving a settings file whose [option] section holds many lines of its own:
// the save rewrites seven keys and must stay linear in the file's length.
#include "base/FileIO.h"
#include "settings/SettingsFile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void SaveSettingsWithLongSection(benchmark::State &state)
{
    const qint64 lines = state.range(0);
    QByteArray bytes("[option]\r\n");
    for (qint64 i = 0; i < lines; ++i)
        bytes.append("note").append(QByteArray::number(i)).append("=kept\r\n");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("yarnconfig.ini"));
    FileIO::writeWholeFile(path, bytes);
    SettingsValues values;
    for (auto _ : state) {
        values.minimizeToTray = !values.minimizeToTray;
        SettingsFile::save(path, values);
    }
    state.counters["lines"] = double(lines);
}
BENCHMARK(SaveSettingsWithLongSection)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
