#include "resources/Resources.h"

namespace resources {
namespace embedded {
extern const unsigned char toolbar110[];
extern const std::size_t toolbar110_size;
} // namespace embedded

std::span<const unsigned char> Bitmap(int id) {
    switch (id) {
    case kToolbarBitmap:
        return {embedded::toolbar110, embedded::toolbar110_size};
    default:
        return {};
    }
}

} // namespace resources
