#include "control_font.h"

#include "window_layout_twips.h"

#include <QStringList>

namespace dbmconv {

QFont controlFont()
{
    QFont font;
    font.setFamilies({
        QStringLiteral("SimSun"),
        QStringLiteral("宋体"),
        QStringLiteral("NSimSun"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("AR PL UMing TW"),
        QStringLiteral("AR PL SungtiL GB"),
        QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Source Han Serif SC"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"),
        QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("AR PL UKai CN"),
    });
    font.setPointSize(layout::kControlFontPoints);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

} // namespace dbmconv
