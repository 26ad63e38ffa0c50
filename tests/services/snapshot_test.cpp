// Window snapshots: what the capture holds, handles, and the size arguments.
#include "services/snapshot.h"

#include <QColor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <string>

namespace sorvane {
namespace {

// A control that paints itself in one colour, as the display area and the
// panel picture paint their own pixels.
class Solid : public QWidget {
 public:
  Solid(QWidget* parent, QColor colour, QRect geometry) : QWidget(parent), colour_(colour) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(geometry);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), colour_);
  }

 private:
  QColor colour_;
};

// A decoded BMP: width, height and the colour at (x, y) counted from the top.
struct Bmp {
  int width = 0;
  int height = 0;
  const ByteBuffer* bytes = nullptr;

  static std::uint32_t u32(const ByteBuffer& b, std::size_t at) {
    return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
           std::uint32_t{b[at + 3]} << 24;
  }
  explicit Bmp(const ByteBuffer& b) : bytes(&b) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return;
    width = static_cast<int>(u32(b, 18));
    height = static_cast<int>(u32(b, 22));
  }
  std::size_t stride() const { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }
  QRgb at(int x, int y) const {
    const std::size_t o = 54 + (height - 1 - y) * stride() + 3 * static_cast<std::size_t>(x);
    const ByteBuffer& b = *bytes;
    return qRgb(b[o + 2], b[o + 1], b[o]);
  }
};

// A window with, in stacking order: a green control partly under the area, the
// area (red, 30 x 20 at 10, 5), and a blue panel above it that covers the
// area's lower right part (x 15-29, y 10-19 in the area) and reaches past its
// right edge.
class SnapshotWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<QWidget>();
    window_->resize(60, 40);
    below_ = new Solid(window_.get(), Qt::green, QRect(0, 0, 20, 40));
    area_ = new Solid(window_.get(), Qt::red, QRect(10, 5, 30, 20));
    panel_ = new Solid(window_.get(), Qt::blue, QRect(25, 15, 20, 20));
    panel_->raise();
    window_->show();
  }

  static QRgb expected_with_panel(int x, int y) {
    return x >= 15 && y >= 10 ? qRgb(0, 0, 255) : qRgb(255, 0, 0);
  }

  std::unique_ptr<QWidget> window_;
  Solid* below_ = nullptr;
  Solid* area_ = nullptr;
  Solid* panel_ = nullptr;
};

TEST_F(SnapshotWindow, HoldsAreaWithPanelAboveItAtItsPlace) {
  const ByteBuffer bmp = snapshot_window(window_handle(area_));
  const Bmp b(bmp);
  ASSERT_EQ(b.width, 30);
  ASSERT_EQ(b.height, 20);
  ASSERT_EQ(bmp.size(), 54u + 92u * 20u);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x)
      ASSERT_EQ(b.at(x, y), expected_with_panel(x, y)) << "at " << x << "," << y;
}

TEST_F(SnapshotWindow, HiddenPanelIsNotInLaterSnapshots) {
  const std::uintptr_t h = window_handle(area_);
  panel_->hide();
  const ByteBuffer bmp = snapshot_window(h);
  const Bmp b(bmp);
  ASSERT_EQ(b.width, 30);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(b.at(x, y), qRgb(255, 0, 0)) << "at " << x << "," << y;
  panel_->show();
  EXPECT_EQ(Bmp(snapshot_window(h)).at(29, 19), qRgb(0, 0, 255));
}

TEST_F(SnapshotWindow, TakingHandleMakesNoNativeWindow) {
  window_handle(area_);
  window_handle(panel_);
  EXPECT_FALSE(area_->testAttribute(Qt::WA_NativeWindow));
  EXPECT_EQ(area_->internalWinId(), WId{0});
  EXPECT_EQ(panel_->internalWinId(), WId{0});
}

TEST_F(SnapshotWindow, HandlesAreStableAndDistinct) {
  const std::uintptr_t a = window_handle(area_);
  EXPECT_NE(a, 0u);
  EXPECT_EQ(window_handle(area_), a);
  EXPECT_NE(window_handle(panel_), a);
  EXPECT_EQ(window_handle(nullptr), 0u);
}

TEST_F(SnapshotWindow, HandleOfDestroyedWidgetGivesEmptyBuffer) {
  const std::uintptr_t h = window_handle(panel_);
  ASSERT_FALSE(snapshot_window(h).empty());
  delete panel_;
  panel_ = nullptr;
  EXPECT_TRUE(snapshot_window(h).empty());
  // A new widget never takes over the old handle.
  auto* again = new Solid(window_.get(), Qt::blue, QRect(0, 0, 5, 5));
  EXPECT_NE(window_handle(again), h);
  EXPECT_TRUE(snapshot_window(h).empty());
}

TEST_F(SnapshotWindow, HandleNeverGivenGivesEmptyBuffer) {
  const std::uintptr_t h = window_handle(area_);
  EXPECT_TRUE(snapshot_window(h + 100000).empty());
}

TEST(Snapshot, HandleZeroCapturesWholePrimaryScreen) {
  QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  const QSize expected = screen->size() * screen->devicePixelRatio();
  const ByteBuffer bmp = snapshot_window(0);
  const Bmp b(bmp);
  EXPECT_EQ(b.width, expected.width());
  EXPECT_EQ(b.height, expected.height());
  EXPECT_EQ(bmp.size(), 54 + b.stride() * b.height);
}

struct DimensionCase {
  const char* name;
  int captured;
  int requested;
  int result;
};

class SnapshotDimension : public ::testing::TestWithParam<DimensionCase> {};

TEST_P(SnapshotDimension, FollowsRequest) {
  EXPECT_EQ(snapshot_dimension(GetParam().captured, GetParam().requested), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, SnapshotDimension,
    ::testing::Values(DimensionCase{"zero_keeps", 460, 0, 460},
                      DimensionCase{"positive_is_size", 460, 100, 100},
                      DimensionCase{"positive_may_enlarge", 460, 1000, 1000},
                      DimensionCase{"minus_fifty_is_half", 460, -50, 230},
                      DimensionCase{"minus_five_counts_as_ten", 460, -5, 46},
                      DimensionCase{"minus_one_counts_as_ten", 460, -1, 46},
                      DimensionCase{"minus_ten", 460, -10, 46},
                      DimensionCase{"rounds_half_up", 7, -50, 4},
                      DimensionCase{"rounds_down", 878, -33, 290},
                      DimensionCase{"two_hundred_percent", 460, -200, 920},
                      DimensionCase{"rounds_to_zero", 4, -10, 0},
                      DimensionCase{"past_int_range", 460, INT_MIN, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// The size arguments on a real capture of a one-colour control: each
// dimension independently, and the colour kept exactly by the smooth scaling.
struct ScaleCase {
  const char* name;
  int width;
  int height;
  int out_width;  // 0: no picture
  int out_height;
};

class SnapshotScaled : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(SnapshotScaled, HasRequestedSize) {
  QWidget window;
  window.resize(220, 120);
  auto* area = new Solid(&window, QColor(12, 34, 56), QRect(10, 10, 200, 100));
  window.show();
  const ScaleCase& c = GetParam();
  const ByteBuffer bmp = snapshot_window(window_handle(area), c.width, c.height);
  if (c.out_width == 0) {
    EXPECT_TRUE(bmp.empty());
    return;
  }
  const Bmp b(bmp);
  ASSERT_EQ(b.width, c.out_width);
  ASSERT_EQ(b.height, c.out_height);
  ASSERT_EQ(bmp.size(), 54 + b.stride() * b.height);
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) ASSERT_EQ(b.at(x, y), qRgb(12, 34, 56)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, SnapshotScaled,
    ::testing::Values(ScaleCase{"kept", 0, 0, 200, 100}, ScaleCase{"width_only", 50, 0, 50, 100},
                      ScaleCase{"height_only", 0, 30, 200, 30},
                      ScaleCase{"both_positive", 7, 3, 7, 3},
                      ScaleCase{"width_minus_five", -5, 0, 20, 100},
                      ScaleCase{"half_each", -50, -50, 100, 50},
                      ScaleCase{"percent_and_pixels", -150, 40, 300, 40},
                      ScaleCase{"height_minus_one_as_ten", 0, -1, 200, 10},
                      ScaleCase{"huge_is_refused", INT_MAX, INT_MAX, 0, 0},
                      ScaleCase{"percent_past_range", INT_MIN, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Snapshot, SizeRoundingToZeroGivesEmptyBuffer) {
  QWidget window;
  window.resize(20, 20);
  auto* tiny = new Solid(&window, Qt::red, QRect(0, 0, 4, 4));
  window.show();
  EXPECT_TRUE(snapshot_window(window_handle(tiny), -10, 0).empty());
  EXPECT_TRUE(snapshot_window(window_handle(tiny), 0, -10).empty());
  EXPECT_FALSE(snapshot_window(window_handle(tiny), -50, -50).empty());
}

}  // namespace
}  // namespace sorvane
