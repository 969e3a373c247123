#include "image/LoadedPicture.h"

#include "platform/PictureDecoder.h"
#include "platform/WholeFile.h"

int LoadedPicture::Load(const std::string& path) {
    Release();
    const auto bytes = platform::WholeFile::Read(path);
    if (!bytes)
        return 0;
    return LoadBytes(*bytes);
}

int LoadedPicture::LoadBytes(std::span<const std::uint8_t> bytes) {
    Release();
    bitmap_ = platform::PictureDecoder::Decode(bytes);
    return bitmap_ ? 1 : 0;
}

PictureRect LoadedPicture::GetSize() const {
    if (!bitmap_)
        return {};
    return {0, 0, bitmap_->width(), bitmap_->height()};
}

int LoadedPicture::Release() {
    bitmap_.reset();
    return 1;
}
