// Inflating and scanning page content off the qpdf thread must give exactly
// what decoding through qpdf gives, and leave to qpdf whatever it cannot
// decode the same way.
#include <stop_token>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zlib.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "pdfhost/pdf/ContentStreams.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/Documents.h"
#include "pdfhost/pdf/FlateInflater.h"
#include "tests/support/TempFolder.h"

namespace pdfhost::pdf {
namespace {

std::string Deflate(const std::string& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()), 6);
    out.resize(size);
    return out;
}

TEST(FlateInflaterTest, BothEnginesAgreeAndRefuseWhatIsNotOneCleanStream) {
    std::string varied;
    for (int i = 0; i < 20000; ++i)
        varied += std::to_string(i * 7919 % 10007) + " 0 m q Q\n";
    const std::string zeros(8 << 20, '\0'); // inflates far beyond any first guess
    struct Case {
        const char* what;
        std::string input;
        std::optional<std::string> expected;
    } cases[] = {
        {"page content", Deflate(varied), varied},
        {"huge ratio", Deflate(zeros), zeros},
        {"empty", Deflate(""), std::string()},
        {"trailing white space", Deflate(varied) + "\r\n ", varied},
        {"trailing bytes", Deflate(varied) + "x", std::nullopt},
        {"truncated", Deflate(varied).substr(0, 100), std::nullopt},
        {"bad checksum",
         [&] {
             std::string s = Deflate(varied);
             s.back() = static_cast<char>(s.back() ^ 1);
             return s;
         }(),
         std::nullopt},
        {"not zlib", "0 0 m 1 1 l S", std::nullopt},
    };
    for (const Case& c : cases) {
        for (auto engine : {FlateInflater::Engine::Deflate, FlateInflater::Engine::Zlib}) {
            SCOPED_TRACE(std::string(c.what) +
                         (engine == FlateInflater::Engine::Zlib ? " (zlib)" : " (libdeflate)"));
            const std::optional<std::string> got = FlateInflater::Inflate(c.input, engine);
            ASSERT_EQ(got.has_value(), c.expected.has_value());
            if (got) {
                EXPECT_TRUE(*got == *c.expected);
            }
        }
    }
}

class BalancePrefetchTest : public ::testing::Test {
  protected:
    void TearDown() override { Documents::CloseAll(); }
    testsupport::TempFolder dir_{"prefetch"};
};

// One page per way a content stream can be stored, some sharing streams,
// big enough in total for the worker threads to run.
std::string MakeKinds(const std::string& path) {
    std::string heavy;
    while (heavy.size() < (600u << 10))
        heavy += "q 1 0 0 1 5 5 cm 0 0 m 10 10 l S Q q (Q) Tj % Q\n";
    heavy += "q q";
    {
        QPDF pdf;
        pdf.emptyPDF();
        auto flate = [&](const std::string& data, const char* parms = nullptr) {
            QPDFObjectHandle s = pdf.newStream();
            s.replaceStreamData(Deflate(data), QPDFObjectHandle::newName("/FlateDecode"),
                                parms ? QPDFObjectHandle::parse(parms)
                                      : QPDFObjectHandle::newNull());
            return s;
        };
        auto raw = [&](const std::string& data, const char* filter) {
            QPDFObjectHandle s = pdf.newStream();
            s.replaceStreamData(data, QPDFObjectHandle::parse(filter), QPDFObjectHandle::newNull());
            return s;
        };
        QPDFObjectHandle shared = flate("Q Q q");
        const std::vector<QPDFObjectHandle> contents = {
            flate(heavy),
            pdf.newStream("q q q"),
            raw("7120512051", "/ASCIIHexDecode"),       // "q Q Q" in hex
            raw(Deflate("q") + "junk", "/FlateDecode"), // qpdf's own call
            raw(Deflate("q q q").substr(0, 6), "/FlateDecode"),
            flate("q", "<< /Predictor 1 >>"),
            raw(Deflate(heavy), "[/FlateDecode]"),
            shared,
            shared,
            QPDFObjectHandle::newArray({flate("q q"), shared, pdf.newStream("Q")}),
        };
        for (const QPDFObjectHandle& c : contents) {
            QPDFObjectHandle page = pdf.makeIndirectObject(
                QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 100 100] >>"));
            page.replaceKey("/Contents", c);
            pdf.addPage(page, false);
        }
        QPDFWriter w(pdf, path.c_str());
        w.setCompressStreams(false);
        w.setDecodeLevel(qpdf_dl_none);
        w.write();
    }
    return path;
}

TEST_F(BalancePrefetchTest, KnowsWhatQpdfDecodingKnowsAndNothingElse) {
    Document& doc = Document::FromHandle(Documents::Open(MakeKinds(dir_.File("kinds.pdf"))));
    for (int page = 0; page < doc.PageCount(); ++page)
        doc.Prefetcher().Prefetch(doc, page);
    for (int page = 0; page < doc.PageCount(); ++page) {
        for (QPDFObjectHandle s : ContentStreams::Of(doc.PageObject(page))) {
            SCOPED_TRACE("page " + std::to_string(page + 1) + ", " + s.getObjGen().unparse(' '));
            const std::optional<ContentBalance> known = doc.KnownBalance(s);
            const std::optional<std::string> decoded = ContentStreams::Decode(s);
            const std::string filter = s.getDict().getKey("/Filter").unparse();
            if (filter == "/ASCIIHexDecode") {
                EXPECT_FALSE(known) << "left to qpdf";
                continue;
            }
            if (!known) {
                // Only data that does not inflate as one clean stream is left.
                const auto raw = s.getRawStreamData();
                EXPECT_FALSE(FlateInflater::Inflate(std::string_view(
                    reinterpret_cast<const char*>(raw->getBuffer()), raw->getSize())));
                continue;
            }
            ASSERT_TRUE(decoded) << "a worker measured what qpdf cannot decode";
            const ContentBalance expected = ContentBalance::Measure(*decoded);
            EXPECT_EQ(known->openSaves, expected.openSaves);
            EXPECT_EQ(known->unmatchedRestores, expected.unmatchedRestores);
        }
    }
}

// The reading thread's measuring ahead, and a page loop that takes up where
// it left off, give the page loop's answers; asked to stop, it measures
// nothing and the loop measures all.
TEST_F(BalancePrefetchTest, MeasuringAheadKnowsWhatThePageLoopKnows) {
    Document& doc = Document::FromHandle(Documents::Open(MakeKinds(dir_.File("kinds.pdf"))));
    for (int page = 0; page < doc.PageCount(); ++page)
        doc.Prefetcher().Prefetch(doc, page);
    ASSERT_FALSE(doc.Balances().empty());

    std::stop_source stopped;
    stopped.request_stop();
    for (std::stop_token stop : {std::stop_token{}, stopped.get_token()}) {
        SCOPED_TRACE(stop.stop_requested() ? "stopped at once" : "never stopped");
        BalancePrefetcher prefetcher;
        BalanceMap ahead;
        prefetcher.MeasureAhead(doc.Pages(), ahead, stop);
        if (stop.stop_requested()) {
            EXPECT_TRUE(ahead.empty());
        }
        for (int page = 0; page < doc.PageCount(); ++page)
            prefetcher.Prefetch(doc.Pages(), ahead, page);
        ASSERT_EQ(ahead.size(), doc.Balances().size());
        for (const auto& [og, balance] : doc.Balances()) {
            SCOPED_TRACE(og.unparse(' '));
            ASSERT_EQ(ahead.count(og), 1u);
            EXPECT_EQ(ahead[og].openSaves, balance.openSaves);
            EXPECT_EQ(ahead[og].unmatchedRestores, balance.unmatchedRestores);
        }
    }
}

} // namespace
} // namespace pdfhost::pdf
