// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up: the least a Qt Widgets program does to show one window with five
// buttons. The start-up benchmark sets Vocarta's time to its main menu against this one's.
#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal Qt"));
    window.move(100, 50);
    window.setFixedSize(294, 155);
    const char* const labels[] = {"One", "Two", "Three", "Four", "Five"};
    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(labels[i]), &window);
        button->setGeometry(14, 10 + 28 * i, 265, 22);
    }
    window.show();
    return application.exec();
}
