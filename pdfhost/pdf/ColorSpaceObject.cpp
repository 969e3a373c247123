#include "pdfhost/pdf/ColorSpaceObject.h"

#include "pdfhost/core/HostError.h"

namespace pdfhost::pdf {

ColorSpaceObject::ColorSpaceObject(std::string family) : family_(std::move(family)) {}

PDERef<ColorSpaceObject> ColorSpaceObject::Create(const std::string& family) {
    if (family != "DeviceGray" && family != "DeviceRGB" && family != "DeviceCMYK")
        Raise(kErrBadColorSpace, "The colour space \"" + family +
                                     "\" is not supported; use DeviceGray, DeviceRGB or "
                                     "DeviceCMYK.");
    return Make<ColorSpaceObject>(family);
}

int ColorSpaceObject::Components() const {
    return family_ == "DeviceGray" ? 1 : family_ == "DeviceRGB" ? 3 : 4;
}

const char* ColorSpaceObject::FillOperator() const {
    return family_ == "DeviceGray" ? "g" : family_ == "DeviceRGB" ? "rg" : "k";
}

} // namespace pdfhost::pdf
