// navelo-cli: the headless front end. Every structure the window shows can be
// printed, and long operations can be scripted.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/verbs.h"

int main(int argc, char** argv) {
    using namespace navelo::cli;
    CLI::App app{"Navelo: inspect and edit the navigation of a Blu-ray BDMV folder", "navelo-cli"};
    app.require_subcommand(1);
    CommonOptions options;
    app.add_flag("--markup", options.markup, "Print log lines with their markup tags");

    std::string dir;
    auto* load = app.add_subcommand("load", "Check and load a BDMV folder, printing the log");
    load->add_option("DIR", dir, "BDMV folder")->required();

    auto* show = app.add_subcommand("show", "Print what a tab shows: grids and labels");
    show->require_subcommand(1);
    show->add_flag("--json", options.json, "Print as JSON");
    auto* showIndex = show->add_subcommand("index", "Titles of index.bdmv");
    showIndex->add_option("DIR", dir, "BDMV folder")->required();
    auto* showMobj = show->add_subcommand("mobj", "Movie objects of MovieObject.bdmv with every command");
    showMobj->add_option("DIR", dir, "BDMV folder")->required();
    std::string playlistName;
    auto* showMpls = show->add_subcommand("mpls", "A PlayList: PlayItems, STN tables, SubPaths and marks");
    showMpls->add_option("DIR", dir, "BDMV folder")->required();
    showMpls->add_option("NAME", playlistName, "PlayList name without extension, e.g. 00001")->required();

    std::vector<std::string> files;
    std::string outDir;
    auto* resave = app.add_subcommand("resave", "Read and write files unchanged, comparing the bytes");
    resave->add_option("FILE", files, "Files to read and write again")->required();
    resave->add_option("-o,--output", outDir, "Folder for the written files")->required();

    std::size_t runObject = 0;
    std::uint64_t maxSteps = 1'000'000;
    auto* run = app.add_subcommand("run", "Run a movie object's commands and dump the registers");
    run->add_option("DIR", dir, "BDMV folder")->required();
    run->add_option("OBJECT", runObject, "Movie object number")->required();
    run->add_option("--max-steps", maxSteps, "Stop after this many commands")->capture_default_str();

    std::size_t exportObject = 0;
    std::string exportFile;
    bool exportBinary = false;
    auto* exportProgram = app.add_subcommand("export-program", "Save a movie object's commands as a program list");
    exportProgram->add_option("DIR", dir, "BDMV folder")->required();
    exportProgram->add_option("OBJECT", exportObject, "Movie object number")->required();
    exportProgram->add_option("-o,--output", exportFile, "The list file to write")->required();
    exportProgram->add_flag("--binary", exportBinary, "Write the raw 12-byte commands instead of the text list");

    const auto chapters = addChapterVerbs(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::fprintf(stderr, "%s\n\n%s", e.what(), app.help().c_str());
        return 2;
    }

    if (load->parsed()) return runLoad(dir, options);
    if (showIndex->parsed()) return runShowIndex(dir, options);
    if (showMobj->parsed()) return runShowMobj(dir, options);
    if (showMpls->parsed()) return runShowMpls(dir, playlistName, options);
    if (resave->parsed()) return runResave(files, outDir, options);
    if (run->parsed()) return runRun(dir, runObject, maxSteps, options);
    if (exportProgram->parsed()) return runExportProgram(dir, exportObject, exportFile, exportBinary);
    if (const auto status = chapters()) return *status;
    return 2;
}
