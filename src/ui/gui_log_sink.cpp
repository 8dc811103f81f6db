#include "ui/gui_log_sink.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

namespace navelo::ui {

void GuiLogSink::beep() { QApplication::beep(); }

void GuiLogSink::pause(int milliseconds) {
    // The window stays usable while a message is held on screen.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::msleep(1);
    }
}

}  // namespace navelo::ui
