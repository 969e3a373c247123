// Decoding a page's content streams: what qpdf is asked to undo and what is
// refused before it is asked.
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>

#include "pdfhost/pdf/ContentStreams.h"

namespace pdfhost::pdf {
namespace {

// Flate-compressed PNG rows of four bytes (each after its "None" tag) that
// decode to "q Q\n", under the given decode parameters.
std::optional<std::string> DecodeWith(const std::string& parms) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle stream = ContentStreams::Make(pdf, std::string("\0q Q\n", 5), true);
    stream.getDict().replaceKey("/DecodeParms", QPDFObjectHandle::parse(parms));
    return ContentStreams::Decode(stream);
}

TEST(ContentStreamsTest, RefusesPredictorRowsNoContentHas) {
    EXPECT_EQ(DecodeWith("<< /Predictor 12 /Columns 4 >>"), "q Q\n");
    EXPECT_EQ(DecodeWith("[ << /Predictor 12 /Columns 4 >> ]"), "q Q\n");
    // A row of 2^28 bytes (or more) is never allocated for four bytes of data.
    EXPECT_EQ(DecodeWith("<< /Predictor 12 /Columns 4 /Colors 268435456 >>"), std::nullopt);
    EXPECT_EQ(DecodeWith("[ << /Predictor 2 /Columns 2147483647 /BitsPerComponent 16 >> ]"),
              std::nullopt);
}

} // namespace
} // namespace pdfhost::pdf
