#include "ui/status_panels.h"

#include <QFontMetrics>

namespace navelo::ui {

StatusPanels::StatusPanels(QStatusBar* bar) : QObject(bar), bar_(bar) {
    panel0_ = new QLabel(bar);
    panel0_->setObjectName("StatusPanel0");
    panel1_ = new QLabel(bar);
    panel1_->setObjectName("StatusPanel1");
    panel0_->setFrameShape(QFrame::Panel);
    panel0_->setFrameShadow(QFrame::Sunken);
    panel1_->setFrameShape(QFrame::Panel);
    panel1_->setFrameShadow(QFrame::Sunken);
    panel0_->setMinimumWidth(100);
    bar->addWidget(panel0_);
    bar->addWidget(panel1_, 1);
}

void StatusPanels::setErrorLook(bool on) {
    errorLook_ = on;
    QFont f = bar_->font();
    f.setBold(on);
    panel0_->setFont(f);
    panel1_->setFont(f);
    if (on) {
        panel0_->setText("ERROR");
        panel0_->setStyleSheet("QLabel { background: red; color: yellow; padding-left: 8px; }");
        panel0_->setFixedWidth(55);
    } else {
        panel0_->setStyleSheet({});
        panel0_->setMinimumWidth(0);
        panel0_->setMaximumWidth(QWIDGETSIZE_MAX);
    }
}

void StatusPanels::setPanel(int panel, std::string_view text) {
    setErrorLook(false);
    const QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QLabel* label = panel == 0 ? panel0_ : panel1_;
    label->setText(t);
    if (panel == 0) {
        // The activity panel is as wide as its text and one more letter.
        panel0_->setFixedWidth(QFontMetrics(panel0_->font()).horizontalAdvance(t + "m") + 8);
    } else {
        bar_->setToolTip(t.trimmed());
    }
    label->repaint();
}

void StatusPanels::showErrorLook(std::string_view panel1Text) {
    setErrorLook(true);
    const QString t = QString::fromUtf8(panel1Text.data(), static_cast<qsizetype>(panel1Text.size()));
    panel1_->setText(t);
    bar_->setToolTip(t.trimmed());
    panel0_->repaint();
    panel1_->repaint();
}

QString StatusPanels::panelText(int panel) const { return panel == 0 ? panel0_->text() : panel1_->text(); }

}  // namespace navelo::ui
