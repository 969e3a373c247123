#include "ui/TextOnImageDialog.h"

#include "platform/Clock.h"
#include "platform/ColorPicker.h"
#include "platform/Dialog.h"
#include "platform/FontPicker.h"
#include "resources/DialogTemplates.h"
#include "templates/DocumentFacts.h"
#include "templates/TemplateExpansion.h"
#include "ui/TextOnImageOpening.h"

std::string TextOnImageDialog::ExpandTemplate(std::string text) {
    const std::optional<templates::DocumentFacts> facts = templates::GatherActiveDocumentFacts();
    if (!facts)
        return text;
    const std::tm now = platform::Clock::LocalTime(platform::Clock::Now());
    return templates::ExpandTemplateText(std::move(text), *facts, now, nVarListPos);
}

platform::FontDescription TextOnImageDialog::DescriptionOf(const LogFont& font) {
    platform::FontDescription d;
    d.height = font.lfHeight;
    d.weight = font.lfWeight;
    d.italic = font.lfItalic != 0;
    d.underline = font.lfUnderline != 0;
    d.strikeOut = font.lfStrikeOut != 0;
    d.quality = font.lfQuality;
    d.faceName = std::string(font.FaceName());
    return d;
}

void TextOnImageDialog::BuildOverlayFont() {
    overlayFontSource_ = settings.lfFontInfo;
    if (settings.lfFontInfo == LogFont{})
        overlayFont_.reset();
    else
        overlayFont_.emplace(DescriptionOf(settings.lfFontInfo));
}

const platform::RasterFont* TextOnImageDialog::OverlayFont() {
    if (!overlayFont_ || !(overlayFontSource_ == settings.lfFontInfo))
        BuildOverlayFont();
    return overlayFont_ ? &*overlayFont_ : nullptr;
}

std::array<uint32_t, 16>& TextOnImageDialog::CustomColours() {
    static std::array<uint32_t, 16> colours{};
    return colours;
}

int TextOnImageDialog::Run() {
    using namespace text_on_image;
    TextOnImageSettings& s = settings;
    platform::Dialog d(resources::TextOnImageDialogTemplate());
    d.BindText(kFontName, s.szFontName);
    d.BindText(kText, s.szText); // free text: no search in the example list
    d.BindInt(kFontSize, s.nFontSize);
    d.BindInt(kHorizPos, s.nHorizPos);
    d.BindInt(kVertPos, s.nVertPos);
    d.BindFlag(kTransparent, s.nTransparent);
    d.BindText(kFaceNameShown, szFaceNameShown);

    d.OnInit([&] {
        ApplyTextOnImageOpeningDefaults(*this);
        d.RefreshControls();
        d.SetSwatchColour(kColourSwatch, s.crTextColor);
    });
    d.OnCommand(kCancel, [&] { d.End(0); });
    // Closes also when the read-back stopped at a bad field: what was read
    // before it is kept.
    d.OnCommand(kSaveAndExit, [&] {
        d.ReadControls();
        d.End(1);
    });
    d.OnCommand(kTransparent, [&] { d.ReadControls(); });
    d.OnCommand(kColourSwatch, [&] {
        const std::optional<uint32_t> picked = platform::ColorPicker::Choose(CustomColours());
        if (!picked)
            return;
        s.crTextColor = *picked;
        d.SetSwatchColour(kColourSwatch, s.crTextColor);
        d.RepaintNow();
    });
    d.OnCommand(kChooseFont, [&] {
        if (!platform::FontPicker::Choose(s.lfFontInfo))
            return;
        BuildOverlayFont();
        szFaceNameShown = std::string(s.lfFontInfo.FaceName());
        d.RefreshControls();
    });
    return d.Run();
}
