#include <gtest/gtest.h>

#include <functional>

#include "platform/error.h"
#include "report_engine/preview_interface.h"
#include "tests/report_engine/report_fixtures.h"

namespace quiral {
namespace {

using testing::GridReport;

// A window that listens to its printer object the way the real preview window does.
struct FakeWindow : PreviewWindow, PrinterListener {
  TQRPrinter* printer = nullptr;
  std::vector<int> pageCounts;  // one entry per page-available notification
  int ended = 0;
  int closed = 0;
  void pageAvailable(int count) override { pageCounts.push_back(count); }
  void generationEnded() override { ++ended; }
  void previewClosed() override { ++closed; }
};

struct FakeInterface : TQRPreviewInterface {
  FakeWindow window;
  int shows = 0;
  int modalShows = 0;
  int pagesWhenShown = -1;
  std::string titleWhenShown;
  PreviewWindow* show(TQRPrinter& printer) override {
    ++shows;
    pagesWhenShown = printer.pageCount();
    titleWhenShown = printer.title();
    window.printer = &printer;
    printer.addListener(&window);
    return &window;
  }
  PreviewWindow* showModal(TQRPrinter& printer) override {
    ++modalShows;
    pagesWhenShown = printer.pageCount();
    printer.closePreview();  // the user looked and closed it
    return &window;
  }
};

// The event loop: runs a scripted action on each turn; waiting means the user closes the window.
struct FakePump : EventPump {
  std::function<void()> onEvents;
  std::function<void()> beforeClose;
  TQRPrinter* printer = nullptr;
  int turns = 0;
  int waits = 0;
  void processEvents() override {
    ++turns;
    if (onEvents) onEvents();
  }
  void waitUntil(const std::function<bool()>& done) override {
    ++waits;
    if (beforeClose) beforeClose();
    if (!done()) printer->closePreview();
    ASSERT_TRUE(done());
  }
};

class PreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    preview = std::make_shared<FakeInterface>();
    pump = std::make_shared<FakePump>();
    pump->printer = &g.report.qrPrinter();
    previews.registerPreviewInterface(preview);
    previews.setEventPump(pump);
    g.report.setPreviewRegistry(&previews);
  }
  void TearDown() override { g.report.qrPrinter().removeListener(&preview->window); }

  PreviewRegistry previews;
  GridReport g;
  std::shared_ptr<FakeInterface> preview;
  std::shared_ptr<FakePump> pump;
};

TEST_F(PreviewTest, ShowsTheWindowFirstThenOneNotificationPerPageThenWaitsForClose) {
  g.records = 13;
  g.report.prepare();  // pages of an earlier run are not shown again
  g.needDataCalls = 0;
  g.report.setReportTitle("Visão prévia lib: x.lib");
  g.report.preview();
  EXPECT_EQ(preview->shows, 1);
  EXPECT_EQ(preview->pagesWhenShown, 0);  // the window is up before any page exists
  EXPECT_EQ(preview->titleWhenShown, "Visão prévia lib: x.lib");  // its caption
  EXPECT_EQ(preview->window.pageCounts, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(preview->window.ended, 1);
  EXPECT_EQ(pump->waits, 1);
  EXPECT_EQ(preview->window.closed, 1);
  EXPECT_FALSE(g.report.previewShowing());
  EXPECT_GT(pump->turns, 13);  // the window works between the cells
  EXPECT_EQ(g.report.qrPrinter().title(), "Visão prévia lib: x.lib");
}

TEST_F(PreviewTest, PrepareIsIgnoredWhileThePreviewShows) {
  g.records = 7;
  std::vector<std::shared_ptr<const PreparedPage>> shown;
  pump->beforeClose = [&] {
    shown = {g.report.qrPrinter().page(1), g.report.qrPrinter().page(2)};
    const int calls = g.needDataCalls;
    g.records = 1;  // a new generation would give one page
    g.report.prepare();
    EXPECT_EQ(g.needDataCalls, calls);
    EXPECT_EQ(g.report.qrPrinter().pageCount(), 2);
    EXPECT_EQ(g.report.qrPrinter().page(1), shown[0]);
  };
  g.report.preview();
  EXPECT_EQ(pump->waits, 1);
  // Closed: prepare works again.
  g.needDataCalls = 0;
  g.report.prepare();
  EXPECT_EQ(g.report.qrPrinter().pageCount(), 1);
}

TEST_F(PreviewTest, ClosingTheWindowDuringGenerationStopsIt) {
  g.records = 1000;
  pump->onEvents = [&] {
    if (g.report.qrPrinter().pageCount() == 2) g.report.qrPrinter().closePreview();
  };
  g.report.preview();
  EXPECT_EQ(g.report.qrPrinter().pageCount(), 3);  // the page under way is finished
  EXPECT_LT(g.needDataCalls, 20);
  EXPECT_FALSE(g.report.qrPrinter().generating());
}

TEST_F(PreviewTest, AThrowingHookReachesTheCallerAndTheWindowKeepsItsPages) {
  g.records = 100;
  g.report.setNeedData([&](TQuickRep&, bool& more) {
    if (++g.needDataCalls == 9) throw QuiralError("Input/output error");
    g.name->setCaption("C" + std::to_string(g.needDataCalls));
    more = true;
  });
  EXPECT_THROW(g.report.preview(), QuiralError);
  EXPECT_EQ(preview->window.ended, 1);
  EXPECT_EQ(g.report.qrPrinter().pageCount(), 2);
  // The window is still open and still holds its pages: prepare stays ignored until it closes.
  EXPECT_TRUE(g.report.previewShowing());
  g.report.prepare();
  EXPECT_EQ(g.needDataCalls, 9);
  g.report.qrPrinter().closePreview();
  EXPECT_FALSE(g.report.previewShowing());
}

TEST_F(PreviewTest, HooksReachTheWindowOnlyWhileItShowsThePreview) {
  std::vector<PreviewWindow*> seen;
  g.records = 2;
  g.report.setNeedData([&](TQuickRep& r, bool& more) {
    seen.push_back(r.previewWindow());
    more = ++g.needDataCalls <= g.records;
  });
  g.report.prepare();
  EXPECT_EQ(seen, std::vector<PreviewWindow*>(3, nullptr));  // no window when only preparing

  seen.clear();
  g.needDataCalls = 0;
  g.report.preview();
  EXPECT_EQ(seen, std::vector<PreviewWindow*>(3, &preview->window));
  EXPECT_EQ(g.report.previewWindow(), nullptr);  // closed
}

// An interface that opens no window and has nothing to wait for.
struct WindowlessInterface : TQRPreviewInterface {
  PreviewWindow* show(TQRPrinter&) override { return nullptr; }
  PreviewWindow* showModal(TQRPrinter& printer) override {
    printer.closePreview();
    return nullptr;
  }
};

TEST_F(PreviewTest, AFailedGenerationWithoutAWindowLeavesTheReportUsable) {
  previews.registerPreviewInterface(std::make_shared<WindowlessInterface>());
  bool fail = true;
  g.records = 7;
  g.report.setNeedData([&](TQuickRep&, bool& more) {
    if (fail && g.needDataCalls == 3) throw QuiralError("Input/output error");
    more = ++g.needDataCalls <= g.records;
    g.name->setCaption("C" + std::to_string(g.needDataCalls));
  });
  EXPECT_THROW(g.report.preview(), QuiralError);
  EXPECT_FALSE(g.report.previewShowing());
  EXPECT_EQ(g.report.qrPrinter().pageCount(), 1);  // what was made stays

  fail = false;
  g.needDataCalls = 0;
  g.report.prepare();
  EXPECT_EQ(g.report.qrPrinter().pageCount(), 2);
  g.needDataCalls = 0;
  g.report.preview();
  EXPECT_EQ(g.needDataCalls, 8);
}

TEST_F(PreviewTest, EngineWindowIsUsedOnlyWithoutARegisteredInterface) {
  auto own = std::make_shared<FakeInterface>();
  previews.setEngineWindow(own);
  g.records = 1;
  g.report.preview();
  EXPECT_EQ(own->shows, 0);
  EXPECT_EQ(preview->shows, 1);

  previews.registerPreviewInterface(nullptr);
  g.needDataCalls = 0;
  g.report.preview();
  EXPECT_EQ(own->shows, 1);
  g.report.qrPrinter().removeListener(&own->window);

  previews.setEngineWindow(nullptr);
  EXPECT_THROW(g.report.preview(), QuiralError);
  EXPECT_FALSE(g.report.previewShowing());
}

TEST_F(PreviewTest, AReportPreviewsOnlyThroughTheRegistryItWasGiven) {
  GridReport lone;
  lone.records = 1;
  EXPECT_THROW(lone.report.preview(), QuiralError);
  EXPECT_THROW(lone.report.previewModal(), QuiralError);
  EXPECT_FALSE(lone.report.previewShowing());
  EXPECT_EQ(preview->shows + preview->modalShows, 0);
}

TEST_F(PreviewTest, WithoutAnEventLoopThePreviewDoesNotWaitForever) {
  previews.setEventPump(nullptr);
  g.records = 2;
  g.report.preview();
  EXPECT_EQ(g.report.qrPrinter().pageCount(), 1);
  EXPECT_FALSE(g.report.previewShowing());
}

TEST_F(PreviewTest, ModalPreviewShowsFinishedPages) {
  g.records = 7;
  g.report.previewModal();
  EXPECT_EQ(preview->modalShows, 1);
  EXPECT_EQ(preview->pagesWhenShown, 2);
  EXPECT_FALSE(g.report.previewShowing());
}

}  // namespace
}  // namespace quiral
