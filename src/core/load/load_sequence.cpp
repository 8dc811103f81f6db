#include "core/load/load_sequence.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <unordered_map>

#include <fmt/format.h>

#include "core/field_reader.h"
#include "core/file_io.h"
#include "core/text.h"

namespace navelo {
namespace fs = std::filesystem;

std::string folderCheckLine(const std::string& name, bool present) {
    return "[bl]" + name + "[/bl] folder: " + (present ? "[b]OK[/b]" : "[re]missing[/re]");
}

std::string fileCheckLine(const std::string& name, bool present) {
    return name + ": " + (present ? "[b]OK[/b]" : "[re]missing[/re]");
}

namespace {

class LoadRun {
public:
    LoadRun(LoadedDisc& disc, Log& log) : d_(disc), log_(log), root_(disc.folder) {}

    bool checkFolder(const std::string& name) {
        const bool present = isFolder(root_ / name);
        log_.log(folderCheckLine(name, present));
        return present;
    }

    bool checkFile(const std::string& relative) {
        const bool present = isFile(root_ / relative);
        log_.log(fileCheckLine(relative, present));
        return present;
    }

    // Opens a present file; a failure ends the load with its message.
    std::optional<FieldReader> open(const std::string& relative) {
        auto reader = FieldReader::open(root_ / relative);
        if (!reader) {
            d_.aborted = reader.error();
            log_.erlog(reader.error().message);
            return std::nullopt;
        }
        return std::move(*reader);
    }

    std::vector<std::string> listNames(const std::string& folder, const std::string& suffix) {
        std::vector<std::string> names;
        for (const auto& f : listFiles(root_ / folder, suffix)) {
            log_.slog("Checking " + f.name, 1);
            names.push_back(withoutExtension(f.name));
        }
        return names;
    }

    void reportTruncation(const std::optional<Error>& e) {
        if (e) log_.erlog(e->describe());
    }

    bool readAll() {
        log_.dlog0(std::string("Reading ") + kMovieObjectFileName);
        {
            auto in = open(kMovieObjectFileName);
            if (!in) return false;
            auto read = readMovieObject(*in);
            if (!read) {
                log_.erlog(read.error().message);
            } else {
                d_.movieObject = std::move(read->model);
                d_.movieObjectRead = true;
                reportTruncation(read->truncated);
                log_.log(fmt::format("  Found [b]{}[/b] objects, {} extended entry.",
                                     d_.movieObject.objects.number_of_mobjs,
                                     d_.movieObject.extension.number_of_ext_data_entries));
            }
        }

        log_.dlog0("Reading playlists");
        d_.playlists = listNames("PLAYLIST", ".mpls");
        log_.log(fmt::format("  Found [b]{}[/b] playlists.", d_.playlists.size()));

        log_.dlog0("Reading clipinfos");
        d_.clips = listNames("CLIPINF", ".clpi");
        log_.log(fmt::format("  Found [b]{}[/b] clipinfos.", d_.clips.size()));

        if (isFolder(root_ / "BDJO")) {
            d_.bdjoFolder = true;
            d_.bdjoFiles = listNames("BDJO", "");
        }

        log_.dlog0(std::string("Reading ") + kIndexFileName);
        auto in = open(kIndexFileName);
        if (!in) return false;
        // Without readable movie objects the references are kept as the file holds them.
        std::optional<std::size_t> objects;
        if (d_.movieObjectRead) objects = d_.movieObject.objects.mobjs.size();
        auto read = readIndex(*in, objects);
        if (!read) {
            log_.erlog(read.error().message);
        } else if (read->titleCountError) {
            d_.index = std::move(read->model);
            d_.titleCountError = read->titleCountError;
            log_.log(fmt::format("Error in index.bdmv (number of title: {})", *read->titleCountError));
            return true;
        } else {
            d_.index = std::move(read->model);
            d_.indexRead = true;
            reportTruncation(read->truncated);
            log_.log(fmt::format("  Found [b]{}[/b] titles, {} extended entry.", d_.index.indexes.number_of_Titles,
                                 d_.index.extension.number_of_ext_data_entries));
        }
        log_.slogR();
        return true;
    }

    bool readSoundFile() {
        const bool aux = checkFolder("AUXDATA");
        const std::string relative = (fs::path("AUXDATA") / kSoundFileName).string();
        if (aux && checkFile(relative)) {
            d_.soundPresent = true;
            log_.dlog0(std::string("Reading ") + kSoundFileName);
            auto in = open(relative);
            if (!in) return false;
            auto read = readSound(*in);
            if (!read) {
                log_.erlog(read.error().message);
                d_.sound.index = {};
            } else {
                d_.sound = std::move(read->model);
                d_.soundRead = true;
                reportTruncation(read->truncated);
            }
            log_.log(soundFoundLine(d_.sound.index.entries.size()));
        }
        return true;
    }

    void takeStreamInventory() {
        checkFolder("STREAM");
        std::unordered_map<std::string, FolderEntry> byName;
        for (auto& f : listFiles(root_ / "STREAM", ".m2ts")) {
            std::string key = f.name;
            std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            byName.emplace(std::move(key), std::move(f));
        }
        std::size_t found = 0;
        d_.streams.reserve(d_.clips.size());
        for (const auto& clip : d_.clips) {
            std::string key = clip + ".m2ts";
            std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            auto it = byName.find(key);
            if (it != byName.end()) {
                d_.streams.push_back({it->second.name, it->second.size});
                ++found;
            } else {
                d_.streams.push_back({});
                log_.log("  Stream " + clip + ".m2ts [re]missing[/re]");
            }
        }
        std::string summary = fmt::format("  Found [b]{}[/b] AV streams", found);
        if (found < d_.clips.size()) summary += fmt::format(", [re]missing[/re] [b]{}[/b]", d_.clips.size() - found);
        log_.log(summary);
    }

    void run() {
        log_.log("Checking required files and directories...");
        bool all = true;
        for (const char* folder : {"PLAYLIST", "CLIPINF", "BACKUP"}) all = checkFolder(folder) && all;
        for (const char* file : {kIndexFileName, kMovieObjectFileName}) all = checkFile(file) && all;
        if (!all) {
            log_.log("[b]Check failed.[/b]");
            return;
        }
        d_.checkPassed = true;
        log_.slog("", 1);
        if (!readAll()) return;
        if (!readSoundFile()) return;
        d_.volumeTitle = volumeTitle(d_.folder);
        takeStreamInventory();
        for (const char* folder : {"META", "BDJO", "JAR"}) checkFolder(folder);
        log_.log("");
        log_.slogR();
    }

private:
    LoadedDisc& d_;
    Log& log_;
    fs::path root_;
};

}  // namespace

LoadedDisc loadDisc(const std::string& folderText, Log& log) {
    LoadedDisc disc;
    disc.folder = withTrailingSeparator(folderText);
    LoadRun(disc, log).run();
    return disc;
}

}  // namespace navelo
