// The render cache stays within its limit, and what it drops first is what
// the view is least likely to show again.
#include <QApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include "pdfhost/viewer/PageRenderer.h"
#include "pdfhost/viewer/PageView.h"
#include "tests/pdfhost/viewer/ViewerFixture.h"

namespace pdfhost::viewer {
namespace {

// 300 x 400 points rendered 300 pixels wide: 300 x 400 pixels of 4 bytes.
constexpr int kWidth = 300;
constexpr std::int64_t kImage = std::int64_t{300} * 400 * 4;

void RenderNow(PageRenderer& r, int index, int width = kWidth) {
    ASSERT_EQ(r.Request(index, width), nullptr) << "page " << index << " was cached already";
    QElapsedTimer clock;
    clock.start();
    while (r.Pending() > 0 && clock.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    ASSERT_EQ(r.Pending(), 0);
}

class PageRendererTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(r.SetDocument(PdfBytes(20))); }
    PageRenderer r;
};

TEST_F(PageRendererTest, PagesFarFromTheViewGoFirst) {
    r.SetCacheLimit(4 * kImage);
    for (int first = 0; first < 12; first += 2) {
        r.SetInView(first, first + 1);
        RenderNow(r, first);
        RenderNow(r, first + 1);
        EXPECT_LE(r.CachedBytes(), r.CacheLimit()) << "view at " << first;
    }
    // The view shows 10 and 11; the two pages before them are the nearest.
    for (int page : {8, 9, 10, 11})
        EXPECT_TRUE(r.IsRendered(page, kWidth)) << page;
    for (int page : {0, 1, 6, 7})
        EXPECT_FALSE(r.IsRendered(page)) << page;
    EXPECT_EQ(r.CachedBytes(), 4 * kImage);
    // Scrolling back a little needs no render.
    const int before = r.Requests();
    EXPECT_NE(r.Request(9, kWidth), nullptr);
    EXPECT_EQ(r.Requests(), before);
}

TEST_F(PageRendererTest, AnOldZoomGoesBeforeAPageOfTheCurrentOne) {
    r.SetCacheLimit(6 * kImage);
    r.SetInView(0, 1);
    for (int page = 0; page < 4; ++page)
        RenderNow(r, page);
    // Zoomed in: pages 0 and 1 are asked for wider now (1.44 images each).
    RenderNow(r, 0, 360);
    RenderNow(r, 1, 360);
    EXPECT_LE(r.CachedBytes(), r.CacheLimit());
    EXPECT_FALSE(r.IsRendered(0, kWidth)) << "the least recently used old zoom went";
    EXPECT_TRUE(r.IsRendered(3, kWidth)) << "a page of the current zoom stayed, far or not";
    EXPECT_TRUE(r.IsRendered(0, 360));
    EXPECT_TRUE(r.IsRendered(1, 360));
}

TEST_F(PageRendererTest, ThePagesInViewStayEvenOverTheLimit) {
    r.SetCacheLimit(kImage / 2);
    r.SetInView(4, 6);
    for (int page = 4; page <= 6; ++page)
        RenderNow(r, page);
    const int before = r.Requests();
    for (int page = 4; page <= 6; ++page)
        EXPECT_NE(r.Request(page, kWidth), nullptr) << "page " << page << " is not rendered again";
    EXPECT_EQ(r.Requests(), before);
    EXPECT_EQ(r.CachedBytes(), 3 * kImage);

    r.SetInView(10, 10);
    RenderNow(r, 10);
    EXPECT_EQ(r.CachedBytes(), kImage) << "once out of view they go";
    r.SetCacheLimit(0);
    EXPECT_TRUE(r.IsRendered(10, kWidth));
}

class ViewerCacheTest : public ViewerFixture {};

TEST_F(ViewerCacheTest, TheWindowTellsTheCacheWhatIsInView) {
    WritePdf(dir_ / "many.pdf", 60);
    ASSERT_TRUE(window_->OpenFile((dir_ / "many.pdf").string()));
    PageRenderer& r = window_->Renderer();
    r.SetCacheLimit(1); // only what is in view stays
    ASSERT_TRUE(window_->WaitForPages(60000));
    EXPECT_TRUE(r.IsRendered(0));
    window_->View().ShowPage(40);
    ASSERT_TRUE(window_->WaitForPages(60000));
    EXPECT_TRUE(r.IsRendered(40));
    EXPECT_FALSE(r.IsRendered(0));
    const int before = r.Requests();
    window_->View().viewport()->repaint();
    EXPECT_EQ(r.Requests(), before) << "the pages in view are not rendered over and over";
}

} // namespace
} // namespace pdfhost::viewer
