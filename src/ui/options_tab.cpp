#include "ui/options_tab.h"

#include <array>
#include <utility>

#include <QCheckBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

#include "core/text.h"
#include "ui/menu_display_options.h"
#include "ui/option_widgets.h"

namespace navelo::ui {

namespace {

constexpr std::uint16_t kLowestCountry = 0x4141;   // "AA"
constexpr std::uint16_t kHighestCountry = 0x5A5A;  // "ZZ"

// Up to four hexadecimal digits, turned to upper case as they are typed.
class HexValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override {
        if (input.size() > 4) return Invalid;
        for (const QChar c : input) {
            const bool hex = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                             (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
                             (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
            if (!hex) return Invalid;
        }
        input = input.toUpper();
        return Acceptable;
    }
};

QString hex4(std::uint16_t value) { return QString::fromStdString(navelo::hexUpper(value, 4)); }

std::uint16_t readHex16(const QString& text) {
    return static_cast<std::uint16_t>(navelo::readHexLenient(text.toStdString()) & 0xFFFF);
}

// The code's two bytes as characters, high byte first; bytes without a
// printable character show as '?' so the label never holds control codes.
QString countryLetters(std::uint16_t code) {
    QString out;
    for (const int byte : {code >> 8, code & 0xFF}) {
        const bool printable = (byte >= 0x20 && byte < 0x7F) || byte >= 0xA0;
        out += printable ? QChar(byte) : QLatin1Char('?');
    }
    return out;
}

QCheckBox* makeBox(QWidget* parent, const char* name, const QString& caption, bool checked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    return box;
}

QGroupBox* makeGroup(QWidget* parent, const char* name, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QLatin1String(name));
    return group;
}

QToolButton* makeChooser(QWidget* parent, const char* name, const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(QStringLiteral("..."));
    button->setToolTip(hint);
    return button;
}

}  // namespace

OptionsTab::OptionsTab(QWidget* parent) : QWidget(parent) {
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);

    // Three columns: files and player; export and menu view; colours.
    grid->addWidget(buildFiles(), 0, 0);
    grid->addWidget(buildPlayer(), 1, 0);
    grid->addWidget(buildExport(), 0, 1);
    grid->addWidget(buildMenuView(), 1, 1);
    grid->addWidget(buildColours(), 0, 2, 2, 1);
    // Spare width goes to the columns with text fields and long captions.
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 2);
    grid->setRowStretch(2, 1);

    // A small window scrolls the options rather than squeezing them.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    apply(AppSettings{});
}

QWidget* OptionsTab::buildFiles() {
    const AppSettings defaults;
    auto* group = makeGroup(this, "gbFiles", tr("Files"));
    cbOAutoRead_ = makeBox(group, "cbOAutoRead", tr("Auto Read"), defaults.autoRead);
    cbOBackup_ = makeBox(group, "cbOBackup", tr("Create backup files"), defaults.backup);
    rgOBackup_ = new RadioGroup(QString(), {tr("Only first"), tr("Overwrite"), tr("Stop if exists")},
                                Qt::Vertical, group);
    rgOBackup_->setObjectName(QStringLiteral("rgOBackup"));
    rgOBackup_->setFlat(true);
    cbOSaveBACKUP_ = makeBox(group, "cbOSaveBACKUP", tr("Save to BACKUP dir"), defaults.saveBackupDir);

    // The backup mode only means something while backups are made.
    connect(cbOBackup_, &QCheckBox::toggled, rgOBackup_, &QWidget::setEnabled);

    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(2);
    layout->addWidget(cbOAutoRead_);
    layout->addWidget(cbOBackup_);
    auto* indent = new QHBoxLayout;
    indent->addSpacing(16);
    indent->addWidget(rgOBackup_);
    layout->addLayout(indent);
    layout->addWidget(cbOSaveBACKUP_);
    layout->addStretch(1);
    return group;
}

QWidget* OptionsTab::buildPlayer() {
    const AppSettings defaults;
    auto* group = makeGroup(this, "gbPlayer", tr("Player"));
    rgRegion_ = new RadioGroup(tr("Region code"), {tr("A"), tr("B"), tr("C")}, Qt::Horizontal, group);
    rgRegion_->setObjectName(QStringLiteral("rgRegion"));

    gbCountry_ = makeGroup(group, "gbCountry", tr("Country"));
    heCountryCode_ = new QLineEdit(gbCountry_);
    heCountryCode_->setObjectName(QStringLiteral("heCountryCode"));
    heCountryCode_->setValidator(new HexValidator(heCountryCode_));
    heCountryCode_->setMaxLength(4);
    heCountryCode_->setFixedWidth(heCountryCode_->fontMetrics().horizontalAdvance(QStringLiteral("DDDDDD")) + 12);
    heCountryCode_->setToolTip(tr("Player country code (hexadecimal, AA to ZZ)"));
    heCountryCode_->installEventFilter(this);
    lCountryCode_ = new QLabel(gbCountry_);
    lCountryCode_->setObjectName(QStringLiteral("lCountryCode"));
    lCountryCode_->setMinimumWidth(lCountryCode_->fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 4);
    auto* countryRow = new QHBoxLayout(gbCountry_);
    countryRow->setContentsMargins(6, 2, 6, 2);
    countryRow->addWidget(heCountryCode_);
    countryRow->addWidget(lCountryCode_);
    countryRow->addStretch(1);
    connect(heCountryCode_, &QLineEdit::textChanged, this, &OptionsTab::countryCodeChanged);
    // Enter ends the input: the focus leaves the field and the clamp applies.
    connect(heCountryCode_, &QLineEdit::returnPressed, this, [this] {
        countryCodeFinished();
        heCountryCode_->clearFocus();
    });

    cbInitPSR_ = makeBox(group, "cbInitPSR", tr("Init PSRs with 'real' values"), defaults.realPsrs);
    cbForcedBeep_ = makeBox(group, "cbForcedBeep", tr("Forced beep on invalid command"), defaults.forcedBeep);

    ieActiDelay_ = new QSpinBox(group);
    ieActiDelay_->setObjectName(QStringLiteral("ieActiDelay"));
    ieActiDelay_->setRange(0, 100000);
    ieActiDelay_->setSingleStep(100);
    auto* delayLabel = new QLabel(tr("Activate comm. show delay (ms)"), group);
    delayLabel->setBuddy(ieActiDelay_);

    auto* regionCountry = new QHBoxLayout;
    regionCountry->addWidget(rgRegion_, 1);
    regionCountry->addWidget(gbCountry_, 1);
    auto* delayRow = new QHBoxLayout;
    delayRow->addWidget(delayLabel);
    delayRow->addWidget(ieActiDelay_);
    delayRow->addStretch(1);

    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(2);
    layout->addLayout(regionCountry);
    layout->addWidget(cbInitPSR_);
    layout->addWidget(cbForcedBeep_);
    layout->addLayout(delayRow);
    layout->addStretch(1);
    return group;
}

QWidget* OptionsTab::buildExport() {
    const AppSettings defaults;
    auto* group = makeGroup(this, "gbExport", tr("Export"));
    rgChapterFormat_ =
        new RadioGroup(tr("Chapter format"), {tr("PTS"), tr("Frame"), tr("Time")}, Qt::Horizontal, group);
    rgChapterFormat_->setObjectName(QStringLiteral("rgChapterFormat"));
    rgProgramformat_ = new RadioGroup(tr("Program format"), {tr("List (*.lst)"), tr("Binary (*.bin)")},
                                      Qt::Horizontal, group);
    rgProgramformat_->setObjectName(QStringLiteral("rgProgramformat"));
    cbSavePES_ = makeBox(group, "cbSavePES", tr("Save PES stream (not elementary)"), defaults.savePes);
    cbSaveSUP_ = makeBox(group, "cbSaveSUP", tr("Save SUP if PG stream"), defaults.saveSup);

    eWorkDir_ = new QLineEdit(group);
    eWorkDir_->setObjectName(QStringLiteral("eWorkDir"));
    bbWorkdir_ = makeChooser(group, "bbWorkdir", tr("Choose the output folder"));
    connect(bbWorkdir_, &QToolButton::clicked, this, &OptionsTab::chooseWorkDir);
    auto* workLabel = new QLabel(tr("Output folder"), group);
    workLabel->setBuddy(eWorkDir_);
    auto* workRow = new QHBoxLayout;
    workRow->addWidget(eWorkDir_, 1);
    workRow->addWidget(bbWorkdir_);

    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(2);
    layout->addWidget(rgChapterFormat_);
    layout->addWidget(rgProgramformat_);
    layout->addWidget(cbSavePES_);
    layout->addWidget(cbSaveSUP_);
    layout->addSpacing(4);
    layout->addWidget(workLabel);
    layout->addLayout(workRow);
    layout->addStretch(1);
    return group;
}

QWidget* OptionsTab::buildMenuView() {
    const AppSettings defaults;
    auto* group = makeGroup(this, "gbMenuView", tr("Menu view"));
    cbButtonIdO_ = makeBox(group, "cbButtonIdO", tr("Button ID (hex)"), defaults.buttonId);
    cbObjectIdO_ = makeBox(group, "cbObjectIdO", tr("Object ID (hex)"), defaults.objectId);
    cbButtonFrameO_ = makeBox(group, "cbButtonFrameO", tr("Button frame"), defaults.buttonFrame);
    cbWindowFrameO_ = makeBox(group, "cbWindowFrameO", tr("Window frame"), defaults.windowFrame);
    cbInEffectO_ = makeBox(group, "cbInEffectO", tr("Show InEffects"), defaults.showInEffects);
    cbOutEffectO_ = makeBox(group, "cbOutEffectO", tr("Show OutEffects"), defaults.showOutEffects);
    cbAnimateO_ = makeBox(group, "cbAnimateO", tr("Animate buttons"), defaults.showButtonAnimation);
    cbFullScreenO_ = makeBox(group, "cbFullScreenO", tr("Full screen view"), defaults.showFullScreen);
    cbPlaySoundO_ = makeBox(group, "cbPlaySoundO", tr("Play sound"), defaults.playSound);
    cbPreLoad_ = makeBox(group, "cbPreLoad", tr("Preload all bitmap of the page"), defaults.preLoad);

    eBackPic_ = new QLineEdit(group);
    eBackPic_->setObjectName(QStringLiteral("eBackPic"));
    bbBackPic_ = makeChooser(group, "bbBackPic", tr("Choose the background picture"));
    connect(bbBackPic_, &QToolButton::clicked, this, &OptionsTab::chooseBackPic);
    connect(eBackPic_, &QLineEdit::editingFinished, this,
            [this] { emit backgroundPictureChanged(eBackPic_->text()); });
    auto* picLabel = new QLabel(tr("Background picture"), group);
    picLabel->setBuddy(eBackPic_);
    auto* picRow = new QHBoxLayout;
    picRow->addWidget(eBackPic_, 1);
    picRow->addWidget(bbBackPic_);

    auto* twins = new QGridLayout;
    twins->setHorizontalSpacing(12);
    twins->setVerticalSpacing(2);
    QCheckBox* const order[] = {cbButtonIdO_, cbObjectIdO_,  cbButtonFrameO_, cbWindowFrameO_, cbInEffectO_,
                                cbOutEffectO_, cbAnimateO_, cbFullScreenO_,  cbPlaySoundO_,   cbPreLoad_};
    int i = 0;
    for (QCheckBox* box : order) {
        twins->addWidget(box, i / 2, i % 2);
        ++i;
    }

    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(2);
    layout->addLayout(twins);
    layout->addSpacing(4);
    layout->addWidget(picLabel);
    layout->addLayout(picRow);
    layout->addStretch(1);
    return group;
}

QWidget* OptionsTab::buildColours() {
    auto* group = makeGroup(this, "gbColours", tr("Colours"));
    const auto make = [group](const char* name, const QString& caption) {
        auto* selector = new ColourSelector(caption, group);
        selector->setObjectName(QLatin1String(name));
        return selector;
    };
    colBackground_ = make("colBackground", tr("Menu background"));
    colObjectBackground_ = make("colObjectBackground", tr("Object background"));
    colSelectedButton_ = make("colSelectedButton", tr("Selected button"));
    colSelectedFrame_ = make("colSelectedFrame", tr("Selected frame"));
    colNormalButton_ = make("colNormalButton", tr("Normal button"));
    colNormalFrame_ = make("colNormalFrame", tr("Normal frame"));
    colInvalidButton_ = make("colInvalidButton", tr("Invalid button"));
    colInvalidFrame_ = make("colInvalidFrame", tr("Invalid Frame"));
    colWindow_ = make("colWindow", tr("Window frame"));

    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(3);
    for (ColourSelector* c : {colBackground_, colObjectBackground_, colSelectedButton_, colSelectedFrame_,
                              colNormalButton_, colNormalFrame_, colInvalidButton_, colInvalidFrame_,
                              colWindow_}) {
        layout->addWidget(c);
        connect(c, &ColourSelector::colourChanged, this, &OptionsTab::coloursChanged);
    }
    layout->addStretch(1);
    return group;
}

namespace {

// Options twin and Menu tab box of each pair, in store order.
std::array<std::pair<QCheckBox*, QCheckBox*>, 9> twinPairs(const OptionsTab& tab, const MenuDisplayOptions& menu) {
    return {{{tab.cbButtonIdO(), menu.cbButtonId()},
             {tab.cbObjectIdO(), menu.cbObjectId()},
             {tab.cbButtonFrameO(), menu.cbButtonFrame()},
             {tab.cbWindowFrameO(), menu.cbWindowFrame()},
             {tab.cbInEffectO(), menu.cbInEffect()},
             {tab.cbOutEffectO(), menu.cbOutEffect()},
             {tab.cbAnimateO(), menu.cbAnimate()},
             {tab.cbFullScreenO(), menu.cbFullScreen()},
             {tab.cbPlaySoundO(), menu.cbPlaySound()}}};
}

}  // namespace

void OptionsTab::pairWith(MenuDisplayOptions* menu) {
    for (const auto& c : std::as_const(pairing_)) disconnect(c);
    pairing_.clear();
    menu_ = menu;
    if (!menu) return;
    // setChecked with the state a box already has emits nothing, so the two
    // directions cannot chase each other.
    for (const auto& [twin, box] : twinPairs(*this, *menu)) {
        twin->setChecked(box->isChecked());
        pairing_ << connect(box, &QCheckBox::toggled, twin, &QCheckBox::setChecked);
        pairing_ << connect(twin, &QCheckBox::toggled, box, &QCheckBox::setChecked);
    }
}

void OptionsTab::apply(const AppSettings& s) {
    setBackgroundPicture(s.backgroundPic);
    cbOAutoRead_->setChecked(s.autoRead);
    cbOBackup_->setChecked(s.backup);
    rgOBackup_->setEnabled(cbOBackup_->isChecked());
    cbOSaveBACKUP_->setChecked(s.saveBackupDir);
    rgOBackup_->setItemIndex(s.backupMode);
    rgRegion_->setItemIndex(s.region);
    rgChapterFormat_->setItemIndex(s.chapterFormat);
    rgProgramformat_->setItemIndex(s.programFormat);
    cbSavePES_->setChecked(s.savePes);
    cbSaveSUP_->setChecked(s.saveSup);
    cbForcedBeep_->setChecked(s.forcedBeep);
    cbPreLoad_->setChecked(s.preLoad);
    cbInitPSR_->setChecked(s.realPsrs);
    if (menu_) {
        menu_->apply(s);
    } else {
        cbButtonIdO_->setChecked(s.buttonId);
        cbObjectIdO_->setChecked(s.objectId);
        cbButtonFrameO_->setChecked(s.buttonFrame);
        cbWindowFrameO_->setChecked(s.windowFrame);
        cbInEffectO_->setChecked(s.showInEffects);
        cbOutEffectO_->setChecked(s.showOutEffects);
        cbAnimateO_->setChecked(s.showButtonAnimation);
        cbFullScreenO_->setChecked(s.showFullScreen);
        cbPlaySoundO_->setChecked(s.playSound);
        background_ = s.background;
    }
    colBackground_->setColour(colourFromStored(s.colBackground));
    colObjectBackground_->setColour(colourFromStored(s.colObjectBackground));
    colSelectedButton_->setColour(colourFromStored(s.colSelectedButton));
    colSelectedFrame_->setColour(colourFromStored(s.colSelectedFrame));
    colNormalButton_->setColour(colourFromStored(s.colNormalButton));
    colNormalFrame_->setColour(colourFromStored(s.colNormalFrame));
    colInvalidButton_->setColour(colourFromStored(s.colInvalidButton));
    colInvalidFrame_->setColour(colourFromStored(s.colInvalidFrame));
    colWindow_->setColour(colourFromStored(s.colWindow));
    ieActiDelay_->setValue(s.actiDelay);
    heCountryCode_->setText(hex4(s.countryCode));
    countryCodeChanged();
}

void OptionsTab::collect(AppSettings& s) const {
    s.backgroundPic = eBackPic_->text();
    s.autoRead = cbOAutoRead_->isChecked();
    s.backup = cbOBackup_->isChecked();
    s.saveBackupDir = cbOSaveBACKUP_->isChecked();
    s.backupMode = rgOBackup_->itemIndex();
    s.region = rgRegion_->itemIndex();
    s.chapterFormat = rgChapterFormat_->itemIndex();
    s.programFormat = rgProgramformat_->itemIndex();
    s.savePes = cbSavePES_->isChecked();
    s.saveSup = cbSaveSUP_->isChecked();
    s.forcedBeep = cbForcedBeep_->isChecked();
    s.preLoad = cbPreLoad_->isChecked();
    s.realPsrs = cbInitPSR_->isChecked();
    if (menu_) {
        menu_->collect(s);
    } else {
        s.buttonId = cbButtonIdO_->isChecked();
        s.objectId = cbObjectIdO_->isChecked();
        s.buttonFrame = cbButtonFrameO_->isChecked();
        s.windowFrame = cbWindowFrameO_->isChecked();
        s.showInEffects = cbInEffectO_->isChecked();
        s.showOutEffects = cbOutEffectO_->isChecked();
        s.showButtonAnimation = cbAnimateO_->isChecked();
        s.showFullScreen = cbFullScreenO_->isChecked();
        s.playSound = cbPlaySoundO_->isChecked();
        s.background = background_;
    }
    s.actiDelay = ieActiDelay_->value();
    s.colBackground = colourToStored(colBackground_->colour());
    s.colObjectBackground = colourToStored(colObjectBackground_->colour());
    s.colSelectedButton = colourToStored(colSelectedButton_->colour());
    s.colSelectedFrame = colourToStored(colSelectedFrame_->colour());
    s.colNormalButton = colourToStored(colNormalButton_->colour());
    s.colNormalFrame = colourToStored(colNormalFrame_->colour());
    s.colInvalidButton = colourToStored(colInvalidButton_->colour());
    s.colInvalidFrame = colourToStored(colInvalidFrame_->colour());
    s.colWindow = colourToStored(colWindow_->colour());
    s.countryCode = countryCode();
}

QString OptionsTab::backPicStartDir() const {
    QString dir = bdmvDir_;
    if (!eWorkDir_->text().isEmpty()) dir = eWorkDir_->text();
    if (!eBackPic_->text().isEmpty()) dir = QFileInfo(eBackPic_->text()).path();
    return dir;
}

navelo::SaveOptions OptionsTab::saveOptions() const {
    navelo::SaveOptions o;
    o.createBackup = cbOBackup_->isChecked();
    o.mode = static_cast<navelo::BackupMode>(rgOBackup_->itemIndex());
    o.saveToBackupDir = cbOSaveBACKUP_->isChecked();
    return o;
}

bool OptionsTab::autoRead() const { return cbOAutoRead_->isChecked(); }
int OptionsTab::showDelayMs() const { return ieActiDelay_->value(); }
int OptionsTab::region() const { return rgRegion_->itemIndex(); }
std::uint16_t OptionsTab::countryCode() const { return readHex16(heCountryCode_->text()); }
bool OptionsTab::initRealPsrs() const { return cbInitPSR_->isChecked(); }
bool OptionsTab::forcedBeep() const { return cbForcedBeep_->isChecked(); }
QString OptionsTab::workDir() const { return eWorkDir_->text(); }
int OptionsTab::chapterFormat() const { return rgChapterFormat_->itemIndex(); }
int OptionsTab::programFormat() const { return rgProgramformat_->itemIndex(); }
bool OptionsTab::savePes() const { return cbSavePES_->isChecked(); }
bool OptionsTab::saveSup() const { return cbSaveSUP_->isChecked(); }
bool OptionsTab::preLoad() const { return cbPreLoad_->isChecked(); }
QString OptionsTab::backgroundPicture() const { return eBackPic_->text(); }

void OptionsTab::setBackgroundPicture(const QString& path) {
    eBackPic_->setText(path);
    emit backgroundPictureChanged(path);
}

void OptionsTab::countryCodeChanged() { lCountryCode_->setText(countryLetters(countryCode())); }

void OptionsTab::countryCodeFinished() {
    std::uint16_t code = countryCode();
    if (code < kLowestCountry) code = kLowestCountry;
    if (code > kHighestCountry) code = kHighestCountry;
    const QString text = hex4(code);
    if (heCountryCode_->text() != text) heCountryCode_->setText(text);
    countryCodeChanged();
}

bool OptionsTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == heCountryCode_ && event->type() == QEvent::FocusOut) countryCodeFinished();
    return QWidget::eventFilter(watched, event);
}

void OptionsTab::chooseWorkDir() {
    const QString dir = QFileDialog::getExistingDirectory(this, tr("Select a directory"), eWorkDir_->text());
    if (!dir.isEmpty()) eWorkDir_->setText(dir);
}

void OptionsTab::chooseBackPic() {
    const QString file = QFileDialog::getOpenFileName(this, tr("Select a background picture"), backPicStartDir(),
                                                      tr("BMP (*.bmp);;PNG (*.png)"));
    if (!file.isEmpty()) setBackgroundPicture(file);
}

}  // namespace navelo::ui
