// A colour space behind a PDEColorSpace handle.
//
// Contract: only the device families "DeviceGray", "DeviceRGB" and
// "DeviceCMYK" are made; any other family raises kErrBadColorSpace. The
// colour space is written into content and image dictionaries as its name.
#pragma once

#include <string>

#include "pdfhost/pdf/PDEObjectBase.h"
#include "sdk/PIRecords.h"

namespace pdfhost::pdf {

class ColorSpaceObject : public PDEObjectBase {
  public:
    explicit ColorSpaceObject(std::string family);
    static PDERef<ColorSpaceObject> Create(const std::string& family);

    ASInt32 Type() const override { return kPDEColorSpace; }
    const std::string& Family() const { return family_; } // "DeviceRGB"
    int Components() const;
    // The operator that sets a fill colour in this space: "g", "rg" or "k".
    const char* FillOperator() const;

  private:
    std::string family_;
};

} // namespace pdfhost::pdf
