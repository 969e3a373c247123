#include "platform/ColorPicker.h"

#include <QColorDialog>

#include "platform/Dialog.h"
#include "platform/DialogDriver.h"

namespace platform {
namespace {

QColor FromColorref(std::uint32_t c) {
    return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff);
}

std::uint32_t ToColorref(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
           static_cast<std::uint32_t>(c.blue()) << 16;
}

} // namespace

std::optional<std::uint32_t> ColorPicker::Choose(std::array<std::uint32_t, 16>& custom) {
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, FromColorref(custom[static_cast<std::size_t>(i)]));
    Dialog* top = Dialog::Top();
    QColorDialog picker(Qt::black, top ? top->Window() : nullptr);
    picker.setWindowTitle(kTitle);
    picker.setOption(QColorDialog::DontUseNativeDialog);
    const bool confirmed = DialogDriver::RunPicker(PickerKind::Colour, picker) == QDialog::Accepted;
    for (int i = 0; i < 16; ++i)
        custom[static_cast<std::size_t>(i)] = ToColorref(QColorDialog::customColor(i));
    if (!confirmed)
        return std::nullopt;
    return ToColorref(picker.selectedColor());
}

} // namespace platform
