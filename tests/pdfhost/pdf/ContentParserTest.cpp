#include <gtest/gtest.h>

#include "pdfhost/pdf/ContentBalance.h"
#include "pdfhost/pdf/ContentLexer.h"
#include "pdfhost/pdf/ContentParser.h"
#include "sdk/PIRecords.h"

namespace pdfhost::pdf {
namespace {

std::vector<std::string> Operators(std::string_view content) {
    std::vector<std::string> ops;
    ContentLexer lexer(content);
    ContentOp op;
    while (lexer.Next(op))
        ops.emplace_back(op.op);
    return ops;
}

ASInt32 TypeOf(std::string_view name) {
    if (name == "Im0")
        return kPDEImage;
    if (name == "Fm0")
        return kPDEForm;
    return kPDEXObject;
}

struct ParseCase {
    const char* name;
    std::string content;
    std::vector<ASInt32> types;
    std::size_t unmatchedRestores = 0;
    std::size_t openSaves = 0;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class ParseContentTest : public ::testing::TestWithParam<ParseCase> {};

// Every case also checks that writing the items back gives the same
// operators, minus the Q that restores nothing.
TEST_P(ParseContentTest, ItemsAndRoundTrip) {
    const ParseCase& c = GetParam();
    const ParsedContent parsed = ParseContent(c.content, &TypeOf);

    std::vector<ASInt32> types;
    std::string written;
    for (const ParsedItem& item : parsed.items) {
        types.push_back(item.type);
        written += item.state + "\n" + item.paint + "\n";
    }
    written += parsed.trailer;
    EXPECT_EQ(types, c.types);
    EXPECT_EQ(parsed.balance.unmatchedRestores, c.unmatchedRestores);
    EXPECT_EQ(parsed.balance.openSaves, c.openSaves);

    std::vector<std::string> expected = Operators(c.content);
    std::size_t open = 0;
    std::vector<std::string> kept;
    for (const std::string& op : expected) {
        if (op == "Q" && open == 0)
            continue;
        open += op == "q" ? 1 : op == "Q" ? -1 : 0;
        kept.push_back(op);
    }
    EXPECT_EQ(Operators(written), kept) << written;
    EXPECT_EQ(ContentBalance::Measure(written).unmatchedRestores, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, ParseContentTest,
    ::testing::Values(
        ParseCase{"StateThenPath", "0 0 1 rg 10 10 m 20 20 l S", {kPDEPath}},
        ParseCase{"TextObject", "BT /F1 12 Tf 72 72 Td (Hi) Tj ET", {kPDEText}},
        ParseCase{"GroupWithOneImage", "q 10 0 0 10 5 5 cm /Im0 Do Q", {kPDEImage}},
        ParseCase{"GroupWithTwoPathsIsFlattened",
                  "q 0 0 m 1 1 l S 2 2 m 3 3 l S Q 0 0 1 1 re f",
                  {kPDEPath, kPDEPath, kPDEPath}},
        ParseCase{"NestedSingleGroupsStayWhole", "q q 0 0 1 1 re f Q Q", {kPDEPath}},
        ParseCase{"UnmatchedSaveIsState", "q 2 0 0 2 0 0 cm 0 0 10 10 re f", {kPDEPath}, 0, 1},
        ParseCase{"UnmatchedRestoreIsDropped", "Q 2 0 0 2 0 0 cm 0 0 10 10 re f Q", {kPDEPath}, 2},
        ParseCase{"MarkedContentContainer",
                  "/P <</MCID 0>> BDC 0 0 10 10 re f 5 5 m 6 6 l S EMC",
                  {kPDEContainer}},
        ParseCase{"InlineImageDataHoldsOperators",
                  "BI /W 4 /H 1 /BPC 8 /CS /G ID " + std::string("\0Q q)", 5) +
                      "\n EI 0 0 1 1 re f",
                  {kPDEInlineImage, kPDEPath}},
        ParseCase{"StringsHoldBrackets", "BT (a Q \\) q) Tj [(x) 5 (Q)] TJ ET", {kPDEText}},
        ParseCase{"ClipIsState", "0 0 10 10 re W n 0 0 5 5 re f", {kPDEPath}},
        ParseCase{"CrossedBracketsGiveFlatItems",
                  "q /Tag BMC 0 0 1 1 re f Q EMC 0 0 2 2 re f",
                  {kPDEPath, kPDEPath}},
        ParseCase{"GroupsThatPaintNothingAreState", "q 1 0 0 1 5 5 cm Q BT ET /A BMC EMC", {}},
        ParseCase{"PathWithoutPaintIsState", "1 0 0 rg 0 0 m 5 5 l", {}},
        ParseCase{"XObjectTypesFromResources",
                  "/Fm0 Do /Im0 Do /Missing Do",
                  {kPDEForm, kPDEImage, kPDEXObject}},
        ParseCase{"OperandsLeftAtTheEnd", "0 0 1 1 re f 0 0 1", {kPDEPath}},
        ParseCase{"CommentsAndShading", "% head\n/Sh0 sh % tail", {kPDEShading}},
        ParseCase{"UnterminatedString", "BT (never closed Tj ET q", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseContentTest, ItemKeepsOriginalBytesAndXObjectName) {
    const std::string content = "1 0 0 rg\nq  10 0 0 10 5 5 cm\n/Im0   Do Q\n% end";
    const ParsedContent parsed = ParseContent(content, &TypeOf);
    ASSERT_EQ(parsed.items.size(), 1u);
    EXPECT_EQ(parsed.items[0].state, "1 0 0 rg\n");
    EXPECT_EQ(parsed.items[0].paint, "q  10 0 0 10 5 5 cm\n/Im0   Do Q");
    EXPECT_EQ(parsed.items[0].xobjectName, "Im0");
}

struct BalanceCase {
    std::string content;
    std::size_t unmatchedRestores;
    std::size_t openSaves;
};

TEST(ContentBalanceTest, CountsLikeAViewer) {
    const BalanceCase cases[] = {
        {"", 0, 0},
        {"q Q", 0, 0},
        {"q q cm Q", 0, 1},
        {"Q q", 1, 1},
        {"q Q Q Q", 2, 0},
        {"BT (Q) Tj ET <51> Tj", 0, 0},
        {std::string("BI /W 1 ID Q EI q", 17), 0, 1},
    };
    for (const BalanceCase& c : cases) {
        const ContentBalance b = ContentBalance::Measure(c.content);
        EXPECT_EQ(b.unmatchedRestores, c.unmatchedRestores) << c.content;
        EXPECT_EQ(b.openSaves, c.openSaves) << c.content;
    }
}

TEST(ContentBalanceTest, ThenComposesLikeConcatenation) {
    const std::string parts[] = {"", "q", "Q", "q q", "Q Q q", "q Q Q", "Q q q Q"};
    for (const std::string& a : parts) {
        for (const std::string& b : parts) {
            const ContentBalance joined = ContentBalance::Measure(a + "\n" + b);
            const ContentBalance composed =
                ContentBalance::Then(ContentBalance::Measure(a), ContentBalance::Measure(b));
            EXPECT_EQ(composed.unmatchedRestores, joined.unmatchedRestores) << a << " | " << b;
            EXPECT_EQ(composed.openSaves, joined.openSaves) << a << " | " << b;
        }
    }
}

} // namespace
} // namespace pdfhost::pdf
