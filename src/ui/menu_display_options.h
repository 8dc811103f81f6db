#pragma once
// The display switches of the Menu tab. They are the stored owners of these
// settings; the Options tab shows twins of all but the background switch.
#include <QWidget>

#include "ui/app_settings.h"

class QCheckBox;

namespace navelo::ui {

class MenuDisplayOptions : public QWidget {
    Q_OBJECT
public:
    // Lays the boxes out in `columns` columns (row by row, background last).
    explicit MenuDisplayOptions(QWidget* parent = nullptr, int columns = 2);

    QCheckBox* cbButtonId() const { return cbButtonId_; }
    QCheckBox* cbObjectId() const { return cbObjectId_; }
    QCheckBox* cbButtonFrame() const { return cbButtonFrame_; }
    QCheckBox* cbWindowFrame() const { return cbWindowFrame_; }
    QCheckBox* cbInEffect() const { return cbInEffect_; }
    QCheckBox* cbOutEffect() const { return cbOutEffect_; }
    QCheckBox* cbAnimate() const { return cbAnimate_; }
    QCheckBox* cbFullScreen() const { return cbFullScreen_; }
    QCheckBox* cbPlaySound() const { return cbPlaySound_; }
    QCheckBox* cbBackground() const { return cbBackground_; }

    // Setting a box that changes state emits its toggled signal, so whatever
    // listens (views, the Options twins) follows.
    void apply(const AppSettings& settings);
    void collect(AppSettings& settings) const;

signals:
    // Any of the boxes changed state.
    void displayChanged();

private:
    QCheckBox* cbButtonId_;
    QCheckBox* cbObjectId_;
    QCheckBox* cbButtonFrame_;
    QCheckBox* cbWindowFrame_;
    QCheckBox* cbInEffect_;
    QCheckBox* cbOutEffect_;
    QCheckBox* cbAnimate_;
    QCheckBox* cbFullScreen_;
    QCheckBox* cbPlaySound_;
    QCheckBox* cbBackground_;
};

}  // namespace navelo::ui
