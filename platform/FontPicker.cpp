#include "platform/FontPicker.h"

#include <QFontDialog>
#include <QGroupBox>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/DialogDriver.h"

namespace platform {
namespace {

QFont ToQFont(const LogFont& lf) {
    QFont font(QString::fromUtf8(lf.FaceName().data(), static_cast<int>(lf.FaceName().size())));
    if (lf.lfHeight != 0)
        font.setPixelSize(std::abs(lf.lfHeight));
    if (lf.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    return font;
}

void Store(const QFont& font, LogFont& lf) {
    const std::string face = font.family().toStdString();
    lf.SetFaceName(face.substr(0, LogFont::kMaxFaceName));
    const int pixels = font.pixelSize() > 0
                           ? font.pixelSize()
                           : static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
    lf.lfHeight = -pixels;
    lf.lfWeight = font.weight();
    lf.lfItalic = font.italic() ? 1 : 0;
}

PickerRequest Request() {
    PickerRequest request;
    request.kind = PickerKind::Font;
    request.title = FontPicker::kTitle;
    return request;
}

} // namespace

bool FontPicker::Choose(LogFont& font) {
    if (DialogDriver* driver = DialogDriver::Installed()) {
        if (std::optional<PickerAnswer> answer = driver->Pick(Request())) {
            if (answer->cancelled)
                return false;
            font.SetFaceName(answer->font.FaceName());
            font.lfHeight = answer->font.lfHeight;
            font.lfWeight = answer->font.lfWeight;
            font.lfItalic = answer->font.lfItalic;
            return true;
        }
    }
    QFontDialog picker(ToQFont(font), nullptr);
    picker.setWindowTitle(kTitle);
    picker.setOption(QFontDialog::DontUseNativeDialog);
    picker.setOption(QFontDialog::ScalableFonts);
    picker.setOption(QFontDialog::NonScalableFonts);
    // No effects: the picker chooses a face, a size and a style only.
    for (QGroupBox* effects : picker.findChildren<QGroupBox*>())
        effects->hide();
    if (picker.exec() != QDialog::Accepted)
        return false;
    Store(picker.selectedFont(), font);
    return true;
}

} // namespace platform
