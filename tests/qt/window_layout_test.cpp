// The window as it first appears: texts, controls, places, fonts, flags, focus.
#include "window_test_support.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>
#include <QScreen>

using dbmconv::test::ShownWindow;

class WindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheLoadedTextsAndFocusInTheModeList()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        QCOMPARE(w.window->windowTitle(), QStringLiteral("功率和dBm换算"));
        QCOMPARE(w.combo1->currentText(), QStringLiteral("dBm:"));
        QCOMPARE(w.label1->text(), QStringLiteral("功率(W)："));
        QCOMPARE(w.text1->text(), QString());
        QCOMPARE(w.text2->text(), QString());
        QCOMPARE(w.command1->text(), QStringLiteral("计 算"));
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused == w.combo1 || w.combo1->isAncestorOf(focused));
    }

    void theListHoldsExactlyTheTwoModesAndCompletesNothing()
    {
        ShownWindow w;
        QCOMPARE(w.combo1->count(), 2);
        QCOMPARE(w.combo1->itemText(0), QStringLiteral("dBm:"));
        QCOMPARE(w.combo1->itemText(1), QStringLiteral("功率(W):"));
        QVERIFY(w.combo1->isEditable());
        QCOMPARE(w.combo1->insertPolicy(), QComboBox::NoInsert);
        QVERIFY(w.combo1->completer() == nullptr);
    }

    // What Qt's accessibility hands a screen reader (the combo box is named by
    // its text on Linux; its purpose comes by relation, checked end to end).
    void everyControlHasItsNameAndTheNameAScreenReaderReads_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessibleName");
        QTest::newRow("Combo1") << "Combo1" << "dBm:";
        QTest::newRow("Text1") << "Text1" << "输入值";
        QTest::newRow("Text2") << "Text2" << "功率(W)：";
        QTest::newRow("Label1") << "Label1" << "功率(W)：";
        QTest::newRow("Command1") << "Command1" << "计 算";
    }

    void everyControlHasItsNameAndTheNameAScreenReaderReads()
    {
        QFETCH(QString, name);
        QFETCH(QString, accessibleName);
        ShownWindow w;
        auto* control = w.window->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible != nullptr);
        QCOMPARE(accessible->text(QAccessible::Name), accessibleName);
    }

    void controlsSitWhereTheTwipsPutThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("Command1") << "Command1" << QRect(72, 96, 65, 25);
        QTest::newRow("Text2") << "Text2" << QRect(104, 56, 81, 25);
        QTest::newRow("Text1") << "Text1" << QRect(128, 16, 57, 25);
        QTest::newRow("Combo1") << "Combo1" << QRect(16, 16, 105, 24);
    }

    void controlsSitWhereTheTwipsPutThem()
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        ShownWindow w;
        const QRect geometry = w.window->findChild<QWidget*>(name)->geometry();
        QCOMPARE(geometry.topLeft(), pixels.topLeft());
        QCOMPARE(geometry.width(), pixels.width());
        // the combo box may take the height its font gives it
        if (name == QStringLiteral("Combo1")) {
            QVERIFY(geometry.height() >= pixels.height());
            QVERIFY(geometry.bottom() < w.label1->y());
        } else {
            QCOMPARE(geometry.height(), pixels.height());
        }
    }

    void text2EndsAtTheRightEdgeOfText1()
    {
        ShownWindow w;
        QCOMPARE(w.text2->geometry().right(), w.text1->geometry().right());
    }

    void theClientAreaIsFixedAtItsDesignedSize()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        QCOMPARE(w.window->size(), QSize(219, 141));
        QCOMPARE(w.window->minimumSize(), QSize(219, 141));
        QCOMPARE(w.window->maximumSize(), QSize(219, 141));
        w.window->resize(400, 300);
        QCOMPARE(w.window->size(), QSize(219, 141));
    }

    void theFrameOffersCloseButNeitherMinimizeNorMaximize()
    {
        ShownWindow w;
        const Qt::WindowFlags flags = w.window->windowFlags();
        QVERIFY(flags.testFlag(Qt::Window));
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowFullscreenButtonHint));
    }

    void theWindowIsCentredOnItsScreen()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        const QPoint screenCentre = w.window->screen()->availableGeometry().center();
        const QPoint windowCentre = w.window->frameGeometry().center();
        QVERIFY2((screenCentre - windowCentre).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("window centre %1,%2; screen centre %3,%4")
                                .arg(windowCentre.x())
                                .arg(windowCentre.y())
                                .arg(screenCentre.x())
                                .arg(screenCentre.y())));
    }

    void theFourControlsUseTheTwelvePointSongFaceAndTheButtonTheDefault_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Combo1") << "Combo1";
        QTest::newRow("Text1") << "Text1";
        QTest::newRow("Text2") << "Text2";
        QTest::newRow("Label1") << "Label1";
    }

    void theFourControlsUseTheTwelvePointSongFaceAndTheButtonTheDefault()
    {
        QFETCH(QString, name);
        ShownWindow w;
        const QFont font = w.window->findChild<QWidget*>(name)->font();
        QCOMPARE(font.pointSize(), 12);
        QCOMPARE(font.weight(), QFont::Normal);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        QVERIFY(font.families().startsWith(QStringLiteral("SimSun")));

        // Whatever face is found must draw Chinese: the texts never become boxes.
        const QString resolved = QFontInfo(font).family();
        QVERIFY2(QFontDatabase::writingSystems(resolved).contains(QFontDatabase::SimplifiedChinese),
                 qPrintable(resolved));
        QCOMPARE(w.command1->font(), QApplication::font());
    }

    void tabbingVisitsComboInputResultButtonAndBack()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        const QList<QWidget*> order{w.text1, w.text2, w.command1, w.combo1, w.text1};
        for (QWidget* expected : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            QVERIFY2(focused == expected || expected->isAncestorOf(focused),
                     qPrintable(expected->objectName()));
        }
        const QList<QWidget*> reverse{w.combo1, w.command1, w.text2, w.text1};
        for (QWidget* expected : reverse) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QWidget* focused = QApplication::focusWidget();
            QVERIFY2(focused == expected || expected->isAncestorOf(focused),
                     qPrintable(expected->objectName()));
        }
        QCOMPARE(w.label1->focusPolicy(), Qt::NoFocus);
    }

    void theLabelGrowsFromItsCornerToShowTheWholeCaption()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        for (const int index : {1, 0, 1}) {
            w.combo1->setFocus();
            QTest::keyClick(w.combo1, index == 1 ? Qt::Key_Down : Qt::Key_Up);
            const QString caption = w.label1->text();
            QCOMPARE(w.label1->pos(), QPoint(16, 64));
            QVERIFY(w.label1->width() >= w.label1->fontMetrics().horizontalAdvance(caption));
            QVERIFY(w.label1->height() >= w.label1->fontMetrics().height());
            QVERIFY(w.label1->height() < 2 * w.label1->fontMetrics().lineSpacing());
        }
        QCOMPARE(w.label1->text(), QStringLiteral("dBm或dB："));
    }

    void theWindowCarriesTheProgramIconAndVersion()
    {
        ShownWindow w;
        const QIcon icon = w.window->windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.00"));
    }
};

DBMCONV_QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
