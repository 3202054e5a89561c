// Handler time of a calculation on a megabyte of pasted input, in the real Qt
// window (offscreen): Command1_Click reads Text1, converts and answers with a
// result or an error. The message box itself is not shown: its modal wait is
// the user's time, not the handler's.
#include "application_setup.h"
#include "converter_form_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <string>

namespace {

class AnsweringWindow final : public dbmconv::ConverterFormWindow {
public:
    int answers = 0;
    std::string lastAnswer;
    void ShowReminder(std::u16string_view) override
    {
        ++answers;
        lastAnswer = "reminder box";
    }
    void ShowError(std::u16string_view) override
    {
        ++answers;
        lastAnswer = "error box";
    }
};

constexpr int kMegabyte = 1 << 20;

QString repeated(const QString& unit)
{
    QString text;
    text.reserve(kMegabyte);
    while (text.size() < kMegabyte) {
        text += unit;
    }
    text.truncate(kMegabyte);
    return text;
}

void calculateOn(benchmark::State& state, const QString& input, bool wattsToDbm)
{
    AnsweringWindow window;
    window.form().Form_Load();
    auto* combo = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* text1 = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* text2 = window.findChild<QLineEdit*>(QStringLiteral("Text2"));
    combo->setCurrentIndex(wattsToDbm ? 1 : 0);
    text1->setText(input);
    if (text1->text().size() != input.size()) {
        state.SkipWithError("Text1 did not take the whole input");
        return;
    }
    for (auto _ : state) {
        window.form().Command1_Click();
    }
    state.counters["answered"] = (window.answers > 0 || !text2->text().isEmpty()) ? 1 : 0;
    state.SetLabel(window.answers > 0 ? window.lastAnswer : ("result " + text2->text()).toStdString());
}

void registerAll()
{
    const struct {
        const char* name;
        QString unit;
    } cases[] = {
        {"digits", QStringLiteral("1234567890")},
        {"minus_signs", QStringLiteral("-")},
        {"spaces", QStringLiteral(" ")},
        {"one_point_repeated", QStringLiteral("1.")},
    };
    for (const auto& c : cases) {
        const QString input = repeated(c.unit);
        for (const bool watts : {false, true}) {
            const std::string name = std::string("BM_LongInput/") + c.name + (watts ? "/watts_to_dbm" : "/dbm_to_watts");
            benchmark::RegisterBenchmark(name.c_str(), [input, watts](benchmark::State& state) {
                calculateOn(state, input, watts);
            })->Unit(benchmark::kMillisecond);
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    dbmconv::setUpApplication(app);
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
