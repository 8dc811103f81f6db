#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Navelo");
    QApplication::setOrganizationName("Tessaly Software");
    navelo::ui::MainWindow window;
    window.show();
    return QApplication::exec();
}
