#pragma once

#include "application_setup.h"
#include "converter_form_window.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

// Runs a QtTest class in an application set up exactly as the program's own.
#define DBMCONV_QTEST_MAIN(TestClass)                                                              \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        dbmconv::setUpApplication(app);                                                            \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

namespace dbmconv::test {

// The program's window as the entry point leaves it: created, loaded, shown
// centred and active, with its five controls found by name.
struct ShownWindow {
    std::unique_ptr<ConverterFormWindow> window = std::make_unique<ConverterFormWindow>();
    QComboBox* combo1 = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    QLineEdit* text1 = window->findChild<QLineEdit*>(QStringLiteral("Text1"));
    QLineEdit* text2 = window->findChild<QLineEdit*>(QStringLiteral("Text2"));
    QLabel* label1 = window->findChild<QLabel*>(QStringLiteral("Label1"));
    QPushButton* command1 = window->findChild<QPushButton*>(QStringLiteral("Command1"));

    ShownWindow()
    {
        window->form().Form_Load();
        window->showCentred();
    }

    [[nodiscard]] bool ready() const
    {
        window->activateWindow();
        return combo1 && text1 && text2 && label1 && command1
            && QTest::qWaitForWindowActive(window.get());
    }

    // Where the keyboard focus is once the window is active again. A window
    // manager hands activation back to a message box's owner when the box
    // closes; the offscreen platform has none, so the test does it.
    [[nodiscard]] QWidget* focusAfterMessageBox() const
    {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get())) {
            return nullptr;
        }
        return QApplication::focusWidget();
    }
};

// Delivers every event that the last action posted and runs every timer that is
// already due, until none is left: a box the action queued instead of showing it
// comes up here, where a MessageBoxCloser sees it, however busy the machine. A
// fixed wait would miss it when the machine is slow.
inline void deliverPendingEvents()
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    for (int round = 0; round < 1000; ++round) {
        QCoreApplication::sendPostedEvents();
        if (!dispatcher->processEvents(QEventLoop::AllEvents)) {
            return;
        }
    }
}

// What a message box showed before it was dismissed.
struct SeenMessageBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool modal = false;
    QWidget* owner = nullptr;
};

// Dismisses every message box that comes up, as a user would with Enter, after
// noting what it showed. A box that is still open after a few seconds (Enter did
// not close it) is closed by force and counted, so a test fails instead of hanging.
class MessageBoxCloser : public QObject {
public:
    explicit MessageBoxCloser(int pollMilliseconds = 10)
    {
        connect(&poll_, &QTimer::timeout, this, [this] { dismissOpenBox(); });
        poll_.start(pollMilliseconds);
    }

    QList<SeenMessageBox> seen;
    int stuck = 0;

    // Whether more boxes than `count` came: after every event the last action
    // posted has been delivered, and then for as long as a user would still
    // take a box for that action's answer (a second), returning as soon as one
    // comes.
    bool moreThan(int count)
    {
        deliverPendingEvents();
        return QTest::qWaitFor([&] { return seen.size() > count; }, 1000);
    }

private:
    void dismissOpenBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        if (!box->property(kSeen).toBool()) {
            box->setProperty(kSeen, true);
            openedAt_.start();
            SeenMessageBox record{box->windowTitle(), box->text(), box->icon(), {},
                                  box->isModal(), box->parentWidget()};
            for (QAbstractButton* button : box->buttons()) {
                record.buttons << button->text();
            }
            seen << record;
            QTest::keyClick(box, Qt::Key_Return);
            return;
        }
        if (openedAt_.elapsed() > 3000) {
            ++stuck;
            box->done(QMessageBox::Ok);
        }
    }

    static constexpr const char* kSeen = "dbmconvTestSeen";
    QTimer poll_;
    QElapsedTimer openedAt_;
};

} // namespace dbmconv::test
