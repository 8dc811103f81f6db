// The settings store and the Options tab: defaults, round trips through the
// store, lenient reading, and the option controls' own behaviour.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <ostream>

#include "ui/app_settings.h"
#include "ui/menu_display_options.h"
#include "ui/option_widgets.h"
#include "ui/options_tab.h"

// Readable failure messages for the Qt values compared below.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QColor& colour, std::ostream* os) { *os << colour.name().toStdString(); }

namespace navelo::ui {
namespace {

class OptionsSettingsTest : public ::testing::Test {
protected:
    // A fresh handle each time, so values come back from the file as text,
    // the way the next run of the program reads them.
    std::unique_ptr<QSettings> store() const {
        return std::make_unique<QSettings>(dir_.filePath(QStringLiteral("Navelo.conf")), QSettings::IniFormat);
    }

    // The tab as the main window has it: paired with the Menu tab's boxes.
    struct Tabs {
        MenuDisplayOptions menu;
        OptionsTab options;
        Tabs() { options.pairWith(&menu); }
    };

    QTemporaryDir dir_;
};

// Every value changed from its default, so a round trip proves each one.
AppSettings everythingChanged() {
    AppSettings s;
    s.windowState = 0;
    s.top = 11;
    s.left = 22;
    s.width = 1000;
    s.height = 700;
    s.bdmvDir = QStringLiteral("/media/disc/BDMV/");
    s.backgroundPic = QStringLiteral("/home/u/pics/back, ground.png");
    s.autoRead = false;
    s.backup = false;
    s.saveBackupDir = true;
    s.backupMode = 2;
    s.region = 1;
    s.objectHeight = 120;
    s.playListHeight = 200;
    s.subPathHeight = 100;
    s.playListMarkHeight = 110;
    s.chapterFormat = 2;
    s.programFormat = 1;
    s.savePes = true;
    s.saveSup = false;
    s.buttonId = true;
    s.objectId = true;
    s.buttonFrame = true;
    s.windowFrame = true;
    s.forcedBeep = false;
    s.preLoad = false;
    s.showInEffects = false;
    s.showOutEffects = false;
    s.showButtonAnimation = true;
    s.showFullScreen = true;
    s.background = true;
    s.realPsrs = true;
    s.playSound = true;
    s.actiDelay = 1250;
    s.colBackground = 0x102030;
    s.colObjectBackground = 0x405060;
    s.colSelectedButton = 0x708090;
    s.colSelectedFrame = 0xA0B0C0;
    s.colNormalButton = 0xD0E0F0;
    s.colNormalFrame = 0x010203;
    s.colInvalidButton = 0x040506;
    s.colInvalidFrame = 0x070809;
    s.colWindow = 0x0A0B0C;
    s.countryCode = 0x4A50;  // "JP"
    return s;
}

TEST_F(OptionsSettingsTest, FirstStartWithAnEmptyStoreShowsTheDefaults) {
    const AppSettings loaded = AppSettings::load(*store());
    EXPECT_EQ(loaded, AppSettings{});
    EXPECT_FALSE(loaded.windowState || loaded.top || loaded.left || loaded.width || loaded.height);

    Tabs tabs;
    tabs.options.apply(loaded);
    const OptionsTab& o = tabs.options;
    EXPECT_TRUE(o.cbOAutoRead()->isChecked());
    EXPECT_TRUE(o.cbOBackup()->isChecked());
    EXPECT_EQ(o.rgOBackup()->itemIndex(), 0);
    EXPECT_EQ(o.rgOBackup()->item(0)->text(), "Only first");
    EXPECT_EQ(o.rgRegion()->itemIndex(), 0);
    EXPECT_EQ(o.heCountryCode()->text(), "5553");
    EXPECT_EQ(o.lCountryCode()->text(), "US");
    EXPECT_EQ(o.rgChapterFormat()->itemIndex(), 0);
    EXPECT_EQ(o.rgProgramformat()->itemIndex(), 0);
    EXPECT_EQ(o.rgProgramformat()->item(0)->text(), "List (*.lst)");
    EXPECT_TRUE(o.cbSaveSUP()->isChecked());
    EXPECT_FALSE(o.cbAnimateO()->isChecked());
    EXPECT_FALSE(o.cbPlaySoundO()->isChecked());
    EXPECT_TRUE(o.eWorkDir()->text().isEmpty());
    EXPECT_EQ(o.ieActiDelay()->value(), 500);
    EXPECT_EQ(o.colBackground()->colour(), QColor(0, 0, 128));  // navy
    EXPECT_EQ(o.colWindow()->colour(), QColor(0, 255, 0));      // lime

    const navelo::SaveOptions save = o.saveOptions();
    EXPECT_TRUE(save.createBackup);
    EXPECT_EQ(save.mode, navelo::BackupMode::OnlyFirst);
    EXPECT_FALSE(save.saveToBackupDir);
}

TEST_F(OptionsSettingsTest, SettingsSurviveTheStoreAndTheControls) {
    const AppSettings original = everythingChanged();
    original.save(*store());

    // The raw forms other builds read: booleans as 0/1, colours red-low.
    {
        const auto raw = store();
        EXPECT_EQ(raw->value("Background").toString(), "1");
        EXPECT_EQ(raw->value("SaveSUP").toString(), "0");
        EXPECT_EQ(raw->value("colBackground").toInt(), 0x102030);
        EXPECT_EQ(raw->value("CountryCode").toInt(), 0x4A50);
    }

    const AppSettings loaded = AppSettings::load(*store());
    EXPECT_EQ(loaded, original);

    // Through fresh controls and back: what the next close would write.
    Tabs tabs;
    tabs.options.eWorkDir()->setText(QStringLiteral("/tmp/out"));
    tabs.options.apply(loaded);
    AppSettings collected;
    collected.windowState = loaded.windowState;
    collected.top = loaded.top;
    collected.left = loaded.left;
    collected.width = loaded.width;
    collected.height = loaded.height;
    collected.bdmvDir = loaded.bdmvDir;
    collected.objectHeight = loaded.objectHeight;
    collected.playListHeight = loaded.playListHeight;
    collected.subPathHeight = loaded.subPathHeight;
    collected.playListMarkHeight = loaded.playListMarkHeight;
    tabs.options.collect(collected);
    EXPECT_EQ(collected, original);

    // 0x102030 holds red 0x30, green 0x20, blue 0x10.
    EXPECT_EQ(tabs.options.colBackground()->colour(), QColor(0x30, 0x20, 0x10));
    EXPECT_TRUE(tabs.menu.cbPlaySound()->isChecked());
    EXPECT_TRUE(tabs.options.cbPlaySoundO()->isChecked());
    EXPECT_TRUE(tabs.menu.cbBackground()->isChecked());
    EXPECT_EQ(tabs.options.lCountryCode()->text(), "JP");
    EXPECT_EQ(tabs.options.saveOptions().mode, navelo::BackupMode::StopIfExists);

    // The output folder is the run's own: never written, untouched by apply.
    EXPECT_EQ(tabs.options.workDir(), "/tmp/out");
    for (const QString& key : store()->allKeys()) EXPECT_FALSE(key.contains("Work", Qt::CaseInsensitive)) << qPrintable(key);
}

TEST_F(OptionsSettingsTest, ValuesOfTheWrongTypeCountAsMissing) {
    struct Case {
        const char* key;
        QVariant value;
    };
    const Case wrong[] = {
        {"Width", QStringLiteral("wide")},       {"WindowState", 7},
        {"BDMVdir", QStringList{"a", "b"}},      {"AutoRead", QStringLiteral("yes")},
        {"SaveBACKUP", QStringLiteral("maybe")}, {"Region", QStringLiteral("B")},
        {"BackupMode", 5},                       {"ActiDelay", QStringLiteral("fast")},
        {"colWindow", QStringLiteral("lime")},   {"CountryCode", QStringLiteral("US")},
        {"ObjectHeight", 1.5},
    };
    {
        const auto s = store();
        for (const Case& c : wrong) s->setValue(c.key, c.value);
        // Readable forms beside them still count.
        s->setValue("PlaySound", 7);                       // any non-zero integer is true
        s->setValue("ShowFullScreen", QStringLiteral("true"));
        s->setValue("Height", QStringLiteral(" 640 "));
    }
    AppSettings expected;
    expected.playSound = true;
    expected.showFullScreen = true;
    expected.height = 640;
    EXPECT_EQ(AppSettings::load(*store()), expected);
}

TEST_F(OptionsSettingsTest, AMaximisedWindowKeepsTheGeometryItWillBeRestoredTo) {
    AppSettings normal;
    normal.windowState = 0;
    normal.top = 30;
    normal.left = 40;
    normal.width = 950;
    normal.height = 620;
    normal.save(*store());

    AppSettings maximised = normal;
    maximised.windowState = 2;
    maximised.top = 0;
    maximised.left = 0;
    maximised.width = 1920;
    maximised.height = 1050;
    maximised.save(*store());

    const AppSettings loaded = AppSettings::load(*store());
    EXPECT_EQ(loaded.windowState, 2);
    EXPECT_EQ(loaded.top, 30);
    EXPECT_EQ(loaded.left, 40);
    EXPECT_EQ(loaded.width, 950);
    EXPECT_EQ(loaded.height, 620);

    // On a first run nothing was stored before, so nothing is written.
    QTemporaryDir other;
    QSettings fresh(other.filePath("fresh.conf"), QSettings::IniFormat);
    maximised.save(fresh);
    EXPECT_TRUE(fresh.contains("WindowState"));
    for (const char* key : {"Top", "Left", "Width", "Height"}) EXPECT_FALSE(fresh.contains(key)) << key;
}

TEST_F(OptionsSettingsTest, CountryCodeIsClampedToLettersWhenTheInputEnds) {
    struct Case {
        QString typed;
        QString labelWhileTyping;
        QString finalText;
        QString finalLabel;
    };
    const Case cases[] = {
        {"4040", "@@", "4141", "AA"},
        {"5B00", "[?", "5A5A", "ZZ"},
        {"5553", "US", "5553", "US"},
        {"4a5p0", "JP", "4A50", "JP"},  // lower case is raised, non-hex keys are refused
    };
    Tabs tabs;
    QLineEdit* field = tabs.options.heCountryCode();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        field->clear();
        QTest::keyClicks(field, c.typed);
        EXPECT_EQ(tabs.options.lCountryCode()->text(), c.labelWhileTyping);
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field, &leave);
        EXPECT_EQ(field->text(), c.finalText);
        EXPECT_EQ(tabs.options.lCountryCode()->text(), c.finalLabel);
    }

    // Enter ends the input the same way.
    field->clear();
    QTest::keyClicks(field, "0001");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), "4141");
    EXPECT_EQ(tabs.options.countryCode(), 0x4141);
}

TEST_F(OptionsSettingsTest, TwinBoxesFollowEachOtherBothWays) {
    const char* const pairs[][2] = {
        {"cbButtonIdO", "cbButtonId"},     {"cbObjectIdO", "cbObjectId"}, {"cbButtonFrameO", "cbButtonFrame"},
        {"cbWindowFrameO", "cbWindowFrame"}, {"cbInEffectO", "cbInEffect"}, {"cbOutEffectO", "cbOutEffect"},
        {"cbAnimateO", "cbAnimate"},       {"cbFullScreenO", "cbFullScreen"}, {"cbPlaySoundO", "cbPlaySound"},
    };
    Tabs tabs;
    for (const auto& [twinName, menuName] : pairs) {
        SCOPED_TRACE(twinName);
        auto* twin = tabs.options.findChild<QCheckBox*>(twinName);
        auto* box = tabs.menu.findChild<QCheckBox*>(menuName);
        ASSERT_TRUE(twin && box);
        const bool initial = box->isChecked();
        EXPECT_EQ(twin->isChecked(), initial);
        twin->click();
        EXPECT_EQ(box->isChecked(), !initial);
        box->click();
        EXPECT_EQ(twin->isChecked(), initial);
    }

    // Ticked on the Options tab, both show ticked at the next start.
    tabs.options.cbPlaySoundO()->click();
    AppSettings closing;
    tabs.options.collect(closing);
    closing.save(*store());
    Tabs next;
    next.options.apply(AppSettings::load(*store()));
    EXPECT_TRUE(next.menu.cbPlaySound()->isChecked());
    EXPECT_TRUE(next.options.cbPlaySoundO()->isChecked());

    // A Menu tab box already ticked when the tabs are paired shows on its twin.
    MenuDisplayOptions menu;
    OptionsTab options;
    menu.cbAnimate()->setChecked(true);
    options.pairWith(&menu);
    EXPECT_TRUE(options.cbAnimateO()->isChecked());
}

TEST_F(OptionsSettingsTest, BackupModeIsOfferedOnlyWhileBackupsAreMade) {
    Tabs tabs;
    OptionsTab& o = tabs.options;
    EXPECT_TRUE(o.rgOBackup()->isEnabled());
    o.cbOBackup()->click();
    EXPECT_FALSE(o.rgOBackup()->isEnabled());
    EXPECT_FALSE(o.saveOptions().createBackup);
    o.cbOBackup()->click();
    EXPECT_TRUE(o.rgOBackup()->isEnabled());

    AppSettings noBackup;
    noBackup.backup = false;
    o.apply(noBackup);
    EXPECT_FALSE(o.rgOBackup()->isEnabled());
}

TEST_F(OptionsSettingsTest, PictureChooserStartsInTheLastFolderThatApplies) {
    struct Case {
        QString bdmv;
        QString workDir;
        QString picture;
        QString start;
    };
    const Case cases[] = {
        {"/d/MOVIE/BDMV/", "", "", "/d/MOVIE/BDMV/"},
        {"/d/MOVIE/BDMV/", "/out", "", "/out"},
        {"/d/MOVIE/BDMV/", "/out", "/pics/menu.png", "/pics"},
        {"/d/MOVIE/BDMV/", "", "/pics/menu.bmp", "/pics"},
    };
    OptionsTab o;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start.toStdString());
        o.setBdmvDir(c.bdmv);
        o.eWorkDir()->setText(c.workDir);
        o.setBackgroundPicture(c.picture);
        EXPECT_EQ(o.backPicStartDir(), c.start);
    }
}

}  // namespace
}  // namespace navelo::ui

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
