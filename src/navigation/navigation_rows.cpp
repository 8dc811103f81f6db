#include "navigation/navigation_rows.h"

#include <fmt/format.h>

#include "core/text.h"

namespace navelo {

namespace {

template <std::size_t N>
std::vector<std::string> headerOf(const std::array<std::string_view, N>& h) {
    return {h.begin(), h.end()};
}

}  // namespace

std::vector<std::string> objectRow(std::size_t index, const Tmobject& o) {
    return {zeroPad(index, 3), std::string(kResumeItems[o.resume_intention_flag & 1]),
            std::string(kMaskItems[o.menu_call_mask & 1]), std::string(kMaskItems[o.title_search_mask & 1]),
            std::to_string(o.number_of_navigation_commands)};
}

std::string_view objectTypeText(std::uint8_t objectType) {
    return objectType == 1 || objectType == 2 ? kObjectTypeItems[objectType - 1] : std::string_view{};
}

std::string_view accessTypeText(std::uint8_t accessType) {
    return accessType <= 1 ? kAccessTypeItems[0] : kAccessTypeItems[(accessType & 3) - 1];
}

std::string_view playbackTypeText(std::uint8_t playbackType) {
    return playbackType <= 1 ? kPlaybackTypeItems[playbackType] : std::string_view{};
}

std::vector<std::string> titleRow(const TIndexTitle& t) {
    return {zeroPad(static_cast<std::uint64_t>(t.title_number), 3), std::string(objectTypeText(t.object_type)),
            std::string(accessTypeText(t.access_type)), std::string(playbackTypeText(t.playback_type)),
            t.isHdmv() ? std::to_string(t.mobj_id_ref) : latin1ToUtf8(t.bdjo_file_name)};
}

std::string objectCountLabel(const TMOBJ& model) { return fmt::format("{} objects", model.objects.number_of_mobjs); }

std::string titleCountLabel(const TINDX& model) {
    const auto& x = model.indexes;
    const int on = (x.FirstPlayback.isOn() ? 1 : 0) + (x.TopMenu.isOn() ? 1 : 0);
    if (on > 0) return fmt::format("{} + {} titles", x.number_of_Titles, on);
    return fmt::format("{} titles", x.number_of_Titles);
}

GridText objectGrid(const TMOBJ& model) {
    GridText g{"sgObject", headerOf(kObjectGridHeader), {}};
    g.rows.reserve(model.objects.mobjs.size());
    for (std::size_t i = 0; i < model.objects.mobjs.size(); ++i) g.rows.push_back(objectRow(i, model.objects.mobjs[i]));
    return g;
}

GridText titleGrid(const TINDX& model) {
    GridText g{"sgTitles", headerOf(kTitleGridHeader), {}};
    for (const auto& t : model.indexes.Titles) g.rows.push_back(titleRow(t));
    return g;
}

GridText commandGrid(const Tmobject& object, CommandContext context) {
    GridText g{"sgCommands", headerOf(kCommandGridHeader), {}};
    g.rows.reserve(object.navigation_commands.size());
    for (std::size_t i = 0; i < object.navigation_commands.size(); ++i) {
        auto r = renderCommand(object.navigation_commands[i], i, context);
        g.rows.emplace_back(std::make_move_iterator(r.cells.begin()), std::make_move_iterator(r.cells.end()));
    }
    return g;
}

}  // namespace navelo
