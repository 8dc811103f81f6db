#include "ui/execute_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "core/text.h"

namespace navelo::ui {

ExecutePanel::ExecutePanel(QWidget* parent) : QWidget(parent) {
    setObjectName("pExecute");
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    bStart_ = new QPushButton("Start");
    bStart_->setObjectName("bStart");
    bStart_->setToolTip("Execute the button commands");
    bStart_->setEnabled(false);
    cbTrace_ = new QCheckBox("Trace");
    cbTrace_->setObjectName("cbTrace");
    cbTrace_->setToolTip("Trace (execute commands step by step)");
    ieProgramLine_ = new QLineEdit("0000");
    ieProgramLine_->setObjectName("ieProgramLine");
    ieProgramLine_->setToolTip("Command line");
    ieProgramLine_->setMaxLength(4);
    ieProgramLine_->setFixedWidth(ieProgramLine_->fontMetrics().horizontalAdvance("00000") + 12);
    ieProgramLine_->installEventFilter(this);
    cbObject_ = new QComboBox;
    cbObject_->setObjectName("cbObject");
    cbObject_->setToolTip("Object");
    cbObject_->setEnabled(false);
    h->addWidget(bStart_);
    h->addWidget(cbTrace_);
    h->addWidget(ieProgramLine_);
    h->addWidget(cbObject_);
    connect(bStart_, &QPushButton::clicked, this, &ExecutePanel::startClicked);
    // The hint of Start shows only while Trace is off.
    connect(cbTrace_, &QCheckBox::toggled, this,
            [this](bool on) { bStart_->setToolTip(on ? QString() : QString("Execute the button commands")); });
}

void ExecutePanel::setObjectCount(int count) {
    cbObject_->clear();
    for (int i = 0; i < count; ++i) cbObject_->addItem(QString::fromStdString(zeroPad(static_cast<std::uint64_t>(i), 4)));
}

void ExecutePanel::showLine(std::int32_t line) {
    ieProgramLine_->setText(QString::fromStdString(line < 0 ? "-" + zeroPad(static_cast<std::uint64_t>(-static_cast<std::int64_t>(line)), 3)
                                                          : zeroPad(static_cast<std::uint64_t>(line), 4)));
}

std::int32_t ExecutePanel::enteredLine() const {
    return static_cast<std::int32_t>(readDecimalLenient(ieProgramLine_->text().toStdString()));
}

void ExecutePanel::setStepping(bool stepping) {
    QFont f = bStart_->font();
    f.setBold(stepping);
    bStart_->setFont(f);
}

bool ExecutePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ieProgramLine_) {
        if (event->type() == QEvent::FocusOut) {
            emit lineEntered(enteredLine());
            showLine(enteredLine());
        } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return) {
            bStart_->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace navelo::ui
