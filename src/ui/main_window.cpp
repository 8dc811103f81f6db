#include "ui/main_window.h"

#include "core/folder_check.h"

namespace navelo::ui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromStdString(navelo::windowTitle()));
    resize(897, 547);
}

}  // namespace navelo::ui
