// The yardstick for start-up: a bare Qt window with the same five widgets, the
// same fonts, caption and size, and no logic at all.
#include "control_font.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                | Qt::WindowCloseButtonHint);
    window.setWindowTitle(QStringLiteral("功率和dBm换算"));
    window.setFixedSize(219, 141);
    const QFont font = dbmconv::controlFont();

    auto* button = new QPushButton(QStringLiteral("计 算"), &window);
    button->setGeometry(72, 96, 65, 25);
    auto* result = new QLineEdit(&window);
    result->setFont(font);
    result->setGeometry(104, 56, 81, 25);
    result->setReadOnly(true);
    auto* input = new QLineEdit(&window);
    input->setFont(font);
    input->setGeometry(128, 16, 57, 25);
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    combo->setFont(font);
    combo->addItems({QStringLiteral("dBm:"), QStringLiteral("功率(W):")});
    combo->setGeometry(16, 16, 105, 24);
    auto* label = new QLabel(QStringLiteral("功率(W)："), &window);
    label->setFont(font);
    label->move(16, 64);
    label->adjustSize();

    QRect frame = window.frameGeometry();
    frame.moveCenter(window.screen()->availableGeometry().center());
    window.move(frame.topLeft());
    window.show();
    return QApplication::exec();
}
