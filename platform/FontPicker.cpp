#include "platform/FontPicker.h"

#include <QCheckBox>
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
    // The picker works in points; a pixel size would leave its size field empty.
    if (lf.lfHeight != 0)
        font.setPointSize(std::max(1, static_cast<int>(std::lround(std::abs(lf.lfHeight) * 72.0 /
                                                                   FontPicker::kDotsPerInch))));
    if (lf.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    return font;
}

void Store(const QFont& font, LogFont& lf) {
    const std::string face = font.family().toStdString();
    lf.SetFaceName(face.substr(0, LogFont::kMaxFaceName));
    lf.lfHeight = font.pointSize() > 0
                      ? LogFont::HeightForPoints(font.pointSize(), FontPicker::kDotsPerInch)
                      : -font.pixelSize();
    lf.lfWeight = font.weight();
    lf.lfItalic = font.italic() ? 1 : 0;
}

// The effects section is the frame holding the strikeout and underline
// boxes; the sample's frame stays, as high as the two shared, so that its
// text is not cut.
void HideEffects(QFontDialog& picker) {
    QGroupBox* sample = nullptr;
    int height = 0;
    for (QGroupBox* frame : picker.findChildren<QGroupBox*>()) {
        if (frame->findChildren<QCheckBox*>().isEmpty()) {
            sample = frame;
        } else {
            height = std::max(height, frame->sizeHint().height());
            frame->hide();
        }
    }
    if (sample)
        sample->setMinimumHeight(std::max(height, sample->sizeHint().height()));
}

} // namespace

bool FontPicker::Choose(LogFont& font) {
    QFontDialog picker(ToQFont(font), nullptr);
    picker.setWindowTitle(kTitle);
    picker.setOption(QFontDialog::DontUseNativeDialog);
    picker.setOption(QFontDialog::ScalableFonts);
    picker.setOption(QFontDialog::NonScalableFonts);
    HideEffects(picker);
    if (DialogDriver::RunPicker(PickerKind::Font, picker) != QDialog::Accepted)
        return false;
    Store(picker.selectedFont(), font);
    return true;
}

} // namespace platform
