#pragma once
#include <QMainWindow>

namespace navelo::ui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace navelo::ui
