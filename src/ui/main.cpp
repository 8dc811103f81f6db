#include <QApplication>
#include <QSettings>

#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Navelo");
    QApplication::setOrganizationName("Tessaly Software");
    navelo::ui::MainWindow window(QApplication::arguments().mid(1),
                                  std::make_unique<QSettings>("Tessaly Software", "Navelo"));
    window.show();
    return QApplication::exec();
}
