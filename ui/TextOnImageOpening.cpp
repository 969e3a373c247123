#include "ui/TextOnImageOpening.h"

void ApplyTextOnImageOpeningDefaults(TextOnImageDialog& dialog) {
    using namespace text_on_image;
    TextOnImageSettings& s = dialog.settings;
    if (s.szFontName.empty())
        s.szFontName = kDefaultFace;
    if (s.szText.empty())
        s.szText = kDefaultText;
    if (s.nHorizPos == 0)
        s.nHorizPos = kDefaultPosition;
    if (s.nVertPos == 0)
        s.nVertPos = kDefaultPosition;
    if (s.lfFontInfo.lfHeight == 0) {
        s.lfFontInfo.SetFaceName(kDefaultFace);
        s.lfFontInfo.lfHeight = kDefaultFontHeight;
    }
    if (dialog.szFaceNameShown.empty())
        dialog.szFaceNameShown = kDefaultFace;
    s.nFontSize = s.lfFontInfo.lfHeight;
}
