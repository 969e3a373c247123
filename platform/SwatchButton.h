// An owner-drawn push button that shows one solid colour (a colour swatch).
//
// Contract: paints its whole face with the colour given to SetColour
// (0x00bbggrr), inside a sunken edge when asked; it has no text. Clicks
// behave as on any push button.
#pragma once

#include <QPushButton>
#include <cstdint>

namespace platform {

class SwatchButton : public QPushButton {
  public:
    SwatchButton(bool staticEdge, QWidget* parent);
    void SetColour(std::uint32_t colorref);
    std::uint32_t Colour() const { return colorref_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool staticEdge_;
    std::uint32_t colorref_ = 0;
};

} // namespace platform
