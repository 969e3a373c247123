#include "resources/Resources.h"

namespace resources {
namespace embedded {
extern const unsigned char product109[];
extern const std::size_t product109_size;
extern const unsigned char toolbar110[];
extern const std::size_t toolbar110_size;
} // namespace embedded

std::span<const unsigned char> Bitmap(int id) {
    switch (id) {
    case kProductBitmap:
        return {embedded::product109, embedded::product109_size};
    case kToolbarBitmap:
        return {embedded::toolbar110, embedded::toolbar110_size};
    default:
        return {};
    }
}

} // namespace resources
