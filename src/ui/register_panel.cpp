#include "ui/register_panel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "core/text.h"

namespace navelo::ui {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

RegisterPanel::RegisterPanel(PlayerRegisters& registers, QWidget* parent) : QWidget(parent), regs_(registers) {
    setObjectName("pRegisters");
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    auto make = [&](const char* name, const char* hint, int width) {
        auto* e = new QLineEdit;
        e->setObjectName(name);
        e->setToolTip(hint);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(width, '0')) + 14);
        e->installEventFilter(this);
        return e;
    };
    psr_.number = make("iePSRnum", "PSR number", 4);
    psr_.value = make("hePSRval", "PSR value", 8);
    gpr_.number = make("ieGPRnum", "GPR number", 4);
    gpr_.value = make("heGPRval", "GPR value", 8);
    psr_.number->setMaxLength(4);
    gpr_.number->setMaxLength(4);
    for (QLineEdit* v : {psr_.value, gpr_.value}) {
        v->setMaxLength(8);
        v->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]{0,8}"), v));
    }
    h->addWidget(new QLabel("PSR"));
    h->addWidget(psr_.number);
    h->addWidget(psr_.value);
    h->addWidget(new QLabel("GPR"));
    h->addWidget(gpr_.number);
    h->addWidget(gpr_.value);
    connect(psr_.number, &QLineEdit::textEdited, this, [this] { numberChanged(RegisterBank::Psr); });
    connect(gpr_.number, &QLineEdit::textEdited, this, [this] { numberChanged(RegisterBank::Gpr); });
    refresh();
}

void RegisterPanel::numberChanged(RegisterBank bank) {
    Fields& f = fields(bank);
    const std::int64_t typed = readDecimalLenient(f.number->text().toStdString());
    f.selected = acceptRegisterNumber(bank, typed);
    // A number outside the bank turns the field back to 0.
    if (typed != static_cast<std::int64_t>(f.selected)) f.number->setText("0");
    showValue(bank);
}

void RegisterPanel::numberLeft(RegisterBank bank) {
    Fields& f = fields(bank);
    f.selected = registerNumberFromText(bank, f.number->text().toStdString());
    f.number->setText(q(registerNumberText(bank, f.selected)));
    showValue(bank);
}

void RegisterPanel::valueLeft(RegisterBank bank) {
    Fields& f = fields(bank);
    regs_.at(bank, f.selected) = registerValueFromText(f.value->text().toStdString());
    showValue(bank);
}

void RegisterPanel::showValue(RegisterBank bank) {
    Fields& f = fields(bank);
    f.value->setText(q(registerValueText(regs_.at(bank, f.selected))));
}

void RegisterPanel::refresh() {
    numberLeft(RegisterBank::Psr);
    numberLeft(RegisterBank::Gpr);
}

void RegisterPanel::selectRegister(RegisterBank bank, std::int64_t number) {
    Fields& f = fields(bank);
    f.selected = acceptRegisterNumber(bank, number);
    f.number->setText(q(registerNumberText(bank, f.selected)));
    showValue(bank);
}

std::uint32_t RegisterPanel::selected(RegisterBank bank) const { return bank == RegisterBank::Psr ? psr_.selected : gpr_.selected; }

bool RegisterPanel::eventFilter(QObject* watched, QEvent* event) {
    for (RegisterBank bank : {RegisterBank::Psr, RegisterBank::Gpr}) {
        Fields& f = fields(bank);
        if (watched == f.number) {
            if (event->type() == QEvent::FocusIn) {
                // While focused the plain number is shown.
                f.number->setText(QString::number(f.selected));
            } else if (event->type() == QEvent::FocusOut) {
                numberLeft(bank);
            } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return) {
                f.value->setFocus();
                return true;
            }
        } else if (watched == f.value) {
            if (event->type() == QEvent::FocusOut) {
                valueLeft(bank);
            } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return) {
                f.number->setFocus();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace navelo::ui
