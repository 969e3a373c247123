#include "StampScenario.h"

#include <algorithm>

namespace e2e {

namespace fs = std::filesystem;

TranscriptMessage Done() {
    return {"app-box", "Talvane", "Done.\nPlease scroll page to show changes."};
}

TranscriptMessage NoteAlert(const std::string& text) {
    return {"note-alert", "pdfhost", text};
}

TranscriptMessage AppBox(const std::string& text) {
    return {"app-box", "Talvane", text};
}

fs::path StampScenario::Picture(const std::string& name, int width, int height,
                                const PixelFunction& pixel) {
    const fs::path path = folder.Path(name);
    const std::string ext = path.extension().string();
    if (ext == ".jpg" || ext == ".JPG")
        WriteJpeg(path, width, height, pixel, {.quality = 95});
    else
        WriteBmp(path, width, height, pixel);
    return path;
}

SettingsFile StampScenario::StandardSettings(const fs::path& picture, int width, int height) {
    SettingsFile s;
    s.imageFileName = picture.string();
    s.imageWidth = width;
    s.imageHeight = height;
    s.imageWidthPdf = 80;
    s.imageHeightPdf = 60;
    s.horizontal = 20;
    s.vertical = 20;
    return s;
}

SettingsFile StampScenario::UseBlackPicture() {
    SettingsFile s = StandardSettings(Picture("black.bmp", 40, 30, Solid(kBlack)), 40, 30);
    s.Write(folder.SettingsPath());
    return s;
}

std::vector<int> StampScenario::StampedPages(const fs::path& pdf) {
    PdfInspector inspector(pdf);
    std::vector<int> marked;
    for (const ImageFacts& image : inspector.Images())
        if (image.stampMarked)
            marked.push_back(image.objectId);
    std::vector<int> pages;
    for (int i = 0; i < inspector.PageCount(); ++i) {
        const std::vector<int> drawn = inspector.DrawnImages(i);
        if (std::any_of(drawn.begin(), drawn.end(), [&](int id) {
                return std::find(marked.begin(), marked.end(), id) != marked.end();
            }))
            pages.push_back(i);
    }
    return pages;
}

int StampScenario::DifferentOutside(const Raster& in, const Raster& out, const PixelRect& except) {
    if (in.width != out.width || in.height != out.height)
        return in.width * in.height;
    int count = 0;
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x)
            if (!except.Contains(x, y) && !Near(in.At(x, y), out.At(x, y), 0))
                ++count;
    return count;
}

void StampScenario::ExpectRendersAlike(const fs::path& in, const fs::path& out, int pages) {
    const std::vector<Raster> before = RenderPages(in, 1, pages, 72, PageBox::Media);
    const std::vector<Raster> after = RenderPages(out, 1, pages, 72, PageBox::Media);
    ASSERT_EQ(before.size(), static_cast<std::size_t>(pages)) << in;
    ASSERT_EQ(after.size(), static_cast<std::size_t>(pages)) << out;
    for (int p = 0; p < pages; ++p)
        EXPECT_EQ(CountDifferent(before[p], after[p]), 0) << "page " << p + 1 << " of " << out;
}

void StampScenario::ExpectBlackStampOn(const fs::path& in, const fs::path& out, int pages,
                                       const std::vector<int>& stamped) {
    const std::vector<Raster> before = RenderPages(in, 1, pages, 72, PageBox::Media);
    const std::vector<Raster> after = RenderPages(out, 1, pages, 72, PageBox::Media);
    ASSERT_EQ(before.size(), static_cast<std::size_t>(pages)) << in;
    ASSERT_EQ(after.size(), static_cast<std::size_t>(pages)) << out;
    for (int p = 0; p < pages; ++p) {
        const bool expected = std::find(stamped.begin(), stamped.end(), p) != stamped.end();
        if (!expected) {
            EXPECT_EQ(CountDifferent(before[p], after[p]), 0)
                << "page " << p + 1 << " changed but was not selected";
            continue;
        }
        const PixelRect inner = kStampPixels.Shrunk(2);
        EXPECT_TRUE(Near(after[p].Average(inner.x0, inner.y0, inner.x1, inner.y1), kBlack, 8))
            << "page " << p + 1 << " shows no stamp";
        EXPECT_EQ(DifferentOutside(before[p], after[p], kStampPixels.Grown(1)), 0)
            << "page " << p + 1 << " changed outside the stamp";
    }
}

} // namespace e2e
