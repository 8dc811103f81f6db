#include "ui/clipinf_tab.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets.h"

namespace navelo::ui {

ClipinfTab::ClipinfTab(QWidget* parent) : QWidget(parent) {
    setObjectName("tsCLIPINF");
    auto* v = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Clip:"));
    cbClipinf_ = makeCombo("cbClipinf", "Clip information files");
    cbClipinf_->setMinimumContentsLength(8);
    cbClipinf_->setEnabled(false);
    bReadCI_ = new QPushButton("Read");
    bReadCI_->setObjectName("bReadCI");
    bReadCI_->setToolTip("Reading clip information is not available in this version yet");
    bReadCI_->setEnabled(false);
    row->addWidget(cbClipinf_);
    row->addWidget(bReadCI_);
    row->addStretch(1);
    v->addLayout(row);
    auto* note = new QLabel("Clip information is not shown by this version yet.");
    note->setAlignment(Qt::AlignCenter);
    note->setEnabled(false);
    v->addWidget(note, 1);
}

void ClipinfTab::setClips(const std::vector<std::string>& names) {
    cbClipinf_->clear();
    for (const auto& n : names) cbClipinf_->addItem(QString::fromStdString(n));
    if (cbClipinf_->count() > 0) cbClipinf_->setCurrentIndex(0);
}

void ClipinfTab::setListEnabled(bool enabled) { cbClipinf_->setEnabled(enabled); }

bool ClipinfTab::selectClip(const QString& name) {
    const int at = cbClipinf_->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    cbClipinf_->setCurrentIndex(at);
    return at >= 0;
}

}  // namespace navelo::ui
