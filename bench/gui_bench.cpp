// Showing a movie object of 65,535 commands in the BDMV tab: the window must
// not freeze. Run with QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <filesystem>
#include <fstream>

#include "navigation/index_file.h"
#include "navigation/movie_object.h"
#include "ui/bdmv_tab.h"
#include "ui/main_window.h"

namespace fs = std::filesystem;
using namespace navelo;

namespace {

void put(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(p, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string makeFolder() {
    const fs::path root = fs::temp_directory_path() / "navelo-gui-bench" / "BIG" / "BDMV";
    for (const char* d : {"PLAYLIST", "CLIPINF", "STREAM", "BACKUP"}) fs::create_directories(root / d);
    TMOBJ m;
    Tmobject o;
    for (std::uint32_t i = 0; i < 65535; ++i) o.navigation_commands.push_back({0x50400001, i % 4096, i});
    o.number_of_navigation_commands = 65535;
    m.objects.mobjs = {o, Tmobject{}};
    m.objects.number_of_mobjs = 2;
    m.objects.length = static_cast<std::uint32_t>(movieObjectsContentLength(m.objects));
    put(root / "MovieObject.bdmv", writeMovieObject(m));
    TINDX x;
    x.indexes.Titles = {{1, 1, 0, 0, 0, {}}};
    x.indexes.number_of_Titles = 1;
    x.indexes.length = 38;
    put(root / "index.bdmv", writeIndex(x));
    return root.string() + "/";
}

void BM_ShowLargeObject(benchmark::State& state) {
    static const std::string folder = makeFolder();
    ui::MainWindow window({QString::fromStdString(folder)},
                          std::make_unique<QSettings>(QString::fromStdString(fs::temp_directory_path().string() + "/navelo-gui-bench/s.ini"),
                                                      QSettings::IniFormat));
    window.show();
    window.startUp();
    for (auto _ : state) {
        window.bdmvTab()->selectObject(1);
        window.bdmvTab()->selectObject(0);  // builds the 65,535 rows
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ShowLargeObject)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(fs::temp_directory_path() / "navelo-gui-bench");
    return 0;
}
