// The yardstick for start-up: a bare Qt window with the same five widgets, the
// same fonts, caption and size, and no logic at all.
#include "control_font.h"
#include "qt_text.h"
#include "window_layout.h"
#include "window_texts.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

int main(int argc, char* argv[])
{
    namespace layout = dbmconv::layout;
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                | Qt::WindowCloseButtonHint);
    window.setWindowTitle(dbmconv::toQString(dbmconv::texts::kWindowCaption));
    window.setFixedSize(layout::clientSize());
    const QFont font = dbmconv::controlFont();

    auto* button = new QPushButton(dbmconv::toQString(dbmconv::texts::kCalculateCaption), &window);
    button->setGeometry(layout::toPixels(layout::kCommand1));
    auto* result = new QLineEdit(&window);
    result->setFont(font);
    result->setGeometry(layout::toPixels(layout::kText2));
    result->setReadOnly(true);
    auto* input = new QLineEdit(&window);
    input->setFont(font);
    input->setGeometry(layout::toPixels(layout::kText1));
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    combo->setFont(font);
    for (const auto mode : dbmconv::texts::kModeList) {
        combo->addItem(dbmconv::toQString(mode));
    }
    combo->setGeometry(layout::toPixels(layout::kCombo1));
    auto* label = new QLabel(dbmconv::toQString(dbmconv::texts::kCaptionWatts), &window);
    label->setFont(font);
    label->setGeometry(layout::toPixels(layout::kLabel1));
    label->adjustSize();

    QRect frame = window.frameGeometry();
    frame.moveCenter(window.screen()->availableGeometry().center());
    window.move(frame.topLeft());
    window.show();
    return QApplication::exec();
}
