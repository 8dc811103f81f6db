#pragma once
// The user's choices kept between runs: window geometry, last folder, the
// Options tab and the Menu tab display switches. Read once at start-up and
// written once when the main window closes; in between the controls own them.
#include <cstdint>
#include <optional>

#include <QColor>
#include <QString>

class QSettings;

namespace navelo::ui {

// Colours are kept as 32-bit values with red in the low byte, green in the
// next and blue in the third, so stores written by older builds stay valid.
namespace colour {
inline constexpr std::int32_t Navy = 0x800000;
inline constexpr std::int32_t Silver = 0xC0C0C0;
inline constexpr std::int32_t Yellow = 0x00FFFF;
inline constexpr std::int32_t Red = 0x0000FF;
inline constexpr std::int32_t White = 0xFFFFFF;
inline constexpr std::int32_t Grey = 0x808080;
inline constexpr std::int32_t Black = 0x000000;
inline constexpr std::int32_t Lime = 0x00FF00;
}  // namespace colour

// Only the low three bytes carry the colour; the top byte is ignored.
QColor colourFromStored(std::int32_t stored);
std::int32_t colourToStored(const QColor& colour);

struct AppSettings {
    // Main window: 0 normal, 1 minimised, 2 maximised. A value missing from
    // the store leaves the window as it was created.
    std::optional<int> windowState;
    std::optional<int> top;
    std::optional<int> left;
    std::optional<int> width;
    std::optional<int> height;

    QString bdmvDir;          // "BDMVdir"
    QString backgroundPic;    // "BackgroundPic"
    bool autoRead = true;     // "AutoRead"
    bool backup = true;       // "Backup"
    bool saveBackupDir = false;  // "SaveBACKUP"
    int backupMode = 0;       // "BackupMode": 0 Only first, 1 Overwrite, 2 Stop if exists
    int region = 0;           // "Region": 0 A, 1 B, 2 C
    int objectHeight = 75;    // "ObjectHeight"
    int playListHeight = 176; // "PlayListHeight"
    int subPathHeight = 92;   // "SubPathHeight"
    int playListMarkHeight = 103;  // "PlayListMarkHeight"
    int chapterFormat = 0;    // "ChapterFormat": 0 PTS, 1 Frame, 2 Time
    int programFormat = 0;    // "ProgramFormat": 0 List, 1 Binary
    bool savePes = false;     // "SavePES"
    bool saveSup = true;      // "SaveSUP"
    bool buttonId = false;    // "ButtonId"
    bool objectId = false;    // "ObjectId"
    bool buttonFrame = false; // "ButtonFrame"
    bool windowFrame = false; // "WindowFrame"
    bool forcedBeep = true;   // "ForcedBeep"
    bool preLoad = true;      // "PreLoad"
    bool showInEffects = true;    // "ShowInEffects"
    bool showOutEffects = true;   // "ShowOutEffects"
    bool showButtonAnimation = false;  // "ShowButtonAnimation"
    bool showFullScreen = false;  // "ShowFullScreen"
    bool background = false;  // "Background"
    bool realPsrs = false;    // "RealPSRs"
    bool playSound = false;   // "PlaySound"
    int actiDelay = 500;      // "ActiDelay", milliseconds

    std::int32_t colBackground = colour::Navy;
    std::int32_t colObjectBackground = colour::Silver;
    std::int32_t colSelectedButton = colour::Yellow;
    std::int32_t colSelectedFrame = colour::Red;
    std::int32_t colNormalButton = colour::White;
    std::int32_t colNormalFrame = colour::Silver;
    std::int32_t colInvalidButton = colour::Grey;
    std::int32_t colInvalidFrame = colour::Black;
    std::int32_t colWindow = colour::Lime;

    std::uint16_t countryCode = 0x5553;  // "CountryCode", "US"

    // Reads every value present in the store; a missing value, or one that
    // cannot be read as its type (or lies outside its choices), keeps the default.
    static AppSettings load(QSettings& store);
    // Writes every value; the geometry only while the window is not maximised,
    // so the store keeps the place the window returns to when restored.
    void save(QSettings& store) const;

    bool operator==(const AppSettings&) const = default;
};

}  // namespace navelo::ui
