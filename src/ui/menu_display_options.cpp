#include "ui/menu_display_options.h"

#include <QCheckBox>
#include <QGridLayout>

namespace navelo::ui {

namespace {

QCheckBox* makeBox(QWidget* parent, const char* name, const QString& caption, bool checked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    return box;
}

}  // namespace

MenuDisplayOptions::MenuDisplayOptions(QWidget* parent, int columns) : QWidget(parent) {
    const AppSettings defaults;
    cbButtonId_ = makeBox(this, "cbButtonId", tr("Show Button ID"), defaults.buttonId);
    cbObjectId_ = makeBox(this, "cbObjectId", tr("Show Object ID"), defaults.objectId);
    cbButtonFrame_ = makeBox(this, "cbButtonFrame", tr("Show Button frame"), defaults.buttonFrame);
    cbWindowFrame_ = makeBox(this, "cbWindowFrame", tr("Show Window frame"), defaults.windowFrame);
    cbInEffect_ = makeBox(this, "cbInEffect", tr("Show InEffect() effects"), defaults.showInEffects);
    cbOutEffect_ = makeBox(this, "cbOutEffect", tr("Show OutEffects() effects"), defaults.showOutEffects);
    cbAnimate_ = makeBox(this, "cbAnimate", tr("Button animation"), defaults.showButtonAnimation);
    cbFullScreen_ = makeBox(this, "cbFullScreen", tr("Show Full Screen"), defaults.showFullScreen);
    cbPlaySound_ = makeBox(this, "cbPlaySound", tr("Play button sound"), defaults.playSound);
    cbBackground_ = makeBox(this, "cbBackground", tr("Background picture"), defaults.background);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    const int cols = columns < 1 ? 1 : columns;
    QCheckBox* const order[] = {cbButtonId_, cbObjectId_,   cbButtonFrame_, cbWindowFrame_, cbInEffect_,
                                cbOutEffect_, cbAnimate_, cbFullScreen_,  cbPlaySound_,   cbBackground_};
    int i = 0;
    for (QCheckBox* box : order) {
        grid->addWidget(box, i / cols, i % cols);
        ++i;
        connect(box, &QCheckBox::toggled, this, &MenuDisplayOptions::displayChanged);
    }
}

void MenuDisplayOptions::apply(const AppSettings& s) {
    cbButtonId_->setChecked(s.buttonId);
    cbObjectId_->setChecked(s.objectId);
    cbButtonFrame_->setChecked(s.buttonFrame);
    cbWindowFrame_->setChecked(s.windowFrame);
    cbInEffect_->setChecked(s.showInEffects);
    cbOutEffect_->setChecked(s.showOutEffects);
    cbAnimate_->setChecked(s.showButtonAnimation);
    cbFullScreen_->setChecked(s.showFullScreen);
    cbBackground_->setChecked(s.background);
    cbPlaySound_->setChecked(s.playSound);
}

void MenuDisplayOptions::collect(AppSettings& s) const {
    s.buttonId = cbButtonId_->isChecked();
    s.objectId = cbObjectId_->isChecked();
    s.buttonFrame = cbButtonFrame_->isChecked();
    s.windowFrame = cbWindowFrame_->isChecked();
    s.showInEffects = cbInEffect_->isChecked();
    s.showOutEffects = cbOutEffect_->isChecked();
    s.showButtonAnimation = cbAnimate_->isChecked();
    s.showFullScreen = cbFullScreen_->isChecked();
    s.background = cbBackground_->isChecked();
    s.playSound = cbPlaySound_->isChecked();
}

}  // namespace navelo::ui
