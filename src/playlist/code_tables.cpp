#include "playlist/code_tables.h"

#include <algorithm>
#include <array>

namespace navelo {

namespace {

struct CodingType {
    std::uint8_t code;
    std::string_view name;
    CodingClass cls;
};

// The only stream coding types with a name; every other code is unnamed and classless.
constexpr std::array<CodingType, 15> kCodingTypes{{
    {0x02, "MPEG-2", CodingClass::Video},
    {0x1B, "AVC", CodingClass::Video},
    {0xEA, "VC1", CodingClass::Video},
    {0x80, "LPCM", CodingClass::Audio},
    {0x81, "DD", CodingClass::Audio},
    {0x82, "DTS", CodingClass::Audio},
    {0x83, "Dolby Lossless", CodingClass::Audio},
    {0x84, "DD+", CodingClass::Audio},
    {0x85, "DTS-HD ex. XLL", CodingClass::Audio},
    {0x86, "DTS-HD XLL", CodingClass::Audio},
    {0xA1, "DD+", CodingClass::Audio},
    {0xA2, "DTS-HD", CodingClass::Audio},
    {0x90, "PG", CodingClass::Graphics},
    {0x91, "IG", CodingClass::Graphics},
    {0x92, "Text", CodingClass::TextSubtitle},
}};

constexpr std::array<std::string_view, 256> kCodingTypeNames = [] {
    std::array<std::string_view, 256> names{};
    for (const auto& t : kCodingTypes) names[t.code] = t.name;
    return names;
}();

constexpr std::array<CodingClass, 256> kCodingTypeClasses = [] {
    std::array<CodingClass, 256> classes{};
    for (const auto& t : kCodingTypes) classes[t.code] = t.cls;
    return classes;
}();

constexpr std::array<std::string_view, 16> kVideoFormatNames{
    "-", "480i", "576i", "480p", "1080i", "720p", "1080p", "576p",
    "res.", "res.", "res.", "res.", "res.", "res.", "res.", "res.",
};

constexpr std::array<std::string_view, 16> kFrameRateNames{
    "-", "23.976", "24", "25", "29.97", "-", "50", "59.94",
    "res.", "res.", "res.", "res.", "res.", "res.", "res.", "res.",
};

constexpr std::array<FrameRateTiming, 16> kFrameRateTimings{{
    {0, 0},
    {1001, 24000},
    {1000, 24000},
    {1000, 25000},
    {1001, 30000},
    {0, 0},
    {1000, 50000},
    {1001, 60000},
}};

constexpr std::array<std::string_view, 16> kFrameRateTimingNames{
    "reserved", "23.976", "24", "25", "29.97", "reserved", "50", "59.94",
    "reserved", "reserved", "reserved", "reserved", "reserved", "reserved", "reserved", "reserved",
};

constexpr std::array<std::string_view, 16> kAudioPresentationNames{
    "-", "Mono", "-", "Stereo", "-", "-", "Multi-ch.", "-",
    "-", "-", "-", "-", "St.+M-ch.", "res.", "res.", "res.",
};

constexpr std::array<std::string_view, 16> kSoundChannelNames{
    "-", "Mono", "-", "Stereo", "-", "-", "-", "-",
    "-", "-", "-", "-", "-", "-", "-", "-",
};

constexpr std::array<std::string_view, 16> kSamplingFrequencyNames{
    "-", "48 kHz", "-", "-", "96 kHz", "192 kHz", "-", "-",
    "-", "-", "-", "-", "c:48/96, e:192 kHz", "-", "c:48, e:192 kHz", "res.",
};

constexpr std::array<std::string_view, 4> kStreamEntryTypeNames{"", "PlayItem", "SubPath", "IM PIP"};

constexpr std::array<std::string_view, 8> kSubPathTypeNames{
    "-", "-", "p. Audio", "IG menu", "Text sub", "OoM Sync", "OoM Async", "IM Sync",
};

constexpr std::array<std::string_view, 3> kMarkTypeNames{"", "entry-mark", "link point"};

constexpr std::array<std::string_view, 8> kApplicationTypeNames{
    "res.",
    "Main TS for a Movie",
    "Main TS for a Time based slide show",
    "Main TS for a Browsable slide show",
    "Sub TS for a Browsable slide show",
    "Sub TS for a Interactive Graphics menu",
    "Sub TS for a Text subtitle",
    "Sub TS for a one or more elementary streams path",
};

// "eng" heads the list so it is the first choice; it appears again in its
// alphabetical place, and lookups find the head. "nzi" stands before
// "nya".."nyo"; that order is kept so item positions stay as users know them.
constexpr std::array<std::string_view, 431> kLanguageCodes{
    "eng", "aar", "abk", "ace", "ach", "ada", "afa", "afh", "afr", "aka", "akk", "ale",
    "alg", "amh", "ang", "apa", "ara", "arc", "arn", "arp", "art", "arw", "asm", "ath",
    "aus", "ava", "ave", "awa", "aym", "aze", "bad", "bai", "bak", "bal", "bam", "ban",
    "bas", "bat", "bej", "bel", "bem", "ben", "ber", "bho", "bih", "bik", "bin", "bis",
    "bla", "bnt", "bod", "bra", "bre", "btk", "bua", "bug", "bul", "cad", "cai", "car",
    "cat", "cau", "ceb", "cel", "ces", "cha", "chb", "che", "chg", "chk", "chm", "chn",
    "cho", "chp", "chr", "chu", "chv", "chy", "cmc", "cop", "cor", "cos", "cpe", "cpf",
    "cpp", "cre", "crp", "cus", "cym", "dak", "dan", "day", "del", "den", "deu", "dgr",
    "din", "div", "doi", "dra", "dua", "dum", "dyu", "dzo", "efi", "egy", "eka", "ell",
    "elx", "eng", "enm", "epo", "est", "eus", "ewe", "ewo", "fan", "fao", "fas", "fat",
    "fij", "fin", "fiu", "fon", "fra", "frm", "fro", "fry", "ful", "fur", "gaa", "gay",
    "gba", "gem", "gez", "gil", "gla", "gle", "glg", "glv", "gmh", "goh", "gon", "gor",
    "got", "grb", "grc", "grn", "guj", "gwi", "hai", "hau", "haw", "heb", "her", "hil",
    "him", "hin", "hit", "hmn", "hmo", "hrv", "hun", "hup", "hye", "iba", "ibo", "ijo",
    "iku", "ile", "ilo", "ina", "inc", "ind", "ine", "ipk", "ira", "iro", "isl", "ita",
    "jaw", "jpn", "jpr", "jrb", "kaa", "kab", "kac", "kal", "kam", "kan", "kar", "kas",
    "kat", "kau", "kaw", "kaz", "kha", "khi", "khm", "kho", "kik", "kin", "kir", "kmb",
    "kok", "kom", "kon", "kor", "kos", "kpe", "kro", "kru", "kua", "kum", "kur", "kut",
    "lad", "lah", "lam", "lao", "lat", "lav", "lez", "lin", "lit", "lol", "loz", "ltz",
    "lua", "lub", "lug", "lui", "lun", "luo", "lus", "mad", "mag", "mah", "mai", "mak",
    "mal", "man", "map", "mar", "mas", "mdr", "men", "mga", "mic", "min", "mis", "mkd",
    "mkh", "mlg", "mlt", "mni", "mno", "moh", "mol", "mon", "mos", "mri", "msa", "mul",
    "mun", "mus", "mwr", "mya", "myn", "nah", "nai", "nau", "nav", "nbl", "nde", "ndo",
    "nep", "new", "nia", "nic", "niu", "nld", "non", "nor", "nso", "nub", "nzi", "nya",
    "nym", "nyn", "nyo", "oci", "oji", "ori", "orm", "osa", "oss", "ota", "oto", "paa",
    "pag", "pal", "pam", "pan", "pap", "pau", "peo", "phi", "phn", "pli", "pol", "pon",
    "por", "pra", "pro", "pus", "que", "raj", "rap", "rar", "roa", "roh", "rom", "ron",
    "run", "rus", "sad", "sag", "sah", "sai", "sal", "sam", "san", "sas", "sat", "sco",
    "sel", "sem", "sga", "shn", "sid", "sin", "sio", "sit", "sla", "slk", "slv", "smi",
    "smo", "sna", "snd", "snk", "sog", "som", "son", "sot", "spa", "sqi", "srd", "srp",
    "srr", "ssa", "ssw", "suk", "sun", "sus", "sux", "swa", "swe", "syr", "tah", "tai",
    "tam", "tat", "tel", "tem", "ter", "tet", "tgk", "tgl", "tha", "tig", "tir", "tiv",
    "tkl", "tli", "tmh", "tog", "ton", "tpi", "tsi", "tsn", "tso", "tuk", "tum", "tur",
    "tut", "tvl", "twi", "tyv", "uga", "uig", "ukr", "umb", "und", "urd", "uzb", "vai",
    "ven", "vie", "vol", "vot", "wak", "wal", "war", "was", "wen", "wol", "xho", "yao",
    "yap", "yid", "yor", "ypk", "zap", "zen", "zha", "zho", "znd", "zul", "zun",
};

constexpr std::array<std::string_view, 3> kVideoCodingItems{"MPEG-2", "AVC", "VC1"};
constexpr std::array<std::uint8_t, 3> kVideoCodingTypes{0x02, 0x1B, 0xEA};

constexpr std::array<std::string_view, 9> kAudioCodingItems{
    "LPCM", "DD", "DTS", "Dolby Lossless", "DD+", "DTS-HD ex. XLL", "DTS-HD XLL", "DD+", "DTS-HD",
};

constexpr std::array<std::string_view, 4> kStreamEntryTypeItems{"---", "PlayItem", "SubPath", "IM PIP"};
constexpr std::array<std::string_view, 2> kSubPathRepeatItems{"No", "Yes"};

constexpr std::array<std::string_view, 3> kVideoHints{
    "MPEG-2 video stream for Primary / Secondary video",
    "MPEG-4 AVC video stream for Primary / Secondary video",
    "SMPTE VC-1 video stream for Primary / Secondary video",
};

constexpr std::array<std::string_view, 9> kAudioHints{
    "HDMV LPCM audio stream for Primary audio",
    "Dolby Digital (AC-3) audio stream for Primary audio",
    "DTS audio stream for Primary audio",
    "Dolby Lossless audio stream for Primary audio",
    "Dolby Digital Plus audio stream for Primary audio",
    "DTS-HD audio stream except XLL for Primary audio",
    "DTS-HD audio stream XLL for Primary audio",
    "Dolby Digital Plus audio stream for Secondary audio",
    "DTS-HD audio stream for Secondary audio stream",
};

// Empty entries are presentation types without a hint of their own.
constexpr std::array<std::string_view, 13> kAudioPresentationHints{
    "", "single mono channel", "", "stereo (2-channel)", "", "", "multi-channel", "", "", "", "", "",
    "stereo (2-channel) and multi-channel for the DTS-HD/Dolby Lossless",
};

constexpr std::array<std::string_view, 4> kEntryTypeHints{
    "",
    "Identify an elementary stream of the Clip used by the PlayItem.",
    "Identify an elementary stream of the Clip used by a SubPath with SubPath_type set to 2,3,4,5 or 6 "
    "associated with the PlayItem.",
    "Identify an elementary stream of the Clip used by a SubPath with SubPath_type set to 7 (IM Sync) "
    "associated with the PlayItem.",
};

constexpr std::array<std::string_view, 8> kSubPathTypeHints{
    "reserved",
    "reserved",
    "Primary audio presentation path of the Browsable slideshow",
    "Interactive Graphics presentation menu",
    "Text subtitle presentation path",
    "Out-of-mux and Synchronous type of one or more elementary streams path",
    "Out-of-mux and Asynchronous type of Picture-in-Picture presentation path",
    "In-mux and Synchronous type of Picture-in-Picture presentation path",
};

template <typename T, std::size_t N>
T at(const std::array<T, N>& table, std::uint32_t code) {
    return code < N ? table[code] : T{};
}

template <std::size_t N>
std::optional<std::string_view> hintAt(const std::array<std::string_view, N>& hints, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) return std::nullopt;
    return hints[static_cast<std::size_t>(index)];
}

}  // namespace

std::span<const std::string_view> codingTypeNames() { return kCodingTypeNames; }
std::span<const std::string_view> videoFormatNames() { return kVideoFormatNames; }
std::span<const std::string_view> frameRateNames() { return kFrameRateNames; }
std::span<const FrameRateTiming> frameRateTimings() { return kFrameRateTimings; }
std::span<const std::string_view> frameRateTimingNames() { return kFrameRateTimingNames; }
std::span<const std::string_view> audioPresentationNames() { return kAudioPresentationNames; }
std::span<const std::string_view> soundChannelNames() { return kSoundChannelNames; }
std::span<const std::string_view> samplingFrequencyNames() { return kSamplingFrequencyNames; }
std::span<const std::string_view> streamEntryTypeNames() { return kStreamEntryTypeNames; }
std::span<const std::string_view> subPathTypeNames() { return kSubPathTypeNames; }
std::span<const std::string_view> markTypeNames() { return kMarkTypeNames; }
std::span<const std::string_view> applicationTypeNames() { return kApplicationTypeNames; }
std::span<const std::string_view> languageCodes() { return kLanguageCodes; }

std::string_view codingTypeName(std::uint32_t code) { return at(kCodingTypeNames, code); }
CodingClass codingTypeClass(std::uint32_t code) { return at(kCodingTypeClasses, code); }
std::string_view videoFormatName(std::uint32_t code) { return at(kVideoFormatNames, code); }
std::string_view frameRateName(std::uint32_t code) { return at(kFrameRateNames, code); }
FrameRateTiming frameRateTiming(std::uint32_t code) { return at(kFrameRateTimings, code); }
std::string_view frameRateTimingName(std::uint32_t code) { return at(kFrameRateTimingNames, code); }
std::string_view audioPresentationName(std::uint32_t code) { return at(kAudioPresentationNames, code); }
std::string_view soundChannelName(std::uint32_t code) { return at(kSoundChannelNames, code); }
std::string_view samplingFrequencyName(std::uint32_t code) { return at(kSamplingFrequencyNames, code); }
std::string_view streamEntryTypeName(std::uint32_t code) { return at(kStreamEntryTypeNames, code); }
std::string_view subPathTypeName(std::uint32_t code) { return at(kSubPathTypeNames, code); }
std::string_view markTypeName(std::uint32_t code) { return at(kMarkTypeNames, code); }
std::string_view applicationTypeName(std::uint32_t code) { return at(kApplicationTypeNames, code); }

int getlangind(std::string_view code) {
    const auto it = std::find(kLanguageCodes.begin(), kLanguageCodes.end(), code);
    return it == kLanguageCodes.end() ? -1 : static_cast<int>(it - kLanguageCodes.begin());
}

std::span<const std::string_view> videoCodingItems() { return kVideoCodingItems; }
std::span<const std::string_view> audioCodingItems() { return kAudioCodingItems; }
std::span<const std::string_view> videoFormatItems() { return std::span(kVideoFormatNames).first(8); }
std::span<const std::string_view> frameRateItems() { return std::span(kFrameRateNames).first(8); }
std::span<const std::string_view> audioPresentationItems() { return std::span(kAudioPresentationNames).first(13); }
std::span<const std::string_view> samplingFrequencyItems() { return std::span(kSamplingFrequencyNames).first(15); }
std::span<const std::string_view> streamEntryTypeItems() { return kStreamEntryTypeItems; }
std::span<const std::string_view> subPathTypeItems() { return kSubPathTypeNames; }
std::span<const std::string_view> subPathRepeatItems() { return kSubPathRepeatItems; }
std::span<const std::string_view> markTypeItems() { return std::span(kMarkTypeNames).subspan(1); }
std::span<const std::string_view> applicationTypeItems() { return kApplicationTypeNames; }

std::optional<std::uint8_t> videoCodingFromItem(int index) {
    if (index < 0 || index >= static_cast<int>(kVideoCodingTypes.size())) return std::nullopt;
    return kVideoCodingTypes[static_cast<std::size_t>(index)];
}

int videoCodingItem(std::uint32_t codingType) {
    const auto it = std::find(kVideoCodingTypes.begin(), kVideoCodingTypes.end(), codingType);
    return it == kVideoCodingTypes.end() ? -1 : static_cast<int>(it - kVideoCodingTypes.begin());
}

// The audio list runs over 0x80..0x86 and then jumps to the secondary audio
// types 0xA1, 0xA2, hence the two offsets.
std::optional<std::uint8_t> audioCodingFromItem(int index) {
    if (index < 0 || index >= static_cast<int>(kAudioCodingItems.size())) return std::nullopt;
    const int code = index + 128 <= 134 ? index + 128 : index + 154;
    return static_cast<std::uint8_t>(code);
}

// The offset is chosen by the coding type alone, so unnamed types in
// 0x9A..0xA0 land on items too; the list shows them as the item they hit.
int audioCodingItem(std::uint32_t codingType) {
    const std::int64_t index = codingType < 135 ? std::int64_t{codingType} - 128 : std::int64_t{codingType} - 154;
    return index >= 0 && index < static_cast<std::int64_t>(kAudioCodingItems.size()) ? static_cast<int>(index) : -1;
}

std::optional<std::uint8_t> markTypeFromItem(int index) {
    if (index < 0 || index >= static_cast<int>(markTypeItems().size())) return std::nullopt;
    return static_cast<std::uint8_t>(index + 1);
}

int markTypeItem(std::uint32_t markType) {
    return markType >= 1 && markType < kMarkTypeNames.size() ? static_cast<int>(markType) - 1 : -1;
}

std::optional<std::string_view> setvidhint(int index) { return hintAt(kVideoHints, index); }
std::optional<std::string_view> setaudhint(int index) { return hintAt(kAudioHints, index); }

std::optional<std::string_view> setautyhint(int index) {
    const auto hint = hintAt(kAudioPresentationHints, index);
    if (hint && hint->empty()) return std::nullopt;
    return hint;
}

std::optional<std::string_view> setenthint(int index) { return hintAt(kEntryTypeHints, index); }
std::optional<std::string_view> setSPThint(int index) { return hintAt(kSubPathTypeHints, index); }

}  // namespace navelo
