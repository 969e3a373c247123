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

PickerRequest Request() {
    PickerRequest request;
    request.kind = PickerKind::Colour;
    request.title = ColorPicker::kTitle;
    return request;
}

} // namespace

std::optional<std::uint32_t> ColorPicker::Choose(std::array<std::uint32_t, 16>& custom) {
    if (DialogDriver* driver = DialogDriver::Installed()) {
        if (std::optional<PickerAnswer> answer = driver->Pick(Request())) {
            if (answer->cancelled)
                return std::nullopt;
            return answer->colorref & 0x00ffffff;
        }
    }
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, FromColorref(custom[static_cast<std::size_t>(i)]));
    Dialog* top = Dialog::Top();
    QColorDialog picker(Qt::black, top ? top->Window() : nullptr);
    picker.setWindowTitle(kTitle);
    picker.setOption(QColorDialog::DontUseNativeDialog);
    const bool confirmed = picker.exec() == QDialog::Accepted;
    for (int i = 0; i < 16; ++i)
        custom[static_cast<std::size_t>(i)] = ToColorref(QColorDialog::customColor(i));
    if (!confirmed)
        return std::nullopt;
    return ToColorref(picker.selectedColor());
}

} // namespace platform
