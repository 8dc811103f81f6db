// `chapters export` and `chapters import`: the PlayList tab's "Save chapters"
// and "Load chapters" buttons, with the PlayList saved the way the Save button
// saves it.
#include <cstdio>
#include <filesystem>
#include <string>

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include "cli/grid_output.h"
#include "cli/verbs.h"
#include "core/field_reader.h"
#include "core/file_io.h"
#include "core/markup.h"
#include "core/save.h"
#include "playlist/chapter_files.h"
#include "playlist/playlist_file.h"
#include "playlist/playlist_rows.h"

namespace navelo::cli {
namespace fs = std::filesystem;

namespace {

// The save step's log: its lines on stdout, error lines on stderr.
class SaveSink : public LogSink {
public:
    void appendLine(std::string_view markup) override {
        const std::string line = stripTags(markup) + "\n";
        std::fwrite(line.data(), 1, line.size(), line.rfind("ERROR: ", 0) == 0 ? stderr : stdout);
    }
    void setPanel(int, std::string_view) override {}
    void showErrorLook(std::string_view) override {}
};

fs::path playListPath(const std::string& dir, const std::string& name) {
    return fs::path(dir) / "PLAYLIST" / (name + ".mpls");
}

// A PlayList that reads in full, or nothing (the error printed).
std::optional<TMPLS> readWholePlayList(const fs::path& path) {
    auto in = FieldReader::open(path);
    if (!in) {
        printError(in.error().message);
        return std::nullopt;
    }
    auto read = readPlayList(*in);
    if (!read) {
        printError(read.error().message);
        return std::nullopt;
    }
    // A PlayList cut short can be neither exported faithfully nor saved.
    if (read->truncated) {
        printError(read->truncated->describe());
        return std::nullopt;
    }
    return std::move(read->model);
}

std::optional<ChapterFormat> formatOption(const std::string& format) {
    const auto f = chapterFormatFromName(format);
    if (!f) printError(fmt::format("Unknown chapter format \"{}\" (pts, frame or time)", format));
    return f;
}

}  // namespace

int runChaptersExport(const std::string& dir, const std::string& name, const std::string& format,
                      const std::string& outFile) {
    const auto f = formatOption(format);
    if (!f) return 2;
    const auto model = readWholePlayList(playListPath(dir, name));
    if (!model) return 1;
    const auto written = exportChapterFile(outFile, *model, *f);
    if (!written) {
        printError(written.error().message);
        return 1;
    }
    return 0;
}

int runChaptersImport(const std::string& dir, const std::string& name, const std::string& chapterFile,
                      const std::string& format, bool save) {
    const auto f = formatOption(format);
    if (!f) return 2;
    const fs::path path = playListPath(dir, name);
    auto model = readWholePlayList(path);
    if (!model) return 1;
    // The lookup's step lines are the window's log detail; here only the outcome is told.
    NullLogSink quiet;
    Log lookupLog(quiet);
    const auto imported = importChapterFile(*model, chapterFile, *f, lookupLog);
    if (!imported) {
        printError(imported.error().message);
        return 1;
    }
    const std::string fileName = fs::path(chapterFile).filename().string();
    if (imported->chapters == 0) {
        printError(fmt::format("{} holds no chapters: the marks are unchanged", fileName));
        return 1;
    }
    if (imported->beyondEnd > 0) {
        std::fprintf(stderr, "Note: %zu chapter(s) lay beyond the end of the last PlayItem and were placed at its end\n",
                     imported->beyondEnd);
    }
    if (!save) {
        ShowOutput out(false);
        out.grid(playListMarkGrid(*model));
        out.print(stdout);
        return 0;
    }
    const auto bytes = writePlayList(*model);
    if (!bytes) {
        printError(bytes.error().describe());
        return 1;
    }
    std::printf("%zu chapter(s) from %s imported into %s.mpls (%s format)\n", imported->chapters, fileName.c_str(),
                name.c_str(), std::string(kChapterFormatItems[static_cast<std::size_t>(*f)]).c_str());
    std::fflush(stdout);
    SaveSink sink;
    Log log(sink);
    const SaveTarget target{path.parent_path(), path.filename().string(), fs::path(dir), false};
    if (!saveDiscFile(log, SaveOptions{}, target, *bytes)) return 1;
    std::printf("%s written (%zu bytes)\n", path.filename().string().c_str(), bytes->size());
    return 0;
}

std::function<std::optional<int>()> addChapterVerbs(CLI::App& app) {
    struct Arguments {
        std::string dir, name, file, format = "pts", output;
        bool save = false;
    };
    auto args = std::make_shared<Arguments>();
    auto* chapters = app.add_subcommand("chapters", "Export or import a PlayList's marks as a chapter file");
    chapters->require_subcommand(1);
    const auto formats = CLI::IsMember({"pts", "frame", "time"}, CLI::ignore_case);

    auto* exportCmd = chapters->add_subcommand("export", "Write the PlayList's marks as a chapter file");
    exportCmd->add_option("DIR", args->dir, "BDMV folder")->required();
    exportCmd->add_option("NAME", args->name, "PlayList name without extension, e.g. 00001")->required();
    exportCmd->add_option("--format", args->format, "Chapter format: pts, frame or time")->check(formats)->capture_default_str();
    exportCmd->add_option("-o,--output", args->output, "The chapter file to write")->required();

    auto* importCmd = chapters->add_subcommand("import", "Replace the PlayList's marks by a chapter file's chapters");
    importCmd->add_option("DIR", args->dir, "BDMV folder")->required();
    importCmd->add_option("NAME", args->name, "PlayList name without extension, e.g. 00001")->required();
    importCmd->add_option("FILE", args->file, "The chapter file to read")->required();
    importCmd->add_option("--format", args->format, "Chapter format: pts, frame or time")->check(formats)->capture_default_str();
    importCmd->add_flag("--save", args->save, "Save the PlayList (with a backup) instead of printing its marks");

    return [args, exportCmd, importCmd]() -> std::optional<int> {
        if (exportCmd->parsed()) return runChaptersExport(args->dir, args->name, args->format, args->output);
        if (importCmd->parsed()) return runChaptersImport(args->dir, args->name, args->file, args->format, args->save);
        return std::nullopt;
    };
}

}  // namespace navelo::cli
