#pragma once
// The Options tab: every user option control, the colour selectors and the
// twins of the Menu tab display switches. The controls hold the options for
// the run; the rest of the program reads them through the getters below.
#include <cstdint>

#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include "core/save.h"
#include "ui/app_settings.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace navelo::ui {

class ColourSelector;
class MenuDisplayOptions;
class RadioGroup;

class OptionsTab : public QWidget {
    Q_OBJECT
public:
    explicit OptionsTab(QWidget* parent = nullptr);

    // Keeps each twin box in the same state as its Menu tab box, both ways;
    // the Menu tab's current states win at the moment of pairing.
    void pairWith(MenuDisplayOptions* menu);
    MenuDisplayOptions* pairedMenu() const { return menu_; }

    // Sets every option control from the settings; each control runs its own
    // change handling. The display switches go to the paired Menu tab boxes.
    void apply(const AppSettings& settings);
    // Copies the controls into the settings. The folder, window geometry and
    // panel heights belong to the main window and are left as they are.
    void collect(AppSettings& settings) const;

    // The loaded BDMV folder, the first start folder of the picture chooser.
    void setBdmvDir(const QString& dir) { bdmvDir_ = dir; }
    QString bdmvDir() const { return bdmvDir_; }
    // Start folder of the background picture chooser: the BDMV folder, or the
    // output folder when set, or the current picture's folder when set.
    QString backPicStartDir() const;

    navelo::SaveOptions saveOptions() const;
    bool autoRead() const;
    int showDelayMs() const;
    int region() const;
    // The field's value as it stands (clamped once the user leaves it).
    std::uint16_t countryCode() const;
    bool initRealPsrs() const;
    bool forcedBeep() const;
    QString workDir() const;
    int chapterFormat() const;
    int programFormat() const;
    bool savePes() const;
    bool saveSup() const;
    bool preLoad() const;
    QString backgroundPicture() const;
    void setBackgroundPicture(const QString& path);

    // The controls, for the main window and tests.
    QCheckBox* cbOAutoRead() const { return cbOAutoRead_; }
    QCheckBox* cbOBackup() const { return cbOBackup_; }
    RadioGroup* rgOBackup() const { return rgOBackup_; }
    QCheckBox* cbOSaveBACKUP() const { return cbOSaveBACKUP_; }
    RadioGroup* rgRegion() const { return rgRegion_; }
    QGroupBox* gbCountry() const { return gbCountry_; }
    QLineEdit* heCountryCode() const { return heCountryCode_; }
    QLabel* lCountryCode() const { return lCountryCode_; }
    RadioGroup* rgChapterFormat() const { return rgChapterFormat_; }
    RadioGroup* rgProgramformat() const { return rgProgramformat_; }
    QCheckBox* cbSavePES() const { return cbSavePES_; }
    QCheckBox* cbSaveSUP() const { return cbSaveSUP_; }
    QCheckBox* cbForcedBeep() const { return cbForcedBeep_; }
    QCheckBox* cbPreLoad() const { return cbPreLoad_; }
    QCheckBox* cbInitPSR() const { return cbInitPSR_; }
    QSpinBox* ieActiDelay() const { return ieActiDelay_; }
    QLineEdit* eWorkDir() const { return eWorkDir_; }
    QToolButton* bbWorkdir() const { return bbWorkdir_; }
    QLineEdit* eBackPic() const { return eBackPic_; }
    QToolButton* bbBackPic() const { return bbBackPic_; }

    ColourSelector* colBackground() const { return colBackground_; }
    ColourSelector* colObjectBackground() const { return colObjectBackground_; }
    ColourSelector* colSelectedButton() const { return colSelectedButton_; }
    ColourSelector* colSelectedFrame() const { return colSelectedFrame_; }
    ColourSelector* colNormalButton() const { return colNormalButton_; }
    ColourSelector* colNormalFrame() const { return colNormalFrame_; }
    ColourSelector* colInvalidButton() const { return colInvalidButton_; }
    ColourSelector* colInvalidFrame() const { return colInvalidFrame_; }
    ColourSelector* colWindow() const { return colWindow_; }

    QCheckBox* cbButtonIdO() const { return cbButtonIdO_; }
    QCheckBox* cbObjectIdO() const { return cbObjectIdO_; }
    QCheckBox* cbButtonFrameO() const { return cbButtonFrameO_; }
    QCheckBox* cbWindowFrameO() const { return cbWindowFrameO_; }
    QCheckBox* cbInEffectO() const { return cbInEffectO_; }
    QCheckBox* cbOutEffectO() const { return cbOutEffectO_; }
    QCheckBox* cbAnimateO() const { return cbAnimateO_; }
    QCheckBox* cbFullScreenO() const { return cbFullScreenO_; }
    QCheckBox* cbPlaySoundO() const { return cbPlaySoundO_; }

signals:
    // One of the nine colours changed (by the user or by apply).
    void coloursChanged();
    // A background picture was chosen, typed or applied; the view reloads it.
    void backgroundPictureChanged(const QString& path);

private:
    QWidget* buildFiles();
    QWidget* buildPlayer();
    QWidget* buildExport();
    QWidget* buildMenuView();
    QWidget* buildColours();

    void countryCodeChanged();   // label follows the field
    void countryCodeFinished();  // clamps to AA..ZZ
    void chooseWorkDir();
    void chooseBackPic();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QCheckBox* cbOAutoRead_ = nullptr;
    QCheckBox* cbOBackup_ = nullptr;
    RadioGroup* rgOBackup_ = nullptr;
    QCheckBox* cbOSaveBACKUP_ = nullptr;
    RadioGroup* rgRegion_ = nullptr;
    QGroupBox* gbCountry_ = nullptr;
    QLineEdit* heCountryCode_ = nullptr;
    QLabel* lCountryCode_ = nullptr;
    RadioGroup* rgChapterFormat_ = nullptr;
    RadioGroup* rgProgramformat_ = nullptr;
    QCheckBox* cbSavePES_ = nullptr;
    QCheckBox* cbSaveSUP_ = nullptr;
    QCheckBox* cbForcedBeep_ = nullptr;
    QCheckBox* cbPreLoad_ = nullptr;
    QCheckBox* cbInitPSR_ = nullptr;
    QSpinBox* ieActiDelay_ = nullptr;
    QLineEdit* eWorkDir_ = nullptr;
    QToolButton* bbWorkdir_ = nullptr;
    QLineEdit* eBackPic_ = nullptr;
    QToolButton* bbBackPic_ = nullptr;

    ColourSelector* colBackground_ = nullptr;
    ColourSelector* colObjectBackground_ = nullptr;
    ColourSelector* colSelectedButton_ = nullptr;
    ColourSelector* colSelectedFrame_ = nullptr;
    ColourSelector* colNormalButton_ = nullptr;
    ColourSelector* colNormalFrame_ = nullptr;
    ColourSelector* colInvalidButton_ = nullptr;
    ColourSelector* colInvalidFrame_ = nullptr;
    ColourSelector* colWindow_ = nullptr;

    QCheckBox* cbButtonIdO_ = nullptr;
    QCheckBox* cbObjectIdO_ = nullptr;
    QCheckBox* cbButtonFrameO_ = nullptr;
    QCheckBox* cbWindowFrameO_ = nullptr;
    QCheckBox* cbInEffectO_ = nullptr;
    QCheckBox* cbOutEffectO_ = nullptr;
    QCheckBox* cbAnimateO_ = nullptr;
    QCheckBox* cbFullScreenO_ = nullptr;
    QCheckBox* cbPlaySoundO_ = nullptr;

    QPointer<MenuDisplayOptions> menu_;
    QList<QMetaObject::Connection> pairing_;
    // Without a Menu tab the background switch has no box; its state is kept here.
    bool background_ = false;
    QString bdmvDir_;
};

}  // namespace navelo::ui
