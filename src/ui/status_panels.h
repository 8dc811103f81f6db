#pragma once
// The two-panel status bar: activity (panel 0) and detail (panel 1), with the
// red "ERROR" look that lasts until the next status message.
#include <QLabel>
#include <QStatusBar>
#include <string_view>

namespace navelo::ui {

class StatusPanels : public QObject {
    Q_OBJECT
public:
    explicit StatusPanels(QStatusBar* bar);
    void setPanel(int panel, std::string_view text);
    void showErrorLook(std::string_view panel1Text);

    QString panelText(int panel) const;
    bool errorLook() const { return errorLook_; }

private:
    void setErrorLook(bool on);
    QStatusBar* bar_;
    QLabel* panel0_;
    QLabel* panel1_;
    bool errorLook_ = false;
};

}  // namespace navelo::ui
