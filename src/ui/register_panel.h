#pragma once
// The register panel: one PSR and one GPR shown and edited by number and value.
#include <QWidget>

#include "interpreter/player_registers.h"

class QLineEdit;

namespace navelo::ui {

class RegisterPanel : public QWidget {
    Q_OBJECT
public:
    RegisterPanel(PlayerRegisters& registers, QWidget* parent = nullptr);

    // Re-reads both selected registers, as if each number field had been left.
    void refresh();
    // Selects a register, as if its number had been typed and the field left.
    void selectRegister(RegisterBank bank, std::int64_t number);
    std::uint32_t selected(RegisterBank bank) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Fields {
        QLineEdit* number;
        QLineEdit* value;
        std::uint32_t selected = 0;
    };
    Fields& fields(RegisterBank bank) { return bank == RegisterBank::Psr ? psr_ : gpr_; }
    void numberChanged(RegisterBank bank);
    void numberLeft(RegisterBank bank);
    void valueLeft(RegisterBank bank);
    void showValue(RegisterBank bank);

    PlayerRegisters& regs_;
    Fields psr_{};
    Fields gpr_{};
};

}  // namespace navelo::ui
