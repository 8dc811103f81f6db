// Saves a picture of every tab of the main window, for looking at the layout:
//   navelo-grab-tabs OUTDIR [BDMV folder [PlayList name]]
// The PLAYLIST tab shows the named PlayList, or the first one of the folder.
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTabWidget>

#include "ui/main_window.h"
#include "ui/playlist_tab.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) return 2;
    const QString out = args.front();
    QDir().mkpath(out);
    auto settings = std::make_unique<QSettings>(out + "/grab-settings.ini", QSettings::IniFormat);
    navelo::ui::MainWindow window(args.mid(1, 1), std::move(settings));
    window.resize(qEnvironmentVariableIntValue("GRAB_W") ? qEnvironmentVariableIntValue("GRAB_W") : 1200, qEnvironmentVariableIntValue("GRAB_H") ? qEnvironmentVariableIntValue("GRAB_H") : 760);
    window.show();
    window.startUp();
    if (args.size() > 2) window.playlistTab()->selectPlaylist(args[2]);
    window.playlistTab()->readSelected();
    for (int i = 0; i < window.pages()->count(); ++i) {
        window.pages()->setCurrentIndex(i);
        QApplication::processEvents();
        window.grab().save(QString("%1/tab%2.png").arg(out).arg(i));
    }
    return 0;
}
