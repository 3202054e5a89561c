// Prints what the page takes from the window's shared texts and layout, one
// "NAME<tab>value" line each, for scripts/build-web.sh to put into the page's
// @NAME@ places at build time: so the page's first paint, before its
// WebAssembly runs, already shows the program's own texts at their places.
// Also the layout's twips themselves (TWIPS_...), for the page's test.
#include "utf8_text.h"
#include "window_layout_twips.h"
#include "window_texts.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

using dbmconv::layout::TwipsRect;

// (whole pixels without a point, as every place of the layout is today)
std::string cssPixels(int twips)
{
    char text[32];
    std::snprintf(text, sizeof text, "%gpx",
                  static_cast<double>(twips * dbmconv::layout::kDesignDotsPerInch) / dbmconv::layout::kTwipsPerInch);
    return text;
}

std::string place(const TwipsRect& rect)
{
    return "left: " + cssPixels(rect.left) + "; top: " + cssPixels(rect.top) + "; width: " + cssPixels(rect.width)
        + "; height: " + cssPixels(rect.height);
}

void field(const char* name, const std::string& value)
{
    std::printf("%s\t%s\n", name, value.c_str());
}

void twips(const char* name, const TwipsRect& rect)
{
    std::printf("%s\t%d %d %d %d\n", name, rect.left, rect.top, rect.width, rect.height);
}

} // namespace

int main()
{
    namespace texts = dbmconv::texts;
    namespace layout = dbmconv::layout;
    field("WINDOW_CAPTION", dbmconv::Utf8Of(texts::kWindowCaption));
    field("MODE_LIST_PURPOSE", dbmconv::Utf8Of(texts::kModeListPurpose));
    field("INPUT_NAME", dbmconv::Utf8Of(texts::kInputName));
    field("RESULT_DESCRIPTION", dbmconv::Utf8Of(texts::kResultDescription));
    field("CALCULATE_CAPTION", dbmconv::Utf8Of(texts::kCalculateCaption));
    field("MESSAGE_TITLE", dbmconv::Utf8Of(texts::kMessageTitle));

    field("CLIENT_SIZE", "width: " + cssPixels(layout::kClientWidth) + "; height: " + cssPixels(layout::kClientHeight));
    field("COMBO1_PLACE", place(layout::kCombo1));
    field("TEXT1_PLACE", place(layout::kText1));
    field("TEXT2_PLACE", place(layout::kText2));
    field("COMMAND1_PLACE", place(layout::kCommand1));
    // The label grows with its caption from its designed corner, one line high.
    field("LABEL1_PLACE", "left: " + cssPixels(layout::kLabel1.left) + "; top: " + cssPixels(layout::kLabel1.top)
                              + "; min-width: " + cssPixels(layout::kLabel1.width)
                              + "; line-height: " + cssPixels(layout::kLabel1.height));
    // The list drops from the bottom of Combo1, as wide as it.
    field("COMBO1_LIST_PLACE", "left: " + cssPixels(layout::kCombo1.left) + "; top: "
                                   + cssPixels(layout::kCombo1.top + layout::kCombo1.height)
                                   + "; width: " + cssPixels(layout::kCombo1.width));
    field("CONTROL_FONT_SIZE", cssPixels(layout::kControlFontPoints * layout::kTwipsPerPoint));

    twips("TWIPS_CLIENT", {0, 0, layout::kClientWidth, layout::kClientHeight});
    twips("TWIPS_COMBO1", layout::kCombo1);
    twips("TWIPS_TEXT1", layout::kText1);
    twips("TWIPS_TEXT2", layout::kText2);
    twips("TWIPS_COMMAND1", layout::kCommand1);
    twips("TWIPS_LABEL1", layout::kLabel1);
    return 0;
}
