#include <cstdio>
#include <filesystem>

#include "cli/cli_sink.h"
#include "cli/grid_output.h"
#include "cli/movie_object_input.h"
#include "cli/verbs.h"
#include "core/field_reader.h"
#include "core/folder_check.h"
#include "core/load/load_sequence.h"
#include "core/text.h"

namespace navelo::cli {
namespace fs = std::filesystem;

void printError(const std::string& message) { std::fprintf(stderr, "ERROR: %s\n", message.c_str()); }

int runLoad(const std::string& dir, const CommonOptions& options) {
    CliSink sink(stdout, options.markup);
    Log log(sink);
    const LoadedDisc disc = loadDisc(dir, log);
    return disc.checkPassed && !log.errorFlag() ? 0 : 1;
}

namespace {

nlohmann::json entryJson(const TIndexTitle& e) {
    nlohmann::json j = {{"object_type", e.object_type}, {"playback_type", e.playback_type}, {"on", e.isOn()}};
    if (e.isHdmv()) j["mobj_id_ref"] = e.mobj_id_ref;
    else j["bdjo_file_name"] = latin1ToUtf8(e.bdjo_file_name);
    return j;
}

std::optional<TMOBJ> readMovieObjectQuietly(const fs::path& dir) {
    auto in = FieldReader::open(dir / kMovieObjectFileName);
    if (!in) return std::nullopt;
    auto read = readMovieObject(*in);
    if (!read) return std::nullopt;
    return std::move(read->model);
}

}  // namespace

int runShowIndex(const std::string& dir, const CommonOptions& options) {
    ShowOutput out(options.json);
    int status = 0;
    std::optional<TINDX> model;
    auto in = FieldReader::open(fs::path(dir) / kIndexFileName);
    if (!in) {
        printError(in.error().message);
    } else {
        // Like the load, a first playback or top menu naming a missing object shows as off.
        const auto objects = readMovieObjectQuietly(dir);
        std::optional<std::size_t> count;
        if (objects) count = objects->objects.mobjs.size();
        auto read = readIndex(*in, count);
        if (!read) {
            printError(read.error().message);
        } else if (read->titleCountError) {
            printError("Error in index.bdmv (number of title: " + std::to_string(*read->titleCountError) + ")");
        } else {
            if (read->truncated) {
                printError(read->truncated->describe());
                status = 1;
            }
            model = std::move(read->model);
        }
    }
    if (!model) {
        out.grid(titleGrid(TINDX{}));
        out.label("eContent", "");
        out.label("lTitlenum", "");
        out.label("lIndexExtDat", "");
        out.print(stdout);
        return 1;
    }
    out.grid(titleGrid(*model));
    out.label("eContent", latin1ToUtf8(model->content_provider_user_data));
    out.label("lTitlenum", titleCountLabel(*model));
    out.label("lIndexExtDat", ExtDatCap(model->extension));
    out.extra("FirstPlayback", entryJson(model->indexes.FirstPlayback));
    out.extra("TopMenu", entryJson(model->indexes.TopMenu));
    out.print(stdout);
    return status;
}

int runShowMobj(const std::string& dir, const CommonOptions& options) {
    ShowOutput out(options.json);
    const auto input = readMovieObjectOf(dir);
    const int status = input && input->truncated ? 1 : 0;
    const TMOBJ* model = input ? &input->model : nullptr;
    if (!model) {
        out.grid(objectGrid(TMOBJ{}));
        out.label("lObjects", "");
        out.label("lObjExtDat", "");
        out.print(stdout);
        return 1;
    }
    out.grid(objectGrid(*model));
    out.label("lObjects", objectCountLabel(*model));
    out.label("lObjExtDat", ExtDatCap(model->extension));
    for (std::size_t i = 0; i < model->objects.mobjs.size(); ++i) {
        out.grid(commandGrid(model->objects.mobjs[i], CommandContext::MovieObject), std::to_string(i));
    }
    out.print(stdout);
    return status;
}

}  // namespace navelo::cli
