// Loading and saving a phrase list of a million entries, and one composition.
#include "base/ProgramFolder.h"
#include "compose/PhraseBook.h"
#include "compose/PhraseList.h"
#include "compose/RandomGenerator.h"
#include "compose/TweetComposer.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int millionEntries = 1000000;

// Writes a list file of a million entries, about 30 MB, and returns its path.
QString writeMillionEntryFile(const QTemporaryDir &dir)
{
    QByteArray bytes;
    bytes.reserve(millionEntries * 30);
    for (int i = 0; i < millionEntries; ++i)
        bytes.append("\xef\xee\xe4\xee\xe8\xf2\xfc \xea\xee\xf0\xee\xe2\xea\xf3 \xed\xee\xec\xe5\xf0 ")
            .append(QByteArray::number(i))
            .append("\r\n");
    const QString path = dir.filePath(QStringLiteral("actions.txt"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

void LoadMillionEntryList(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = writeMillionEntryFile(dir);
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
    PhraseList list;
    for (auto _ : state) {
        list.load(path);
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(LoadMillionEntryList)->Unit(benchmark::kMillisecond);

void SaveMillionEntryList(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = writeMillionEntryFile(dir);
    PhraseList list;
    list.load(path);
    for (auto _ : state)
        list.save(path);
}
BENCHMARK(SaveMillionEntryList)->Unit(benchmark::kMillisecond);

void ComposeOneTweet(benchmark::State &state)
{
    PhraseBook book;
    book.loadAll(ProgramFolder(QStringLiteral(SHIPPED_FOLDER)));
    RandomGenerator random;
    TweetComposer composer(book, random);
    const CompositionMode mode = state.range(0) ? CompositionMode::Account : CompositionMode::PlainName;
    for (auto _ : state)
        benchmark::DoNotOptimize(composer.compose(mode));
}
BENCHMARK(ComposeOneTweet)->Arg(1)->Arg(0)->Unit(benchmark::kNanosecond);

} // namespace

BENCHMARK_MAIN();
