// The main window at a device pixel ratio of 2 (QT_SCALE_FACTOR=2, set before Qt starts): the
// same layout in logical pixels, the stage enlarged pixel for pixel with nothing smoothed, the
// labels' text drawn twice as large in the same places, and presses at any point, whole or
// between two logical pixels, reaching the tile under the physical pixel pressed.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointingDevice>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "game/game.h"
#include "tests/ui/high_dpi_test.h"
#include "ui/label_font.h"
#include "ui/main_window.h"
#include "ui/window_layout.h"

namespace vintello {
namespace {

constexpr int Scale = 2;

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect PlaceOf(const ControlDescription& d) {
  return {d.place.left, d.place.top, d.place.width, d.place.height};
}

QColor FromRgb(Rgb rgb) {
  return {RedOf(rgb), GreenOf(rgb), BlueOf(rgb)};
}

// A shown window with its own game state and a stage clock that only the test moves.
struct TestWindow {
  std::unique_ptr<GameState> state = MakeGameState();
  std::int64_t nowMs = 0;
  MainWindow window{*state, [this] { return nowMs; }};

  TestWindow() {
    window.show();
    window.activateWindow();
  }
  QWidget& control(std::string_view name) {
    return *window.findChild<QWidget*>(Q(name), Qt::FindDirectChildrenOnly);
  }
  // The window as the screen shows it: physical pixels, twice the logical size.
  QImage AtScaleTwo() { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }
  // The same window painted into an image of ratio 1: what a scale-1 screen shows.
  QImage AtScaleOne() {
    QImage image(window.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    window.render(&image);
    return image;
  }
  // The tiles' cells all at size 1, so that a press on any tile makes exactly one cell 2.
  void FillBoardWithSmallDrops() {
    for (int cell = 1; cell <= CellCount; ++cell) (*state->Board)[cell] = 1;
    state->Remaining = CellCount;
  }
  // The one cell that a press grew, 0 when none did.
  int GrownCell() const {
    int grown = 0;
    for (int cell = 1; cell <= CellCount; ++cell) {
      if ((*state->Board)[cell] == 2) {
        if (grown) return -1;
        grown = cell;
      }
    }
    return grown;
  }
};

// The smallest rectangle around the pixels of `colour` inside `area`.
QRect InkBounds(const QImage& image, const QRect& area, QColor colour) {
  QRect bounds;
  const QRect inside = area & image.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (image.pixelColor(x, y) == colour) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

QRect Scaled(const QRect& r) {
  return {r.x() * Scale, r.y() * Scale, r.width() * Scale, r.height() * Scale};
}

// A left-button press and release at a point of the stage widget given in logical pixels, as the
// platform delivers it from a physical pixel: the point need not be whole.
void ClickAt(QWidget& widget, QPointF at) {
  const QPointF global = widget.mapToGlobal(at);
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, at, at, global, Qt::LeftButton, held, Qt::NoModifier,
                      QPointingDevice::primaryPointingDevice());
    QApplication::sendEvent(&widget, &event);
  }
}

}  // namespace

void HighDpiTest::screenRunsAtScaleTwo() {
  TestWindow w;
  QVERIFY(QTest::qWaitForWindowExposed(&w.window));
  QCOMPARE(w.window.devicePixelRatio(), qreal(Scale));
  QCOMPARE(w.AtScaleTwo().size(), w.window.size() * Scale);
}

void HighDpiTest::layoutKeepsLogicalPlaces_data() {
  QTest::addColumn<QString>("name");
  for (const ControlDescription& c : MainWindowControls) {
    if (c.kind != ControlKind::AnimationObject) {
      QTest::newRow(std::string(c.name).c_str()) << Q(c.name);
    }
  }
}

void HighDpiTest::layoutKeepsLogicalPlaces() {
  QFETCH(QString, name);
  TestWindow w;
  const ControlDescription& d = *FindControl(name.toStdString());
  QCOMPARE(w.control(d.name).geometry(), PlaceOf(d));
  // The outer size is described in logical pixels and stays so.
  QCOMPARE(w.window.frameGeometry().size(),
           QSize(MainWindowDescription.outerWidth, MainWindowDescription.outerHeight));
}

// Every stage pixel becomes one 2 x 2 block of exactly its colour: nothing is smoothed, shifted
// or cut, including droplets in flight and the tile pictures cut at the stage's right edge.
void HighDpiTest::stagePixelsBecomeExactBlocks() {
  TestWindow w;
  QVERIFY(QTest::qWaitForWindowExposed(&w.window));
  // A full drop among cleared tiles: its droplets fly on over them, whatever board the level had.
  for (int cell = 1; cell <= CellCount; ++cell) (*w.state->Board)[cell] = Cleared;
  (*w.state->Board)[15] = FullDrop;
  w.state->Remaining = 1;
  QTest::mouseClick(&w.window.stageWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 150));
  for (int tick = 0; tick < 6; ++tick) {
    w.nowMs += 25;
    w.window.stageWidget().Tick();
  }
  QVERIFY2(w.window.stage().CountObjects() > CellCount, "droplets are on their way");

  const QImage two = w.AtScaleTwo();
  const QImage one = w.AtScaleOne();
  const std::span<const std::uint32_t> stage = w.window.stage().Pixels();
  const int width = w.window.stage().width();
  for (int y = 0; y < w.window.stage().height(); ++y) {
    for (int x = 0; x < width; ++x) {
      const QRgb pixel = stage[static_cast<std::size_t>(y * width + x)] | 0xFF000000u;
      // At scale 1 the stage is shown as it is ...
      QCOMPARE(one.pixel(x, y), pixel);
      // ... and at scale 2 as a block of four copies of it.
      for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
        if (two.pixel(x * Scale + dx, y * Scale + dy) != pixel) {
          QFAIL(qPrintable(QString("stage pixel %1,%2: %3 at scale 1, %4 at physical %5,%6")
                               .arg(x)
                               .arg(y)
                               .arg(pixel, 8, 16)
                               .arg(two.pixel(x * Scale + dx, y * Scale + dy), 8, 16)
                               .arg(x * Scale + dx)
                               .arg(y * Scale + dy)));
        }
      }
    }
  }
}

// The labels draw their fonts at twice the size rather than enlarging a small picture, so the
// ink lands where scale 1 puts it, twice as large, give or take the glyphs' finer rounding.
void HighDpiTest::labelInkScalesWithTheWindow_data() {
  QTest::addColumn<QString>("name");
  for (const ControlDescription& c : MainWindowControls) {
    if (c.kind == ControlKind::Label) QTest::newRow(std::string(c.name).c_str()) << Q(c.name);
  }
}

void HighDpiTest::labelInkScalesWithTheWindow() {
  QFETCH(QString, name);
  TestWindow w;
  QVERIFY(QTest::qWaitForWindowExposed(&w.window));
  const ControlDescription& d = *FindControl(name.toStdString());
  const QColor ink = FromRgb(d.textColour);
  const QRect one = InkBounds(w.AtScaleOne(), PlaceOf(d), ink);
  const QRect two = InkBounds(w.AtScaleTwo(), Scaled(PlaceOf(d)), ink);
  QVERIFY2(one.width() > 4 && one.height() > 4, "the caption shows at scale 1");
  const QRect expected = Scaled(one);
  const int slack = 2 * Scale;
  const QString where = QString("scale 1 ink %1,%2 %3x%4; scale 2 ink %5,%6 %7x%8")
                            .arg(one.x())
                            .arg(one.y())
                            .arg(one.width())
                            .arg(one.height())
                            .arg(two.x())
                            .arg(two.y())
                            .arg(two.width())
                            .arg(two.height());
  QVERIFY2(qAbs(two.left() - expected.left()) <= slack, qPrintable(where));
  QVERIFY2(qAbs(two.top() - expected.top()) <= slack, qPrintable(where));
  QVERIFY2(qAbs(two.right() - expected.right()) <= slack, qPrintable(where));
  QVERIFY2(qAbs(two.bottom() - expected.bottom()) <= slack, qPrintable(where));
  // Finer, not blockier: a glyph's edge at scale 2 does not simply repeat scale 1's pixels.
  QVERIFY(two.width() % Scale != 0 || two.height() % Scale != 0 || two != expected);
}

// Presses through the window at whole logical points hit the tile they hit at scale 1.
void HighDpiTest::pressesAtLogicalPointsHitTheSameTiles_data() {
  QTest::addColumn<QPoint>("at");
  QTest::addColumn<int>("tile");
  QTest::newRow("tile 1's middle") << QPoint(30, 30) << 1;
  QTest::newRow("tile 8's middle") << QPoint(90, 90) << 8;
  QTest::newRow("tile 36's lower right") << QPoint(355, 355) << 36;
  QTest::newRow("tile 6, one pixel left of the grid") << QPoint(300, 10) << 6;
  QTest::newRow("column 0, no tile") << QPoint(0, 90) << 0;
}

void HighDpiTest::pressesAtLogicalPointsHitTheSameTiles() {
  QFETCH(QPoint, at);
  QFETCH(int, tile);
  TestWindow w;
  QVERIFY(QTest::qWaitForWindowActive(&w.window));
  w.FillBoardWithSmallDrops();
  QCOMPARE(w.window.stage().ObjectAt(at.x(), at.y()), tile);
  const QPoint inWindow = w.window.stageWidget().mapTo(&w.window, at);
  QTest::mouseClick(w.window.windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
  QCOMPARE(w.GrownCell(), tile);
}

// A physical pixel that is the right or lower half of a logical pixel arrives as a point
// halfway between two logical pixels; it lies in the stage pixel to its left and above, never
// in the next one. Each row sits on a border between two objects, where the difference shows.
void HighDpiTest::pressesBetweenLogicalPixelsHitTheTileUnderThem_data() {
  QTest::addColumn<QPointF>("at");
  QTest::addColumn<QPoint>("stagePixel");
  QTest::newRow("column 0 beside tile 7") << QPointF(0.5, 90.5) << QPoint(0, 90);
  // Tile 1 ends where tile 2 begins.
  QTest::newRow("tile 1's last column") << QPointF(59.5, 30.5) << QPoint(59, 30);
  // Tile 1 ends above tile 7's first row.
  QTest::newRow("tile 1's last row") << QPointF(30.5, 59.5) << QPoint(30, 59);
  QTest::newRow("the stage's last pixel") << QPointF(361.5, 361.5) << QPoint(361, 361);
}

void HighDpiTest::pressesBetweenLogicalPixelsHitTheTileUnderThem() {
  QFETCH(QPointF, at);
  QFETCH(QPoint, stagePixel);
  TestWindow w;
  QVERIFY(QTest::qWaitForWindowExposed(&w.window));
  w.FillBoardWithSmallDrops();
  Stage& stage = w.window.stage();
  const int tile = stage.ObjectAt(stagePixel.x(), stagePixel.y());
  // The row is only worth its place where rounding would land on another object.
  const QPoint rounded = at.toPoint();
  const int roundedTile = rounded.x() < stage.width() && rounded.y() < stage.height()
                              ? stage.ObjectAt(rounded.x(), rounded.y())
                              : -1;
  QVERIFY2(roundedTile != tile, "the point sits on a border between two objects");
  ClickAt(w.window.stageWidget(), at);
  QCOMPARE(w.GrownCell(), tile);
}

}  // namespace vintello

int main(int argc, char* argv[]) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Every device pixel ratio in this program is 2; the platform's own ratio stays 1.
  setenv("QT_SCALE_FACTOR", "2", 1);
  QApplication application(argc, argv);
  if (!vintello::LoadEmbeddedFont()) {
    qCritical("the embedded font does not load");
    return 1;
  }
  vintello::HighDpiTest test;
  return QTest::qExec(&test, argc, argv);
}
