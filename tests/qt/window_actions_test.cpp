// Calculations from the keyboard and the button, with their reminders and errors.
#include "window_test_support.h"

using dbmconv::test::MessageBoxCloser;
using dbmconv::test::ShownWindow;

class WindowActionsTest : public QObject {
    Q_OBJECT

private:
    static void pickWattsToDbm(ShownWindow& w)
    {
        w.combo1->setFocus();
        QTest::keyClick(w.combo1, Qt::Key_Down);
    }

private slots:
    void enterInTheInputCalculatesInEitherDirection_data()
    {
        QTest::addColumn<bool>("watts");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0 dBm") << false << "0" << "0.001";
        QTest::newRow("47 dBm") << false << "47" << "50.1187";
        QTest::newRow("-13 dBm") << false << "-13" << "0.0001";
        QTest::newRow("-20 dBm") << false << "-20" << "0";
        QTest::newRow("--1 dBm") << false << "--1" << "0.001";
        QTest::newRow("1 W") << true << "1" << "30";
        QTest::newRow("0.5 W") << true << "0.5" << "26.9897";
        QTest::newRow("0.0008 W") << true << "0.0008" << "-.9691";
        QTest::newRow("1.2.3 W") << true << "1.2.3" << "30.7918";
    }

    void enterInTheInputCalculatesInEitherDirection()
    {
        QFETCH(bool, watts);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        ShownWindow w;
        QVERIFY(w.ready());
        if (watts) {
            pickWattsToDbm(w);
        }
        w.text1->setFocus();
        QTest::keyClicks(w.text1, typed);
        QTest::keyClick(w.text1, Qt::Key_Return);
        QCOMPARE(w.text2->text(), shown);
        QCOMPARE(w.text1->text(), typed);
        QCOMPARE(QApplication::focusWidget(), w.text1);
    }

    void theButtonCalculatesByMouseSpaceAndEnterButIsNoDefault()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        QVERIFY(!w.command1->isDefault());
        w.text1->setText(QStringLiteral("20"));
        QTest::mouseClick(w.command1, Qt::LeftButton);
        QCOMPARE(w.text2->text(), QStringLiteral("0.1"));

        w.text1->setText(QStringLiteral("30"));
        w.command1->setFocus();
        QTest::keyClick(w.command1, Qt::Key_Space);
        QCOMPARE(w.text2->text(), QStringLiteral("1"));

        w.text1->setText(QStringLiteral("33"));
        QTest::keyClick(w.command1, Qt::Key_Return);
        QCOMPARE(w.text2->text(), QStringLiteral("1.9953"));

        // Enter in the mode list reaches no button
        w.text1->setText(QStringLiteral("47"));
        w.combo1->setFocus();
        QTest::keyClick(w.combo1, Qt::Key_Return);
        QCOMPARE(w.text2->text(), QStringLiteral("1.9953"));
    }

    void anEmptyInputBringsTheReminderThenTheFocusGoesToTheInput_data()
    {
        QTest::addColumn<bool>("watts");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("reminder");
        QTest::newRow("dBm, nothing") << false << "" << "请输入dBm或dB的值！";
        QTest::newRow("dBm, spaces") << false << "   " << "请输入dBm或dB的值！";
        QTest::newRow("watts, nothing") << true << "" << "请输入功率值(W)！";
    }

    void anEmptyInputBringsTheReminderThenTheFocusGoesToTheInput()
    {
        QFETCH(bool, watts);
        QFETCH(QString, input);
        QFETCH(QString, reminder);
        ShownWindow w;
        QVERIFY(w.ready());
        if (watts) {
            pickWattsToDbm(w);
        }
        w.text1->setText(input);
        w.text2->setText(QStringLiteral("previous"));

        MessageBoxCloser closer;
        QTest::mouseClick(w.command1, Qt::LeftButton);
        QTRY_COMPARE(closer.seen.size(), 1);
        QCOMPARE(closer.stuck, 0);
        const auto& box = closer.seen.front();
        QCOMPARE(box.title, QStringLiteral("提示"));
        QCOMPARE(box.text, reminder);
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.buttons, QStringList{QStringLiteral("确定")});
        QVERIFY(box.modal);
        QCOMPARE(box.owner, w.window.get());
        QCOMPARE(w.window->focusWidget(), w.text1);
        QCOMPARE(w.focusAfterMessageBox(), w.text1);
        QCOMPARE(w.text2->text(), QStringLiteral("previous"));
        QCOMPARE(w.text1->text(), input);
    }

    void dismissingTheReminderWithEnterStartsNoNewCalculation()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        MessageBoxCloser closer;
        w.text1->setFocus();
        QTest::keyClick(w.text1, Qt::Key_Return);
        QTRY_COMPARE(closer.seen.size(), 1);
        QCOMPARE(w.window->focusWidget(), w.text1);
        QCOMPARE(w.focusAfterMessageBox(), w.text1);
        QVERIFY(!closer.moreThan(1));
        QCOMPARE(closer.stuck, 0);
    }

    void aCalculationThatCannotBeDoneSaysWhyAndKeepsTheResult_data()
    {
        QTest::addColumn<bool>("watts");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        QTest::newRow("0 W") << true << "0" << "功率值必须大于0！";
        QTest::newRow("- W") << true << "-" << "功率值必须大于0！";
        QTest::newRow("-5 W") << true << "-5" << "功率值必须大于0！";
        QTest::newRow("400 digits W") << true << QString(400, QLatin1Char('9')) << "数值超出范围！";
        QTest::newRow("400 digits dBm") << false << QString(400, QLatin1Char('9')) << "数值超出范围！";
        QTest::newRow("4000 dBm") << false << "4000" << "数值超出范围！";
    }

    void aCalculationThatCannotBeDoneSaysWhyAndKeepsTheResult()
    {
        QFETCH(bool, watts);
        QFETCH(QString, input);
        QFETCH(QString, message);
        ShownWindow w;
        QVERIFY(w.ready());
        if (watts) {
            pickWattsToDbm(w);
        }
        w.text2->setText(QStringLiteral("previous"));
        w.text1->setFocus();
        QTest::keyClicks(w.text1, input);

        MessageBoxCloser closer;
        QTest::keyClick(w.text1, Qt::Key_Return);
        QTRY_COMPARE(closer.seen.size(), 1);
        QCOMPARE(closer.stuck, 0);
        const auto& box = closer.seen.front();
        QCOMPARE(box.title, QStringLiteral("提示"));
        QCOMPARE(box.text, message);
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QStringList{QStringLiteral("确定")});
        QCOMPARE(w.text2->text(), QStringLiteral("previous"));
        QCOMPARE(w.text1->text(), input);
        QCOMPARE(w.window->focusWidget(), w.text1);
        QCOMPARE(w.focusAfterMessageBox(), w.text1);

        // and the window goes on working
        w.text1->setText(QStringLiteral("1"));
        QTest::keyClick(w.text1, Qt::Key_Return);
        QCOMPARE(w.text2->text(), watts ? QStringLiteral("30") : QStringLiteral("0.0013"));
    }

    void anUnrecognisedModeCalculatesNothingAndSaysNothing()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        w.combo1->setEditText(QStringLiteral("dbm:"));
        w.text2->setText(QStringLiteral("previous"));
        MessageBoxCloser closer;
        for (const QString& input : {QStringLiteral("30"), QString()}) {
            w.text1->setText(input);
            w.text1->setFocus();
            QTest::keyClick(w.text1, Qt::Key_Return);
        }
        QVERIFY(!closer.moreThan(0));
        QCOMPARE(w.text2->text(), QStringLiteral("previous"));
    }
};

DBMCONV_QTEST_MAIN(WindowActionsTest)
#include "window_actions_test.moc"
