// The expander over facts the tests control: a pinned local time and a
// document whose path, information and file times are given.
#include <gtest/gtest.h>

#include "templates/TemplateExpansion.h"

namespace templates {
namespace {

std::tm At(int year, int month, int day, int hour = 14, int minute = 5, int second = 9) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    // Normalising through timegm fills weekday and day of year without
    // bringing the machine's time zone into the test.
    const std::time_t utc = timegm(&t);
    gmtime_r(&utc, &t);
    return t;
}

DocumentFacts Report() {
    DocumentFacts f;
    f.path = "C:\\Docs\\2006\\Report.pdf";
    return f;
}

std::string Expand(const std::string& text, const DocumentFacts& facts, const std::tm& now) {
    int32_t counter = 0;
    return ExpandTemplateText(text, facts, now, counter);
}

TEST(TemplateExpansion, EveryPlaceholderOnWednesdayFirstOfMarch2006) {
    const std::tm now = At(2006, 3, 1);
    DocumentFacts f = Report();
    f.info = {"T", "A", "S", "K", "P"};
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"[FILENAME]", "C:\\Docs\\2006\\Report.pdf"},
        {"[FILETITLE]", "Report"},
        {"[FILETITLEEXT]", "Report.pdf"},
        {"[FOLDERPATH]", "C:\\Docs\\2006"},
        {"[TOPFOLDERPATH]", "2006"},
        {"[MM]|[DD]|[YY]|[YYYY]|[M]|[D]", "03|01|2006|2006|3|1"},
        {"[hh]:[mm]:[ss]", "14:05:09"},
        {"[DW] [WD] [DY]", "4 4 060"},
        {"[DN] [ADN] [MN] [AMN]", "Wednesday Wed March Mar"},
        {"[AMPM] [ampm]", "PM pm"},
        {"[WYS] [WYM]", "10 10"},
        {"[DEX]", "st"},
        {"[TITLE], [AUTHOR], [SUBJECT], [KEYWORDS], [PRODUCER]", "T, A, S, K, P"},
        {"[DD]-[MM]-[YY]", "01-03-2006"},
        {"[D][DEX] [MN], [YYYY]", "1st March, 2006"},
        {"[DD]-[MM]-[YYYY] [hh]:[mm]:[ss][AMPM]", "01-03-2006 14:05:09PM"},
        // Not placeholders: case matters, and unknown words stay.
        {"[filename] [PAGE] [DD", "[filename] [PAGE] [DD"},
        {"plain text, no brackets", "plain text, no brackets"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Expand(c.text, f, now), c.expected) << c.text;
}

TEST(TemplateExpansion, MorningHoursStayOnTheTwentyFourHourClock) {
    EXPECT_EQ(Expand("[hh] [AMPM] [ampm]", {}, At(2006, 3, 1, 0, 0, 0)), "00 AM am");
    EXPECT_EQ(Expand("[hh] [AMPM]", {}, At(2006, 3, 1, 11, 59, 59)), "11 AM");
    EXPECT_EQ(Expand("[hh] [AMPM]", {}, At(2006, 3, 1, 12, 0, 0)), "12 PM");
}

TEST(TemplateExpansion, OrdinalSuffixes) {
    const std::pair<int, const char*> cases[] = {{1, "st"},  {2, "nd"},  {3, "rd"},  {4, "th"},
                                                 {11, "th"}, {12, "th"}, {13, "th"}, {21, "st"},
                                                 {22, "nd"}, {23, "rd"}, {30, "th"}, {31, "st"}};
    for (const auto& [day, suffix] : cases)
        EXPECT_EQ(Expand("[DEX]", {}, At(2006, 1, day)), suffix) << day;
}

TEST(TemplateExpansion, WeekNumbersAndDayOfYear) {
    struct Case {
        std::tm now;
        const char* expected; // [WYS] [WYM] [DY] [DN]
    } cases[] = {
        {At(2006, 1, 1), "02 01 001 Sunday"}, // a Sunday: week 1 from Sunday, 0 from Monday
        {At(2006, 1, 2), "02 02 002 Monday"},   {At(2007, 1, 1), "01 02 001 Monday"},
        {At(2004, 12, 31), "53 53 366 Friday"}, // leap year
        {At(2000, 12, 31), "54 53 366 Sunday"}, // the one week number 54
    };
    for (const Case& c : cases)
        EXPECT_EQ(Expand("[WYS] [WYM] [DY] [DN]", {}, c.now), c.expected) << c.expected;
}

TEST(TemplateExpansion, FileNamePartsOfDifferentPaths) {
    struct Case {
        const char* path;
        const char* expected; // title|title with extension|folder|top folder
    } cases[] = {
        {"C:\\Report.pdf", "Report|Report.pdf|C:|Report.pdf"},
        {"/home/ann/docs/q1.report.pdf", "q1.report|q1.report.pdf|/home/ann/docs|docs"},
        {"/tmp/x.pdf", "x|x.pdf|/tmp|x.pdf"}, // like a file in a drive's root
        {"/x.pdf", "x|x.pdf|/x.pdf|/x.pdf"},  // a separator at position 0 is no cut
        {"notes", "notes|notes|notes|notes"},
        {"/a/.hidden", ".hidden|.hidden|/a|.hidden"}, // a dot at position 0 is no cut
        {"", "|||"},                                  // a document without a file
    };
    for (const Case& c : cases) {
        DocumentFacts f;
        f.path = c.path;
        EXPECT_EQ(
            Expand("[FILETITLE]|[FILETITLEEXT]|[FOLDERPATH]|[TOPFOLDERPATH]", f, At(2006, 3, 1)),
            c.expected)
            << c.path;
    }
}

TEST(TemplateExpansion, LongPathsAreUsedWhole) {
    DocumentFacts f;
    f.path = "/" + std::string(150, 'a') + "/" + std::string(140, 'b') + "/long.pdf";
    ASSERT_GT(f.path.size(), 300u);
    EXPECT_EQ(Expand("[FILENAME]", f, At(2006, 3, 1)), f.path);
    EXPECT_EQ(Expand("[TOPFOLDERPATH] [FILETITLEEXT]", f, At(2006, 3, 1)),
              std::string(140, 'b') + " long.pdf");
}

TEST(TemplateExpansion, InsertedTextMeetsOnlyLaterPlaceholders) {
    DocumentFacts f;
    f.path = "/docs/[DD]/[FILENAME].pdf";
    f.info[0] = "see [FILENAME] made [CREATEDTIME] on [MM]";
    std::tm created = At(2006, 2, 27, 9, 30, 0);
    f.times.birth = timegm(&created);
    setenv("TZ", "UTC", 1);
    tzset();
    const std::tm now = At(2006, 3, 1);
    // The path's "[DD]" is a later placeholder: replaced. Its "[FILENAME]"
    // is not rescanned.
    EXPECT_EQ(Expand("[FILENAME]", f, now), "/docs/01/[FILENAME].pdf");
    // A title is inserted after "[FILENAME]" and "[MM]" were replaced, but
    // before the file times.
    EXPECT_EQ(Expand("[TITLE]", f, now), "see [FILENAME] made 2006-02-27 09:30:00 on [MM]");
}

TEST(TemplateExpansion, FileTimesOrEmptyText) {
    setenv("TZ", "UTC", 1);
    tzset();
    DocumentFacts f = Report();
    std::tm created = At(2006, 2, 27, 9, 30, 0);
    std::tm modified = At(2006, 3, 1, 11, 12, 13);
    f.times.birth = timegm(&created);
    f.times.modified = timegm(&modified);
    EXPECT_EQ(Expand("[CREATEDTIME]|[MODIFIEDTIME]", f, At(2006, 3, 1)),
              "2006-02-27 09:30:00|2006-03-01 11:12:13");
    f.times.birth.reset(); // a file system that records no birth time
    EXPECT_EQ(Expand("[CREATEDTIME]|[MODIFIEDTIME]", f, At(2006, 3, 1)), "|2006-03-01 11:12:13");
    f.times.modified.reset();
    EXPECT_EQ(
        Expand("File Created: [CREATEDTIME], File Modified: [MODIFIEDTIME]", f, At(2006, 3, 1)),
        "File Created: , File Modified: ");
}

// Runs the template `runs` times through one counter.
std::vector<std::string> Runs(const std::string& text, int runs, int32_t& counter) {
    std::vector<std::string> out;
    for (int i = 0; i < runs; ++i)
        out.push_back(ExpandTemplateText(text, {}, At(2006, 3, 1), counter));
    return out;
}

using Seq = std::vector<std::string>;

TEST(TemplateExpansion, ValueListCyclesOneItemPerCall) {
    struct Case {
        const char* text;
        int runs;
        Seq expected;
    } cases[] = {
        {"[VAR(a,b,c)]", 4, {"a", "b", "c", "a"}},
        {"[VAR(a,a,b,b)]", 5, {"a", "a", "b", "b", "a"}},
        {"[VAR(BILL,STATEMENT)]", 3, {"BILL", "STATEMENT", "BILL"}},
        {"[VAR(a,b)], page", 2, {"a, page", "b, page"}},
        {"[VAR(x)] and [VAR(x)]", 2, {"x and x", "x and x"}},
        {"[VAR(a,b)] [VAR(c,d)]", 2, {"a [VAR(c,d)]", "b [VAR(c,d)]"}},
        {"<[VAR()]>", 1, {"<>"}},
        {"[VAR( a ,,b)]", 3, {" a ", "", "b"}}, // verbatim; an empty item counts
        {"[VAR(3,[DD])]", 2, {"3", "01"}},      // dates were filled before the list
    };
    for (const Case& c : cases) {
        int32_t counter = 0;
        EXPECT_EQ(Runs(c.text, c.runs, counter), c.expected) << c.text;
    }
}

TEST(TemplateExpansion, CounterMovesOnlyWithAValueList) {
    int32_t counter = 0;
    Runs("[DD] no list", 3, counter);
    EXPECT_EQ(counter, 0);
    Runs("[VAR(a,b,c)] unclosed [VAR(", 2, counter);
    EXPECT_EQ(counter, 2);
    Runs("[VAR(a,b", 2, counter); // unclosed: nothing replaced, counter kept
    EXPECT_EQ(counter, 2);
    EXPECT_EQ(Runs("[VAR(a,b", 1, counter), Seq{"[VAR(a,b"});
    // A new, longer list continues at the counter; a shorter one restarts.
    EXPECT_EQ(Runs("[VAR(p,q,r,s)]", 2, counter), (Seq{"r", "s"}));
    EXPECT_EQ(counter, 4);
    EXPECT_EQ(Runs("[VAR(u,v)]", 3, counter), (Seq{"u", "v", "u"}));
    EXPECT_EQ(counter, 1);
}

TEST(TemplateExpansion, ANegativeOrHugeCounterRestartsTheList) {
    for (int32_t start : {-5, INT32_MAX}) {
        int32_t counter = start;
        EXPECT_EQ(Runs("[VAR(a,b)]", 2, counter), (Seq{"a", "b"})) << start;
        EXPECT_EQ(counter, 2);
    }
}

} // namespace
} // namespace templates
