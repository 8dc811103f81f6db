// Headless load of a large generated disc folder, and rendering a movie object
// of 65,535 commands into rows. Run: build/.../bench/navelo_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "core/load/load_sequence.h"
#include "core/log.h"
#include "core/field_reader.h"
#include "navigation/navigation_rows.h"

namespace fs = std::filesystem;
using namespace navelo;

namespace {

void put(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(p, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TMOBJ bigObject() {
    TMOBJ m;
    Tmobject o;
    std::mt19937 rng(1);
    for (int i = 0; i < 65535; ++i) {
        static const std::uint32_t ops[] = {0x50400001, 0x48400200, 0x22000000, 0x20810000, 0x51C00001, 0x12345678};
        const auto dst = static_cast<std::uint32_t>(rng() % 2 ? 0x80000010u : rng() % 4096);
        o.navigation_commands.push_back({ops[rng() % 6], dst, static_cast<std::uint32_t>(rng())});
    }
    o.number_of_navigation_commands = 65535;
    m.objects.mobjs.push_back(o);
    m.objects.number_of_mobjs = 1;
    m.objects.length = static_cast<std::uint32_t>(movieObjectsContentLength(m.objects));
    return m;
}

// A folder with 2,000 PlayLists, 2,000 clips and their streams.
struct BigDisc {
    fs::path root = fs::temp_directory_path() / "navelo-bench-disc";
    std::string bdmv;
    BigDisc() {
        fs::remove_all(root);
        const fs::path b = root / "BDMV";
        for (const char* d : {"PLAYLIST", "CLIPINF", "STREAM", "BACKUP"}) fs::create_directories(b / d);
        for (int i = 0; i < 2000; ++i) {
            put(b / "PLAYLIST" / fmt::format("{:05}.mpls", i), {0});
            put(b / "CLIPINF" / fmt::format("{:05}.clpi", i), {0});
            put(b / "STREAM" / fmt::format("{:05}.m2ts", i), {0});
        }
        TMOBJ m = bigObject();
        put(b / "MovieObject.bdmv", writeMovieObject(m));
        TINDX x;
        for (int i = 0; i < 999; ++i) x.indexes.Titles.push_back({i + 1, 1, 0, 0, 0, {}});
        x.indexes.number_of_Titles = 999;
        x.indexes.length = 26 + 12 * 999;
        put(b / "index.bdmv", writeIndex(x));
        bdmv = b.string() + "/";
    }
    ~BigDisc() { fs::remove_all(root); }
};

void BM_LoadLargeFolder(benchmark::State& state) {
    static BigDisc disc;
    NullLogSink sink;
    for (auto _ : state) {
        Log log(sink);
        auto loaded = loadDisc(disc.bdmv, log);
        benchmark::DoNotOptimize(loaded.streams.size());
    }
}
BENCHMARK(BM_LoadLargeFolder)->Unit(benchmark::kMillisecond);

// The floor the load is measured against: listing the folders and reading the two files.
void BM_ListAndReadOnly(benchmark::State& state) {
    static BigDisc disc;
    for (auto _ : state) {
        std::size_t n = 0;
        for (const char* d : {"PLAYLIST", "CLIPINF", "STREAM"}) {
            for (const auto& e : fs::directory_iterator(disc.bdmv + d)) n += e.file_size();
        }
        auto a = FieldReader::open(disc.bdmv + "MovieObject.bdmv");
        auto b = FieldReader::open(disc.bdmv + "index.bdmv");
        benchmark::DoNotOptimize(n + a->size() + b->size());
    }
}
BENCHMARK(BM_ListAndReadOnly)->Unit(benchmark::kMillisecond);

void BM_RenderLargeObject(benchmark::State& state) {
    const TMOBJ m = bigObject();
    for (auto _ : state) {
        auto grid = commandGrid(m.objects.mobjs[0], CommandContext::MovieObject);
        benchmark::DoNotOptimize(grid.rows.size());
    }
}
BENCHMARK(BM_RenderLargeObject)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
