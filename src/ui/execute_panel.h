#pragma once
// The command execution panel: Start, Trace, the command line field and the
// object the run belongs to.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace navelo::ui {

class ExecutePanel : public QWidget {
    Q_OBJECT
public:
    explicit ExecutePanel(QWidget* parent = nullptr);

    QPushButton* bStart() const { return bStart_; }
    QCheckBox* cbTrace() const { return cbTrace_; }
    QLineEdit* ieProgramLine() const { return ieProgramLine_; }
    QComboBox* cbObject() const { return cbObject_; }

    void setObjectCount(int count);
    void showLine(std::int32_t line);
    std::int32_t enteredLine() const;
    // Bold while a stepped run waits for the next Start.
    void setStepping(bool stepping);

signals:
    void startClicked();
    void lineEntered(std::int32_t line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* bStart_;
    QCheckBox* cbTrace_;
    QLineEdit* ieProgramLine_;
    QComboBox* cbObject_;
};

}  // namespace navelo::ui
