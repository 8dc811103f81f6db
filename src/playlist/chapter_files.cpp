#include "playlist/chapter_files.h"

#include <algorithm>
#include <limits>

#include <fmt/format.h>

#include "core/file_io.h"
#include "core/text.h"
#include "playlist/layout_shift.h"
#include "playlist/mark_editing.h"
#include "playlist/time_text.h"

namespace navelo {

namespace {

constexpr std::uint64_t kMaxPosition = std::numeric_limits<std::uint32_t>::max();
// Longer digit runs are beyond any position in every format; refusing them
// early keeps the arithmetic below far from 64-bit overflow.
constexpr std::size_t kMaxDigits = 12;
constexpr std::size_t kShownLineChars = 40;

std::uint32_t duration(const TPlayItem& p) { return p.OUT_time - p.IN_time; }

std::string formatName(ChapterFormat f) { return std::string(kChapterFormatItems[static_cast<std::size_t>(f)]); }

// A line as an error message shows it: printable and not too long.
std::string shownLine(std::string_view line) {
    std::string s;
    for (char c : line.substr(0, kShownLineChars)) {
        const auto u = static_cast<unsigned char>(c);
        s += (u >= 0x20 && u < 0x7F) ? c : '?';
    }
    if (line.size() > kShownLineChars) s += "...";
    return s;
}

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::uint64_t digitsValue(std::string_view s) {
    std::uint64_t v = 0;
    for (char c : s) v = v * 10 + static_cast<std::uint64_t>(c - '0');
    return v;
}

// Why a line is not a position, or nothing; the position goes to `out`.
std::optional<std::string> readPosition(std::string_view line, ChapterFormat format, const FrameRateTiming& rate,
                                        std::uint32_t& out) {
    const std::string_view t = trimmed(line);
    std::uint64_t ticks = 0;
    if (format == ChapterFormat::Time) {
        const bool shape = t.size() == 12 && t[2] == ':' && t[5] == ':' && t[8] == '.' && allDigits(t.substr(0, 2)) &&
                           allDigits(t.substr(3, 2)) && allDigits(t.substr(6, 2)) && allDigits(t.substr(9, 3));
        if (!shape) return fmt::format("\"{}\" is not a time HH:MM:SS.mmm", shownLine(t));
        const std::uint64_t h = digitsValue(t.substr(0, 2)), mi = digitsValue(t.substr(3, 2)),
                            s = digitsValue(t.substr(6, 2)), ms = digitsValue(t.substr(9, 3));
        if (mi > 59 || s > 59) return fmt::format("\"{}\" is not a time HH:MM:SS.mmm", shownLine(t));
        ticks = h * 162000000u + mi * 2700000u + s * 45000u + ms * 45u;
    } else {
        std::string_view digits = t;
        if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
        const std::string_view what = format == ChapterFormat::PTS ? "tick count" : "frame count";
        if (!digits.empty() && digits.front() == '-' && allDigits(digits.substr(1))) {
            return fmt::format("{} is negative", shownLine(t));
        }
        if (!allDigits(digits)) return fmt::format("\"{}\" is not a {}", shownLine(t), what);
        if (digits.size() > kMaxDigits) return fmt::format("{} lies beyond the end of any PlayList", shownLine(t));
        const std::uint64_t v = digitsValue(digits);
        // A thousandth of a frame lasts numerator / denominator / 1000 s, that is 45 * numerator / denominator ticks.
        ticks = format == ChapterFormat::PTS ? v : v * 45u * rate.numerator / rate.denominator;
    }
    if (ticks > kMaxPosition) {
        return fmt::format("{} lies beyond the end of any PlayList (26:30:43.717, 4294967295 ticks)", shownLine(t));
    }
    out = static_cast<std::uint32_t>(ticks);
    return std::nullopt;
}

// Calls line(number, text) for every line; lines end in CR, LF or CR LF, and
// a last line needs no end. Stops when line returns false.
template <typename Line>
void forEachLine(std::string_view text, Line line) {
    std::size_t start = 0;
    std::size_t number = 1;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (!end && text[i] != '\r' && text[i] != '\n') continue;
        if (end && start == text.size()) return;
        if (!line(number++, text.substr(start, i - start))) return;
        if (!end && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
}

std::string lookupLine(std::size_t n, std::uint32_t c, std::uint64_t sum) {
    return fmt::format("{}: {} {}   {} {}", n, time2str(c), time2str(static_cast<std::uint32_t>(sum)), hexUpper(c, 8),
                       hexUpper(sum, 8));
}

}  // namespace

std::optional<ChapterFormat> chapterFormatFromName(std::string_view name) {
    std::string lower;
    for (char c : name) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower == "pts") return ChapterFormat::PTS;
    if (lower == "frame") return ChapterFormat::Frame;
    if (lower == "time") return ChapterFormat::Time;
    return std::nullopt;
}

std::string proposedChapterFileName(std::string_view playListName, ChapterFormat format) {
    static constexpr std::array<std::string_view, 3> kSuffixes = {"_PTS.txt", "_frame.txt", "_time.txt"};
    return fmt::format("chapter_{}{}", playListName, kSuffixes[static_cast<std::size_t>(format)]);
}

FrameRateTiming playListFrameRate(const TMPLS& m) {
    const auto& items = m.PlayList.PlayItems;
    if (items.empty() || items[0].STN_table.primary_video.empty()) return {};
    return frameRateTiming(items[0].STN_table.primary_video[0].attributes.frame_rate);
}

Expected<FrameRateTiming> chapterFrameRate(const TMPLS& m) {
    const FrameRateTiming rate = playListFrameRate(m);
    if (rate.hasRate() && rate.numerator != 0) return rate;
    const auto& items = m.PlayList.PlayItems;
    std::string why;
    if (items.empty()) {
        why = "the PlayList has no PlayItem";
    } else if (items[0].STN_table.primary_video.empty()) {
        why = "PlayItem 0 has no primary video stream";
    } else {
        const auto& a = items[0].STN_table.primary_video[0].attributes;
        why = fmt::format("the frame rate code {} of PlayItem 0's video stream ({}) has no timing", a.frame_rate,
                          frameRateTimingName(a.frame_rate));
    }
    return Error{{}, 0, {}, "The Frame format needs the PlayList's frame rate, but " + why};
}

Expected<std::vector<std::uint32_t>> markPositions(const TMPLS& m) {
    const auto& items = m.PlayList.PlayItems;
    // Start of every PlayItem on the timeline (32-bit, as the file's times are).
    std::vector<std::uint32_t> starts(items.size());
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        starts[i] = sum;
        sum += duration(items[i]);
    }
    std::vector<std::uint32_t> positions;
    const auto& marks = m.PlayListMark.marks;
    positions.reserve(marks.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const TMark& k = marks[i];
        if (k.ref_to_PlayItem_id >= items.size()) {
            return Error{{}, 0, fmt::format("PlayListMark/mark[{}]", i),
                         fmt::format("Mark {} refers to PlayItem {}, but the PlayList has {} PlayItem(s)", i,
                                     k.ref_to_PlayItem_id, items.size())};
        }
        positions.push_back(k.mark_time_stamp - items[k.ref_to_PlayItem_id].IN_time + starts[k.ref_to_PlayItem_id]);
    }
    return positions;
}

std::string chapterLine(std::uint32_t position, ChapterFormat format, const FrameRateTiming& rate) {
    switch (format) {
        case ChapterFormat::PTS: return std::to_string(position);
        case ChapterFormat::Frame:
            if (!rate.hasRate() || rate.numerator == 0) return {};
            return std::to_string(std::uint64_t{position} * rate.denominator / rate.numerator / 45);
        case ChapterFormat::Time: return time2str(position);
    }
    return {};
}

Expected<std::vector<std::uint8_t>> chapterFileBytes(const TMPLS& m, ChapterFormat format) {
    FrameRateTiming rate;
    if (format == ChapterFormat::Frame) {
        auto r = chapterFrameRate(m);
        if (!r) return r.error();
        rate = *r;
    }
    auto positions = markPositions(m);
    if (!positions) return positions.error();
    std::vector<std::uint8_t> out;
    for (std::uint32_t p : *positions) {
        const std::string line = chapterLine(p, format, rate);
        out.insert(out.end(), line.begin(), line.end());
        out.push_back(0x0D);
        out.push_back(0x0A);
    }
    return out;
}

Status exportChapterFile(const std::filesystem::path& path, const TMPLS& m, ChapterFormat format) {
    auto bytes = chapterFileBytes(m, format);
    if (!bytes) return bytes.error();
    return writeFileReplacing(path, *bytes);
}

Expected<std::vector<std::uint32_t>> parseChapterFile(std::span<const std::uint8_t> bytes, ChapterFormat format,
                                                      const FrameRateTiming& rate, std::string_view fileName) {
    if (format == ChapterFormat::Frame && (!rate.hasRate() || rate.numerator == 0)) {
        return Error{std::string(fileName), 0, {}, "The Frame format needs a frame rate"};
    }
    if (bytes.size() > kMaxChapterFileSize) {
        return Error{std::string(fileName), 0, {},
                     fmt::format("{} is too large for a chapter file ({} bytes, at most {})", fileName, bytes.size(),
                                 kMaxChapterFileSize)};
    }
    const std::string_view whole(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::string_view text = whole;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<std::uint32_t> positions;
    std::optional<Error> problem;
    forEachLine(text, [&](std::size_t number, std::string_view line) {
        if (trimmed(line).empty()) return true;
        const auto offset = static_cast<std::uint64_t>(line.data() - whole.data());
        if (positions.size() == kMaxChapters) {
            problem = Error{std::string(fileName), offset, {},
                            fmt::format("{} holds more than {} chapters", fileName, kMaxChapters)};
            return false;
        }
        std::uint32_t position = 0;
        if (auto why = readPosition(line, format, rate, position)) {
            problem = Error{std::string(fileName), offset, {},
                            fmt::format("{}, line {}: {} ({} format)", fileName, number, *why, formatName(format))};
            return false;
        }
        positions.push_back(position);
        return true;
    });
    if (problem) return *problem;
    return positions;
}

ChapterPlacement placeChapter(const TMPLS& m, std::uint32_t c, ChapterFormat format) {
    ChapterPlacement place;
    const auto& items = m.PlayList.PlayItems;
    if (items.empty()) return place;
    const bool timeFormat = format == ChapterFormat::Time;
    // The running end of the PlayItems summed so far; 64 bits, so that long
    // PlayLists do not wrap.
    std::uint64_t sum = 0;
    std::uint64_t adj = 0;
    std::size_t n = 0;
    bool beyond = false;
    if (c > 0) {
        for (;;) {
            if (sum < c) {
                if (n >= items.size()) {
                    beyond = true;
                    break;
                }
                sum += duration(items[n]);
                ++n;
            }
            // Time texts are cut to the millisecond: a boundary matches the millisecond it lies in.
            adj = timeFormat ? sum % 45 : 0;
            if (c == sum - adj) ++n;
            place.logLines.push_back(lookupLine(n, c, sum));
            if (!(c > sum - adj)) break;
            // Within the last part of a millisecond of PlayItem n - 1 (only a
            // position that is not a whole millisecond can be): it stays there.
            if (sum >= c) break;
        }
    } else {
        n = 1;
    }
    if (beyond || n > items.size()) {
        const std::size_t last = items.size() - 1;
        const TPlayItem& p = items[last];
        place.playItem = static_cast<std::uint16_t>(last);
        place.markTime = std::max(p.IN_time, p.OUT_time);
        place.beyondEnd = true;
        place.logLines.push_back(fmt::format("{} lies beyond the end of the last PlayItem: placed at its end, {}, {}",
                                             time2str(c), last, time2str(place.markTime)));
        return place;
    }
    const std::size_t k = n - 1;
    if (c != sum - adj) sum -= duration(items[k]);
    place.logLines.push_back(fmt::format("{}, {}", k, time2str(static_cast<std::uint32_t>(sum))));
    const TPlayItem& p = items[k];
    const std::int64_t t = std::int64_t{p.IN_time} + std::int64_t{c} - static_cast<std::int64_t>(sum);
    // Before the PlayItem (a boundary matched to the millisecond) or past what
    // 32 bits hold: the mark goes to the PlayItem's start.
    place.markTime = (t < std::int64_t{p.IN_time} || t > static_cast<std::int64_t>(kMaxPosition))
                         ? p.IN_time
                         : static_cast<std::uint32_t>(t);
    place.playItem = static_cast<std::uint16_t>(k);
    return place;
}

Expected<ChapterImport> importChapters(TMPLS& m, std::span<const std::uint8_t> bytes, ChapterFormat format,
                                       std::string_view fileName, Log& log) {
    FrameRateTiming rate;
    if (format == ChapterFormat::Frame) {
        auto r = chapterFrameRate(m);
        if (!r) return r.error();
        rate = *r;
    }
    auto positions = parseChapterFile(bytes, format, rate, fileName);
    if (!positions) return positions.error();
    ChapterImport result;
    if (positions->empty()) return result;
    if (m.PlayList.PlayItems.empty()) {
        return Error{std::string(fileName), 0, {}, "The PlayList has no PlayItem to place chapters on"};
    }

    std::vector<TMark> marks;
    marks.reserve(positions->size());
    for (std::uint32_t c : *positions) {
        ChapterPlacement place = placeChapter(m, c, format);
        for (const auto& line : place.logLines) log.log(line);
        if (place.beyondEnd) ++result.beyondEnd;
        TMark k;
        k.mark_type = 1;
        k.ref_to_PlayItem_id = place.playItem;
        k.mark_time_stamp = place.markTime;
        k.entry_ES_PID = kNoEntryPid;
        marks.push_back(k);
    }
    ensurePlayListMarkBlock(m);
    TPlayListMark& plm = m.PlayListMark;
    const std::uint32_t oldLength = plm.length;
    plm.marks = std::move(marks);
    plm.number_of_PlayList_marks = static_cast<std::uint16_t>(plm.marks.size());
    plm.length = static_cast<std::uint32_t>(playListMarkContentLength(plm));
    // The ExtensionData follows the block and moves with its length.
    if (m.ExtensionData_start_address != 0) {
        layout::add(m.ExtensionData_start_address, std::int64_t{plm.length} - std::int64_t{oldLength});
    }
    result.chapters = plm.marks.size();
    return result;
}

Expected<ChapterImport> importChapterFile(TMPLS& m, const std::filesystem::path& path, ChapterFormat format, Log& log) {
    auto bytes = readWholeFile(path, kMaxChapterFileSize);
    if (!bytes) return bytes.error();
    return importChapters(m, *bytes, format, path.filename().string(), log);
}

}  // namespace navelo
