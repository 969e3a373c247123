// What a saved PDF holds, read with qpdf: its pages, its image XObjects
// and the images each page draws.
//
// Contract: the constructor opens the file (with the given user password)
// and throws std::runtime_error when qpdf cannot. Images() lists every image
// XObject stream in the file with the facts a test checks and its raw
// (still DCT-encoded, already decrypted) data. DrawnImages(page) lists the
// image XObjects that the page's content paints with "Do", by object
// identity, so "the same image on every page" is checkable.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QPDF;

namespace e2e {

struct ImageFacts {
    int objectId = 0;
    std::string filter;     // "/DCTDecode"
    std::string colorSpace; // "/DeviceRGB"
    int bitsPerComponent = 0;
    int width = 0;
    int height = 0;
    bool stampMarked = false; // /TalvaneStamp /Image
    std::string rawData;
};

class PdfInspector {
  public:
    explicit PdfInspector(const std::filesystem::path& pdf, const std::string& password = "");
    ~PdfInspector();
    PdfInspector(const PdfInspector&) = delete;
    PdfInspector& operator=(const PdfInspector&) = delete;

    int PageCount() const;
    std::vector<ImageFacts> Images() const;
    // Object ids of the image XObjects painted by page `index` (0-based).
    std::vector<int> DrawnImages(int index) const;
    // The page's content streams, decoded and joined.
    std::string PageContent(int index) const;
    // "/Category/Key" for every entry of the page's resources (its own or
    // inherited), sorted.
    std::vector<std::string> ResourceNames(int index) const;

  private:
    std::unique_ptr<QPDF> pdf_;
};

} // namespace e2e
