#include "tests/support/modal_watchdog.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace hygrova::test {

ModalWatchdog::ModalWatchdog(std::chrono::milliseconds patience) : m_patience(patience)
{
    connect(&m_timer, &QTimer::timeout, this, &ModalWatchdog::Look);
    m_timer.start(std::chrono::milliseconds(100));
}

void ModalWatchdog::Look()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != m_seen) {
        m_seen = modal;
        m_since.start();
        return;
    }
    if (modal == nullptr || m_since.elapsed() < m_patience.count()) {
        return;
    }
    const auto* box = qobject_cast<QMessageBox*>(modal);
    ADD_FAILURE() << "a modal " << modal->metaObject()->className() << " stayed open: \""
                  << (box != nullptr ? box->text() : modal->windowTitle()).toStdString() << "\"";
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    } else {
        modal->close();
    }
    m_seen = nullptr;
}

}  // namespace hygrova::test
