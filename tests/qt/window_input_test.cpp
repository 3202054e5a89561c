// What typing, picking and pasting do to the controls.
#include "text1_insertions.h"
#include "window_test_support.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QWheelEvent>

#include <limits>

using dbmconv::test::ShownWindow;

class WindowInputTest : public QObject {
    Q_OBJECT

private:
    // Opens the list and clicks on an entry, as a user picks with the mouse.
    static void pickWithMouse(QComboBox* combo, int entry)
    {
        combo->showPopup();
        QAbstractItemView* list = combo->view();
        QTRY_VERIFY(list->isVisible());
        const QRect rect = list->visualRect(list->model()->index(entry, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTRY_VERIFY(!list->isVisible());
    }

    enum class ModeChange {
        TypedThenReturn,
        TypedThenKeypadEnter,
        TypedThenTab,
        TypedThenClickIntoText1,
        TypedThenOtherWindow,
        PickedWithDownKey,
        PickedWithWheel,
        PickedInList,
    };

    // Turns the mode from dBm to watts the given way, starting from "dBm:".
    static void changeModeToWatts(ShownWindow& w, ModeChange change)
    {
        const QString watts = QStringLiteral("功率(W):");
        w.combo1->setFocus();
        if (change < ModeChange::PickedWithDownKey) {
            w.combo1->lineEdit()->selectAll();
            commitThroughInputMethod(w.combo1->lineEdit(), watts);
        }
        switch (change) {
        case ModeChange::TypedThenReturn:
            QTest::keyClick(w.combo1, Qt::Key_Return);
            break;
        case ModeChange::TypedThenKeypadEnter:
            QTest::keyClick(w.combo1, Qt::Key_Enter, Qt::KeypadModifier);
            break;
        case ModeChange::TypedThenTab:
            QTest::keyClick(w.combo1, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), w.text1);
            break;
        case ModeChange::TypedThenClickIntoText1:
            QTest::mouseClick(w.text1, Qt::LeftButton, {}, w.text1->rect().center());
            QCOMPARE(QApplication::focusWidget(), w.text1);
            break;
        case ModeChange::TypedThenOtherWindow: {
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            break;
        }
        case ModeChange::PickedWithDownKey:
            QTest::keyClick(w.combo1, Qt::Key_Down);
            break;
        case ModeChange::PickedWithWheel: {
            const QPointF inside = QRectF(w.combo1->rect()).center();
            QWheelEvent notch(inside, w.combo1->mapToGlobal(inside), {}, {0, -120}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(w.combo1, &notch);
            break;
        }
        case ModeChange::PickedInList:
            pickWithMouse(w.combo1, 1);
            break;
        }
    }

    static void commitThroughInputMethod(QWidget* target, const QString& text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(target, &event);
    }

    // Pastes as the paste entry of the box's own context menu does; that menu
    // names no shortcut, since Ctrl+V does nothing in this box.
    static void pasteThroughTheBoxsOwnMenu(QLineEdit* box)
    {
        const QPoint inside = box->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Mouse, inside, box->mapToGlobal(inside));
        QApplication::sendEvent(box, &request);
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            QVERIFY2(!action->text().contains(QLatin1Char('\t')), qPrintable(action->text()));
            if (action->text().startsWith(QStringLiteral("粘贴"))) {
                paste = action;
            }
        }
        QVERIFY(paste != nullptr);
        menu->close();
        paste->trigger();
    }

    // Whether a drag over the widget could end in it: Qt offers a drop to the
    // widget under the pointer or the nearest of its parents that takes drops.
    static bool takesDrops(QWidget* widget)
    {
        for (; widget != nullptr; widget = widget->parentWidget()) {
            if (widget->acceptDrops()) {
                return true;
            }
        }
        return false;
    }

private slots:
    // The table that every window's suite runs: typed keys and an input
    // method's text through the key filter, a menu paste unfiltered, the
    // clipboard shortcuts doing nothing, a drop refused.
    void whatReachesText1_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("result");
        for (const auto& row : dbmconv::test::text1Insertions()) {
            QTest::addRow("%s %s", row.way.c_str(), row.given.c_str())
                << QString::fromStdString(row.way) << QString::fromUtf8(row.given) << QString::fromUtf8(row.before)
                << QString::fromUtf8(row.after) << QString::fromUtf8(row.result);
        }
    }

    void whatReachesText1()
    {
        QFETCH(QString, way);
        QFETCH(QString, given);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, result);
        ShownWindow w;
        QVERIFY(w.ready());
        QApplication::clipboard()->setText(QStringLiteral("99"));
        w.text1->setText(before);
        w.text1->setFocus();
        if (way == QLatin1String("type")) {
            QTest::keyClicks(w.text1, given);
        } else if (way == QLatin1String("commit")) {
            commitThroughInputMethod(w.text1, given);
        } else if (way == QLatin1String("paste")) {
            QApplication::clipboard()->setText(given);
            pasteThroughTheBoxsOwnMenu(w.text1);
        } else if (way == QLatin1String("key")) {
            QVERIFY(given.startsWith(QStringLiteral("Ctrl+")) && given.size() == 6);
            w.text1->selectAll();
            QTest::keyClick(w.text1, given.back().toLatin1(), Qt::ControlModifier);
        } else {
            QCOMPARE(way, QStringLiteral("drop"));
            QVERIFY(!takesDrops(w.text1));
        }
        QCOMPARE(w.text1->text(), after);
        if (!result.isEmpty()) {
            QTest::keyClick(w.text1, Qt::Key_Return);
            QCOMPARE(w.text2->text(), result);
        }
    }

    void controlCharactersDoNothingInTheInput_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
    }

    void controlCharactersDoNothingInTheInput()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        ShownWindow w;
        QVERIFY(w.ready());
        QApplication::clipboard()->setText(QStringLiteral("99"));
        w.text1->setFocus();
        QTest::keyClicks(w.text1, QStringLiteral("12.5"));
        w.text1->setSelection(1, 2);
        QTest::keyClick(w.text1, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w.text1->text(), QStringLiteral("12.5"));
        QCOMPARE(w.text1->selectedText(), QStringLiteral("2."));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("99"));
    }

    void keysWithoutACharacterKeepTheirMeaning()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        w.text1->setFocus();
        QTest::keyClicks(w.text1, QStringLiteral("12345"));
        QTest::keyClick(w.text1, Qt::Key_Home);
        QTest::keyClick(w.text1, Qt::Key_Delete);
        QCOMPARE(w.text1->text(), QStringLiteral("2345"));
        QTest::keyClick(w.text1, Qt::Key_End);
        QTest::keyClick(w.text1, Qt::Key_Left);
        QTest::keyClick(w.text1, Qt::Key_Backspace);
        QCOMPARE(w.text1->text(), QStringLiteral("235"));
        QTest::keyClick(w.text1, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(w.text1, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(w.text1->selectedText(), QStringLiteral("23"));
        QTest::keyClick(w.text1, Qt::Key_End);
        QTest::keyClick(w.text1, Qt::Key_Left);
        QTest::keyClick(w.text1, Qt::Key_Minus);
        QCOMPARE(w.text1->text(), QStringLiteral("23-5"));
    }

    void aLongPasteIsKeptWhole()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        const QString digits = QStringLiteral("2") + QString(99999, QLatin1Char('0'));
        QApplication::clipboard()->setText(QStringLiteral("-") + digits);
        w.text1->paste();
        QCOMPARE(w.text1->text().size(), 100001);
        QCOMPARE(w.text1->maxLength(), std::numeric_limits<int>::max());
        QCOMPARE(w.text1->text().right(3), QStringLiteral("000"));
    }

    void pickingTheEntryAlreadyCurrentRestoresItsTextOverWhatWasTyped()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        w.combo1->setFocus();
        w.combo1->lineEdit()->selectAll();
        QTest::keyClicks(w.combo1, QStringLiteral("xyz"));
        QCOMPARE(w.combo1->currentIndex(), 0);
        pickWithMouse(w.combo1, 0);
        QCOMPARE(w.combo1->currentText(), QStringLiteral("dBm:"));
        w.text1->setText(QStringLiteral("30"));
        w.text1->setFocus();
        QTest::keyClick(w.text1, Qt::Key_Return);
        QCOMPARE(w.text2->text(), QStringLiteral("1"));
    }

    // Every way an edit of Combo1 can end leaves the label alone, though the
    // typed mode is an entry of the list; every way of picking moves it.
    void theLabelFollowsPicksButNotEditsThatEnd_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("label");
        const QString unchanged = QStringLiteral("功率(W)：");
        const QString picked = QStringLiteral("dBm或dB：");
        QTest::newRow("typed, then Return") << int(ModeChange::TypedThenReturn) << unchanged;
        QTest::newRow("typed, then keypad Enter") << int(ModeChange::TypedThenKeypadEnter) << unchanged;
        QTest::newRow("typed, then Tab") << int(ModeChange::TypedThenTab) << unchanged;
        QTest::newRow("typed, then a click into Text1") << int(ModeChange::TypedThenClickIntoText1) << unchanged;
        QTest::newRow("typed, then another window") << int(ModeChange::TypedThenOtherWindow) << unchanged;
        QTest::newRow("picked with the Down key") << int(ModeChange::PickedWithDownKey) << picked;
        QTest::newRow("picked with the mouse wheel") << int(ModeChange::PickedWithWheel) << picked;
        QTest::newRow("picked in the list") << int(ModeChange::PickedInList) << picked;
    }

    void theLabelFollowsPicksButNotEditsThatEnd()
    {
        QFETCH(int, change);
        QFETCH(QString, label);
        ShownWindow w;
        QVERIFY(w.ready());
        w.text2->setText(QStringLiteral("1"));
        changeModeToWatts(w, ModeChange(change));
        QCOMPARE(w.combo1->currentText(), QStringLiteral("功率(W):"));
        QCOMPARE(w.label1->text(), label);
        QCOMPARE(w.combo1->count(), 2);
        // the result stays until the next calculation, which takes the new mode
        QCOMPARE(w.text2->text(), QStringLiteral("1"));
        QVERIFY(w.ready());
        w.text1->setFocus();
        QTest::keyClicks(w.text1, QStringLiteral("2"));
        QTest::keyClick(w.text1, Qt::Key_Return);
        QCOMPARE(w.text2->text(), QStringLiteral("33.0103"));
    }

    void typingAndEnterInTheComboNeverAddEntries()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        for (const QString& typed : {QStringLiteral("dbm:"), QStringLiteral("watts"), QStringLiteral("dB")}) {
            w.combo1->setFocus();
            w.combo1->lineEdit()->selectAll();
            QTest::keyClicks(w.combo1, typed);
            QTest::keyClick(w.combo1, Qt::Key_Return);
            QCOMPARE(w.combo1->currentText(), typed);
            QCOMPARE(w.combo1->count(), 2);
            QCOMPARE(w.label1->text(), QStringLiteral("功率(W)："));
        }
    }

    void theResultBoxCanBeSelectedAndCopiedButNotEdited()
    {
        ShownWindow w;
        QVERIFY(w.ready());
        w.text1->setFocus();
        QTest::keyClicks(w.text1, QStringLiteral("33"));
        QTest::keyClick(w.text1, Qt::Key_Return);
        QCOMPARE(w.text2->text(), QStringLiteral("1.9953"));

        QTest::keyClick(w.text1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.text2);
        QTest::keyClicks(w.text2, QStringLiteral("7x"));
        QTest::keyClick(w.text2, Qt::Key_Backspace);
        QTest::keyClick(w.text2, Qt::Key_Delete);
        QCOMPARE(w.text2->text(), QStringLiteral("1.9953"));
        commitThroughInputMethod(w.text2, QStringLiteral("5功"));
        QCOMPARE(w.text2->text(), QStringLiteral("1.9953"));
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(w.text2, &query);
        QCOMPARE(query.value(Qt::ImEnabled).toBool(), false);
        QVERIFY(w.text2->isReadOnly());
        QTest::keyClick(w.text2, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w.text2->selectedText(), QStringLiteral("1.9953"));
        QTest::keyClick(w.text2, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1.9953"));
    }
};

DBMCONV_QTEST_MAIN(WindowInputTest)
#include "window_input_test.moc"
