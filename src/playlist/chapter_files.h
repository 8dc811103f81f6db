#pragma once
// Chapter files: the PlayListMarks as positions on the PlayList's own timeline
// (the time from the start of the first PlayItem, every PlayItem adding
// OUT_time - IN_time), one per line of a plain 8-bit text file, in one of three
// formats. Export writes every mark; import replaces every mark by the file's
// chapters, each placed on the PlayItem that holds it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "core/log.h"
#include "playlist/code_tables.h"
#include "playlist/playlist_model.h"

namespace navelo {

// The "Chapter format" option; the item index is the value.
enum class ChapterFormat { PTS = 0, Frame = 1, Time = 2 };
inline constexpr std::array<std::string_view, 3> kChapterFormatItems = {"PTS", "Frame", "Time"};

inline constexpr std::string_view kSaveChapterDialogTitle = "Save chapter file";
inline constexpr std::string_view kOpenChapterDialogTitle = "Open chapter file";
inline constexpr std::string_view kChapterFileFilter = "Text|*.txt";
inline constexpr std::string_view kLoadChaptersHint = "Load chapters";
inline constexpr std::string_view kSaveChaptersHint = "Save chapters";

// The largest chapter file read, and the most chapters it may hold (as many as
// the mark editor allows).
inline constexpr std::uint64_t kMaxChapterFileSize = 1024 * 1024;
inline constexpr std::size_t kMaxChapters = 999;

// "pts", "frame" or "time" in any case; nullopt for anything else.
std::optional<ChapterFormat> chapterFormatFromName(std::string_view name);
// "chapter_00001_PTS.txt", "chapter_00001_frame.txt", "chapter_00001_time.txt".
std::string proposedChapterFileName(std::string_view playListName, ChapterFormat format);

// ---- Frame rate of the Frame format ----

// The timing pair of the frame_rate of PlayItem 0's first primary video item;
// {0, 0} when there is none or its code has no pair.
FrameRateTiming playListFrameRate(const TMPLS& model);
// The same, or an Error saying why the PlayList has no rate for the Frame format.
Expected<FrameRateTiming> chapterFrameRate(const TMPLS& model);

// ---- Export ----

// The position of every mark in list order (32-bit arithmetic). A mark whose
// PlayItem does not exist is an Error naming the mark.
Expected<std::vector<std::uint32_t>> markPositions(const TMPLS& model);
// One line without its line end. Frame needs a rate (rate.hasRate()); without
// one the line is empty.
std::string chapterLine(std::uint32_t position, ChapterFormat format, const FrameRateTiming& rate);
// The whole file: one line per mark, each ended by CR LF. Errors: a mark
// without its PlayItem; the Frame format without a frame rate.
Expected<std::vector<std::uint8_t>> chapterFileBytes(const TMPLS& model, ChapterFormat format);
// chapterFileBytes written to path (replacing a file there); nothing is
// written when the bytes cannot be made.
Status exportChapterFile(const std::filesystem::path& path, const TMPLS& model, ChapterFormat format);

// ---- Import ----

// The positions of a chapter file's lines. Lines end in CR, LF or CR LF; blank
// lines are skipped and a UTF-8 byte order mark at the start is ignored. Each
// other line must hold exactly one position in the format (blanks around it
// allowed): PTS a tick count, Frame a count of thousandths of a frame, Time
// "HH:MM:SS.mmm"; the position must fit 32 bits. Anything else, or more than
// kMaxChapters chapters, is an Error naming the file (fileName) and line.
Expected<std::vector<std::uint32_t>> parseChapterFile(std::span<const std::uint8_t> bytes, ChapterFormat format,
                                                      const FrameRateTiming& rate, std::string_view fileName);

// Where a chapter position lands: the PlayItem that holds it and the mark time
// inside it. A position on a boundary goes to the later PlayItem (in the Time
// format matched to the millisecond). A position at or beyond the end of the
// last PlayItem is placed at the end of the last PlayItem (beyondEnd). Needs
// at least one PlayItem (without any it places nothing: playItem 0, time 0).
struct ChapterPlacement {
    std::uint16_t playItem = 0;
    std::uint32_t markTime = 0;
    bool beyondEnd = false;
    std::vector<std::string> logLines;  // the lookup's steps, as the log shows them
};
ChapterPlacement placeChapter(const TMPLS& model, std::uint32_t position, ChapterFormat format);

struct ChapterImport {
    std::size_t chapters = 0;   // marks now held; 0: the file had no chapters and nothing changed
    std::size_t beyondEnd = 0;  // chapters placed at the end of the last PlayItem
};

// Replaces every mark by the file's chapters: entry-marks with entry PID
// 0xFFFF and duration 0; the PlayListMark length, count and the ExtensionData
// start address follow. The lookup's lines go to the log. On an Error the
// model is unchanged. Errors: the file's problems (parseChapterFile); Frame
// without a frame rate; a PlayList without PlayItems.
Expected<ChapterImport> importChapters(TMPLS& model, std::span<const std::uint8_t> bytes, ChapterFormat format,
                                       std::string_view fileName, Log& log);
// The same for a file on disk (at most kMaxChapterFileSize bytes).
Expected<ChapterImport> importChapterFile(TMPLS& model, const std::filesystem::path& path, ChapterFormat format,
                                          Log& log);

}  // namespace navelo
