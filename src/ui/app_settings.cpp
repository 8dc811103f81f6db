#include "ui/app_settings.h"

#include <limits>

#include <QMetaType>
#include <QSettings>
#include <QVariant>

namespace navelo::ui {

QColor colourFromStored(std::int32_t stored) {
    const auto v = static_cast<std::uint32_t>(stored);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

std::int32_t colourToStored(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(rgb.red()) |
                                     (static_cast<std::uint32_t>(rgb.green()) << 8) |
                                     (static_cast<std::uint32_t>(rgb.blue()) << 16));
}

namespace {

// Text-based stores (the INI file on Linux) hand every value back as a string,
// while the registry keeps real integers, so both forms are accepted. Anything
// that is neither a 32-bit integer nor its text counts as missing.
std::optional<std::int32_t> readInteger(const QSettings& store, const QString& key) {
    const QVariant v = store.value(key);
    if (!v.isValid()) return std::nullopt;
    qlonglong n = 0;
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
            n = v.toLongLong();
            break;
        case QMetaType::QString: {
            bool ok = false;
            n = v.toString().trimmed().toLongLong(&ok, 10);
            if (!ok) return std::nullopt;
            break;
        }
        default:
            return std::nullopt;
    }
    // A 32-bit value may have been written signed or unsigned; both mean the same bits.
    if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
}

// Booleans are kept as the integers 0 and 1, and any other integer reads as
// true; "true"/"false" are also taken, as QSettings writes those for a bool.
std::optional<bool> readBoolean(const QSettings& store, const QString& key) {
    const QVariant v = store.value(key);
    if (!v.isValid()) return std::nullopt;
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    }
    if (const auto n = readInteger(store, key)) return *n != 0;
    return std::nullopt;
}

std::optional<QString> readText(const QSettings& store, const QString& key) {
    const QVariant v = store.value(key);
    if (!v.isValid() || v.typeId() != QMetaType::QString) return std::nullopt;
    return v.toString();
}

void readInt(const QSettings& store, const char* key, int& target) {
    if (const auto n = readInteger(store, QLatin1String(key))) target = *n;
}

void readOptionalInt(const QSettings& store, const char* key, std::optional<int>& target) {
    if (const auto n = readInteger(store, QLatin1String(key))) target = *n;
}

// An item index outside its group's choices would leave the group without a
// selection, which no part of the program expects; such a value keeps the default.
void readChoice(const QSettings& store, const char* key, int count, int& target) {
    if (const auto n = readInteger(store, QLatin1String(key)); n && *n >= 0 && *n < count) target = *n;
}

void readBool(const QSettings& store, const char* key, bool& target) {
    if (const auto b = readBoolean(store, QLatin1String(key))) target = *b;
}

void readString(const QSettings& store, const char* key, QString& target) {
    if (const auto s = readText(store, QLatin1String(key))) target = *s;
}

void readColour(const QSettings& store, const char* key, std::int32_t& target) {
    if (const auto n = readInteger(store, QLatin1String(key))) target = *n;
}

void writeInt(QSettings& store, const char* key, int value) { store.setValue(QLatin1String(key), value); }
void writeBool(QSettings& store, const char* key, bool value) {
    store.setValue(QLatin1String(key), value ? 1 : 0);
}
void writeString(QSettings& store, const char* key, const QString& value) {
    store.setValue(QLatin1String(key), value);
}

}  // namespace

AppSettings AppSettings::load(QSettings& store) {
    AppSettings s;
    readOptionalInt(store, "Width", s.width);
    readOptionalInt(store, "Height", s.height);
    readOptionalInt(store, "Top", s.top);
    readOptionalInt(store, "Left", s.left);
    std::optional<int> state;
    readOptionalInt(store, "WindowState", state);
    if (state && *state >= 0 && *state <= 2) s.windowState = state;
    readString(store, "BDMVdir", s.bdmvDir);
    readString(store, "BackgroundPic", s.backgroundPic);
    readBool(store, "AutoRead", s.autoRead);
    readBool(store, "Backup", s.backup);
    readBool(store, "SaveBACKUP", s.saveBackupDir);
    readChoice(store, "BackupMode", 3, s.backupMode);
    readChoice(store, "Region", 3, s.region);
    readInt(store, "ObjectHeight", s.objectHeight);
    readInt(store, "PlayListHeight", s.playListHeight);
    readInt(store, "SubPathHeight", s.subPathHeight);
    readInt(store, "PlayListMarkHeight", s.playListMarkHeight);
    readChoice(store, "ChapterFormat", 3, s.chapterFormat);
    readChoice(store, "ProgramFormat", 2, s.programFormat);
    readBool(store, "SavePES", s.savePes);
    readBool(store, "SaveSUP", s.saveSup);
    readBool(store, "ButtonId", s.buttonId);
    readBool(store, "ObjectId", s.objectId);
    readBool(store, "ButtonFrame", s.buttonFrame);
    readBool(store, "WindowFrame", s.windowFrame);
    readBool(store, "ForcedBeep", s.forcedBeep);
    readBool(store, "PreLoad", s.preLoad);
    readBool(store, "ShowInEffects", s.showInEffects);
    readBool(store, "ShowOutEffects", s.showOutEffects);
    readBool(store, "ShowButtonAnimation", s.showButtonAnimation);
    readBool(store, "ShowFullScreen", s.showFullScreen);
    readBool(store, "Background", s.background);
    readBool(store, "RealPSRs", s.realPsrs);
    readBool(store, "PlaySound", s.playSound);
    readColour(store, "colBackground", s.colBackground);
    readColour(store, "colObjectBackground", s.colObjectBackground);
    readColour(store, "colSelectedButton", s.colSelectedButton);
    readColour(store, "colSelectedFrame", s.colSelectedFrame);
    readColour(store, "colNormalButton", s.colNormalButton);
    readColour(store, "colNormalFrame", s.colNormalFrame);
    readColour(store, "colInvalidButton", s.colInvalidButton);
    readColour(store, "colInvalidFrame", s.colInvalidFrame);
    readColour(store, "colWindow", s.colWindow);
    readInt(store, "ActiDelay", s.actiDelay);
    // The field holds four hexadecimal digits; a wider value cannot be shown.
    if (const auto n = readInteger(store, QStringLiteral("CountryCode")); n && *n >= 0 && *n <= 0xFFFF)
        s.countryCode = static_cast<std::uint16_t>(*n);
    return s;
}

void AppSettings::save(QSettings& store) const {
    const int state = windowState.value_or(0);
    writeInt(store, "WindowState", state);
    if (state != 2) {
        if (top) writeInt(store, "Top", *top);
        if (left) writeInt(store, "Left", *left);
        if (width) writeInt(store, "Width", *width);
        if (height) writeInt(store, "Height", *height);
    }
    writeString(store, "BDMVdir", bdmvDir);
    writeString(store, "BackgroundPic", backgroundPic);
    writeBool(store, "AutoRead", autoRead);
    writeBool(store, "Backup", backup);
    writeBool(store, "SaveBACKUP", saveBackupDir);
    writeInt(store, "BackupMode", backupMode);
    writeInt(store, "Region", region);
    writeInt(store, "ObjectHeight", objectHeight);
    writeInt(store, "PlayListHeight", playListHeight);
    writeInt(store, "SubPathHeight", subPathHeight);
    writeInt(store, "PlayListMarkHeight", playListMarkHeight);
    writeInt(store, "ChapterFormat", chapterFormat);
    writeInt(store, "ProgramFormat", programFormat);
    writeBool(store, "SavePES", savePes);
    writeBool(store, "SaveSUP", saveSup);
    writeBool(store, "ButtonId", buttonId);
    writeBool(store, "ObjectId", objectId);
    writeBool(store, "ButtonFrame", buttonFrame);
    writeBool(store, "WindowFrame", windowFrame);
    writeBool(store, "ForcedBeep", forcedBeep);
    writeBool(store, "PreLoad", preLoad);
    writeBool(store, "ShowInEffects", showInEffects);
    writeBool(store, "ShowOutEffects", showOutEffects);
    writeBool(store, "ShowButtonAnimation", showButtonAnimation);
    writeBool(store, "ShowFullScreen", showFullScreen);
    writeBool(store, "Background", background);
    writeBool(store, "RealPSRs", realPsrs);
    writeBool(store, "PlaySound", playSound);
    writeInt(store, "ActiDelay", actiDelay);
    writeInt(store, "colBackground", colBackground);
    writeInt(store, "colObjectBackground", colObjectBackground);
    writeInt(store, "colSelectedButton", colSelectedButton);
    writeInt(store, "colSelectedFrame", colSelectedFrame);
    writeInt(store, "colNormalButton", colNormalButton);
    writeInt(store, "colNormalFrame", colNormalFrame);
    writeInt(store, "colInvalidButton", colInvalidButton);
    writeInt(store, "colInvalidFrame", colInvalidFrame);
    writeInt(store, "colWindow", colWindow);
    writeInt(store, "CountryCode", countryCode);
}

}  // namespace navelo::ui
