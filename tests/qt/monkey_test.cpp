// A seeded random stream of user events on the real window: keys of every kind,
// input-method text, pastes up to 1 MiB, picks and typed modes, Enter, clicks,
// message boxes answered. After every event the window must still make sense.
// DBMCONV_MONKEY_SEED replays a run; DBMCONV_MONKEY_EVENTS sets its length.
#include "form_oracle.h"
#include "result_text_properties.h"
#include "window_test_support.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QInputMethodEvent>

#include <optional>
#include <random>

using dbmconv::test::MessageBoxCloser;
using dbmconv::test::ShownWindow;

namespace {

const QStringList kModes{QStringLiteral("dBm:"), QStringLiteral("功率(W):")};
const QStringList kCaptions{QStringLiteral("功率(W)："), QStringLiteral("dBm或dB：")};
const QStringList kReminders{QStringLiteral("请输入dBm或dB的值！"), QStringLiteral("请输入功率值(W)！")};
const QStringList kErrors{QStringLiteral("数值超出范围！"), QStringLiteral("功率值必须大于0！")};
const QString kTypeable = QStringLiteral("-.0123456789");

quint64 seedFromEnvironment()
{
    bool ok = false;
    const quint64 seed = qEnvironmentVariable("DBMCONV_MONKEY_SEED").toULongLong(&ok);
    return ok ? seed : std::random_device{}();
}

int eventsFromEnvironment()
{
    bool ok = false;
    const int events = qEnvironmentVariableIntValue("DBMCONV_MONKEY_EVENTS", &ok);
    return ok && events > 0 ? events : 50000;
}

class Monkey {
public:
    Monkey(ShownWindow& w, quint64 seed)
        : w_(w)
        , random_(seed)
    {
    }

    // One user action; returns its name for the failure report.
    QString act()
    {
        const int roll = pick(0, 999);
        if (w_.text1->text().size() > 4096 && roll < 300) {
            return clearInput();
        }
        if (roll < 300) return typePrintable();
        if (roll < 360) return typeControlCharacter();
        if (roll < 410) return commitInputMethodText();
        if (roll < 560) return navigate();
        if (roll < 620) return tab();
        if (roll < 720) return enter();
        if (roll < 770) return clickCommand1();
        if (roll < 800) return paste();
        if (roll < 850) return arrowInCombo();
        if (roll < 880) return typeMode();
        if (roll < 890) return pickWithMouse();
        if (roll < 960) return focusByMouse();
        return clearInput();
    }

    bool pastedSinceEmpty = false;

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    QWidget* focused() const
    {
        QWidget* widget = QApplication::focusWidget();
        return widget != nullptr ? widget : w_.window.get();
    }

    QString randomText(int length)
    {
        static const QString pool = QStringLiteral("0123456789-.-.eE+ ,\t\nabcxyz功率瓦dBm（）：！\u3000\u00A0");
        QString text;
        text.reserve(length);
        for (int i = 0; i < length; ++i) {
            const int kind = pick(0, 99);
            if (kind < 85) {
                text.append(pool.at(pick(0, int(pool.size()) - 1)));
            } else if (kind < 95) {
                text.append(QChar(char16_t(pick(0, 127))));
            } else {
                text.append(QChar(char16_t(pick(0x80, 0xFFFF))));
            }
        }
        return text;
    }

    QString typePrintable()
    {
        const char c = char(pick(32, 126));
        QTest::keyClick(focused(), c);
        return QStringLiteral("type '%1'").arg(QChar(c));
    }

    QString typeControlCharacter()
    {
        if (pick(0, 5) == 0) {
            QTest::keyClick(focused(), Qt::Key_Escape);
            return QStringLiteral("Escape");
        }
        const auto key = Qt::Key(Qt::Key_A + pick(0, 25));
        QTest::keyClick(focused(), key, Qt::ControlModifier);
        return QStringLiteral("Ctrl+%1").arg(QChar(char16_t(u'A' + (key - Qt::Key_A))));
    }

    // Like the platform, commits only to a focus widget that takes input-method
    // text: read-only boxes do not.
    QString commitInputMethodText()
    {
        QWidget* target = focused();
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(target, &query);
        if (!query.value(Qt::ImEnabled).toBool()) {
            return QStringLiteral("input method finds no editable focus");
        }
        const QString text = randomText(pick(1, 6));
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(target, &event);
        return QStringLiteral("input method commits %1 characters").arg(text.size());
    }

    QString navigate()
    {
        static const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End,
                                       Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Up, Qt::Key_Down,
                                       Qt::Key_PageUp, Qt::Key_PageDown};
        const Qt::Key key = keys[pick(0, int(std::size(keys)) - 1)];
        const auto modifiers = pick(0, 2) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::keyClick(focused(), key, modifiers);
        return QStringLiteral("key %1").arg(int(key), 0, 16);
    }

    QString tab()
    {
        if (pick(0, 1) == 0) {
            QTest::keyClick(focused(), Qt::Key_Tab);
            return QStringLiteral("Tab");
        }
        QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
        return QStringLiteral("Shift+Tab");
    }

    QString enter()
    {
        QTest::keyClick(focused(), pick(0, 3) == 0 ? Qt::Key_Enter : Qt::Key_Return);
        return QStringLiteral("Enter in %1").arg(focused()->objectName());
    }

    QString clickCommand1()
    {
        QTest::mouseClick(w_.command1, Qt::LeftButton);
        return QStringLiteral("click Command1");
    }

    QString paste()
    {
        const int kind = pick(0, 99);
        const int length = kind < 90 ? pick(1, 100) : kind < 99 ? pick(100, 10240) : pick(10240, 1 << 20);
        QApplication::clipboard()->setText(randomText(length));
        w_.text1->paste();
        pastedSinceEmpty = true;
        return QStringLiteral("paste %1 characters into Text1").arg(length);
    }

    QString arrowInCombo()
    {
        w_.combo1->setFocus();
        QTest::keyClick(w_.combo1, pick(0, 1) == 0 ? Qt::Key_Down : Qt::Key_Up);
        return QStringLiteral("arrow in Combo1");
    }

    QString typeMode()
    {
        static const QStringList typed{QStringLiteral("dBm:"), QStringLiteral("  dBm:  "),
                                       QStringLiteral("dbm:"), QStringLiteral("功率(W):"),
                                       QStringLiteral(" 功率(W): "), QStringLiteral("功率（W）:"),
                                       QStringLiteral("x")};
        const QString text = typed.at(pick(0, int(typed.size()) - 1));
        w_.combo1->setFocus();
        w_.combo1->lineEdit()->selectAll();
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(w_.combo1->lineEdit(), &event);
        if (pick(0, 1) == 0) {
            QTest::keyClick(w_.combo1, Qt::Key_Return);
        }
        return QStringLiteral("type mode \"%1\"").arg(text);
    }

    QString pickWithMouse()
    {
        const int entry = pick(0, 1);
        w_.combo1->showPopup();
        QAbstractItemView* list = w_.combo1->view();
        QApplication::processEvents();
        const QRect rect = list->visualRect(list->model()->index(entry, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        if (list->isVisible()) {
            w_.combo1->hidePopup();
        }
        return QStringLiteral("mouse picks entry %1").arg(entry);
    }

    QString focusByMouse()
    {
        QWidget* targets[] = {w_.text1, w_.text2, w_.combo1->lineEdit()};
        QWidget* target = targets[pick(0, 2)];
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        return QStringLiteral("click into %1").arg(target->objectName());
    }

    QString clearInput()
    {
        w_.text1->setFocus();
        QTest::keyClick(w_.text1, Qt::Key_End);
        QTest::keyClick(w_.text1, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClick(w_.text1, Qt::Key_Delete);
        return QStringLiteral("clear Text1");
    }

    ShownWindow& w_;
    std::mt19937_64 random_;
};

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void survivesARandomStreamOfUserEvents()
    {
        const quint64 seed = seedFromEnvironment();
        const int events = eventsFromEnvironment();
        qInfo("monkey seed %llu, %d events (replay with DBMCONV_MONKEY_SEED=%llu)", seed, events, seed);

        ShownWindow w;
        QVERIFY(w.ready());
        MessageBoxCloser closer(0);
        Monkey monkey(w, seed);
        QString text2 = w.text2->text();
        QElapsedTimer clock;
        clock.start();

        for (int i = 0; i < events; ++i) {
            const QString action = monkey.act();
            if (i % 16 == 0) {
                QApplication::processEvents();
            }
            const QString where = QStringLiteral("seed %1, event %2 (%3)").arg(seed).arg(i).arg(action);
            auto fail = [&](const QString& what) {
                QTest::qFail(qPrintable(what + QStringLiteral(" after ") + where), __FILE__, __LINE__);
            };

            if (!w.window->isVisible()) {
                fail(QStringLiteral("the window is gone"));
            }
            if (w.combo1->count() != 2 || w.combo1->itemText(0) != kModes[0] || w.combo1->itemText(1) != kModes[1]) {
                fail(QStringLiteral("the mode list changed"));
            }
            if (!kCaptions.contains(w.label1->text())) {
                fail(QStringLiteral("Label1 shows \"%1\"").arg(w.label1->text()));
            }
            const QString shown = w.text2->text();
            if (shown != text2) {
                const auto expected = dbmconv::test::command1Outcome(w.combo1->currentText().toStdU16String(),
                                                                     w.text1->text().toStdU16String())
                                          .text2;
                if (!expected || QString::fromStdU16String(*expected) != shown) {
                    fail(QStringLiteral("Text2 changed to \"%1\" without a calculation that gives it").arg(shown));
                }
                const std::string problem = dbmconv::test::resultTextShapeProblem(shown.toStdU16String());
                if (!problem.empty()) {
                    fail(QStringLiteral("Text2 \"%1\": %2").arg(shown, QString::fromStdString(problem)));
                }
                text2 = shown;
            }
            const QString input = w.text1->text();
            if (input.isEmpty()) {
                monkey.pastedSinceEmpty = false;
            } else if (!monkey.pastedSinceEmpty) {
                for (const QChar c : input) {
                    if (!kTypeable.contains(c)) {
                        fail(QStringLiteral("typing put U+%1 into Text1").arg(c.unicode(), 4, 16, QLatin1Char('0')));
                    }
                }
            }
            if (closer.stuck != 0) {
                fail(QStringLiteral("a message box would not close"));
            }
            if (QTest::currentTestFailed()) {
                return;
            }
        }

        int reminders = 0;
        int errors = 0;
        for (const auto& box : closer.seen) {
            QCOMPARE(box.title, QStringLiteral("提示"));
            QCOMPARE(box.buttons.size(), 1);
            if (kReminders.contains(box.text)) {
                QCOMPARE(box.icon, QMessageBox::Information);
                ++reminders;
            } else {
                QVERIFY2(kErrors.contains(box.text), qPrintable(box.text));
                QCOMPARE(box.icon, QMessageBox::Warning);
                ++errors;
            }
        }
        qInfo("%d events in %lld ms: %lld message boxes (%d reminders, %d errors), last result \"%s\"",
              events, clock.elapsed(), qlonglong(closer.seen.size()), reminders, errors, qPrintable(text2));
    }
};

DBMCONV_QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
