#include "ui/TextOnImageDialog.h"

#include "platform/Clock.h"
#include "templates/DocumentFacts.h"
#include "templates/TemplateExpansion.h"

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
