#include "mode.h"

#include "text_ops.h"
#include "window_texts.h"

namespace dbmconv {

Mode ModeOf(std::u16string_view comboText)
{
    const std::u16string trimmed = TrimSpaces(comboText);
    if (trimmed == texts::kModeDbmToWatts) {
        return Mode::DbmToWatts;
    }
    if (trimmed == texts::kModeWattsToDbm) {
        return Mode::WattsToDbm;
    }
    return Mode::None;
}

} // namespace dbmconv
