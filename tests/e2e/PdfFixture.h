// Small PDFs generated for a test with qpdf.
//
// Contract: every page is white and carries its number as a blue bar along
// its top edge (12 points wide per page number, 12 high, from x = 10 to the
// top edge minus 20), so pages tell apart in a render and nothing else is
// drawn in the lower part where tests place pictures. A page may also paint
// an image XObject of its own as its last element: a 2 x 2 green picture
// without the stamp mark, at (x 140..180, y 100..140). With
// `forbidChanges` the file is encrypted with an empty user password and a
// permission mask that forbids changing the document. With
// `sharedResources` every page uses one indirect /Resources, made for the
// first page.
#pragma once

#include <filesystem>
#include <vector>

namespace e2e {

struct FixturePage {
    int width = 200;
    int height = 200;
    int rotate = 0;
    int number = 1;
    bool ownImageLast = false;
};

struct FixtureOptions {
    bool forbidChanges = false;
    bool sharedResources = false;
};

// Pages numbered 1..count with the other attributes of `like`.
std::vector<FixturePage> NumberedPages(int count, const FixturePage& like = {});

void WritePdf(const std::filesystem::path& path, const std::vector<FixturePage>& pages,
              const FixtureOptions& options = {});

} // namespace e2e
