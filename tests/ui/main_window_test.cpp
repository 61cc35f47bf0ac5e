// The main window on Qt's offscreen platform: its controls, their looks as painted, the keys it
// answers, and presses reaching the game. The stage runs on a clock that the tests move.
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRawFont>
#include <QSignalSpy>
#include <QTest>
#include <QTextLayout>
#include <QWindow>
#include <cstdlib>
#include <memory>

#include "assets/fonts/label_font.h"
#include "game/game.h"
#include "tests/ui/main_window_test.h"
#include "ui/label_font.h"
#include "ui/main_window.h"
#include "ui/window_layout.h"

namespace vintello {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect PlaceOf(std::string_view name) {
  const ControlPlace p = FindControl(name)->place;
  return {p.left, p.top, p.width, p.height};
}

QColor FromRgb(Rgb rgb) {
  return {RedOf(rgb), GreenOf(rgb), BlueOf(rgb)};
}

// Where the middle of a tile lies on the stage (tiles 2 to 6 sit one pixel higher and further
// left than the grid, which the middle never notices).
QPoint TileMiddle(int tile) {
  return {((tile - 1) % 6) * 60 + 30, ((tile - 1) / 6) * 60 + 30};
}

// A window with its own game state and a stage clock that moves only when a test moves it.
struct TestWindow {
  std::unique_ptr<GameState> state = MakeGameState();
  std::int64_t nowMs = 0;
  MainWindow window{*state, [this] { return nowMs; }};

  QWidget& control(std::string_view name) {
    return *window.findChild<QWidget*>(Q(name), Qt::FindDirectChildrenOnly);
  }
  bool ShowActive() {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
  }
};

// The smallest rectangle around the pixels inside `area` that `isInk` accepts.
template <typename IsInk>
QRect InkBounds(const QImage& image, const QRect& area, IsInk isInk) {
  const QRect inside = area & image.rect();
  QRect bounds;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (isInk(image.pixelColor(x, y))) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

QRect InkBounds(const QImage& image, const QRect& area, QColor colour) {
  return InkBounds(image, area, [colour](QColor c) { return c == colour; });
}

// Equal images, but for the few levels by which antialiased edges differ between a window's
// backing store and a plain image.
bool SameWithin(const QImage& a, const QImage& b, int tolerance) {
  if (a.size() != b.size()) return false;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y);
      const QColor q = b.pixelColor(x, y);
      if (qAbs(p.red() - q.red()) > tolerance || qAbs(p.green() - q.green()) > tolerance ||
          qAbs(p.blue() - q.blue()) > tolerance) {
        return false;
      }
    }
  }
  return true;
}

bool ReservedFaceInstalled() {
  return QFontDatabase::hasFamily(Q(LabelFontFace));
}

}  // namespace

void MainWindowTest::controlsAreCreatedInTableOrder() {
  TestWindow w;
  QStringList created;
  for (QObject* child : w.window.children()) {
    if (child->isWidgetType()) created << child->objectName();
  }
  QStringList described;
  for (const ControlDescription& c : MainWindowControls) {
    // The droplet template is data for the stage, never a widget.
    if (c.kind != ControlKind::AnimationObject) described << Q(c.name);
  }
  QCOMPARE(created, described);
  QVERIFY(!w.window.findChild<QWidget*>(Q("动画物体2")));
}

void MainWindowTest::controlGeometry_data() {
  QTest::addColumn<QString>("name");
  for (const ControlDescription& c : MainWindowControls) {
    if (c.kind == ControlKind::AnimationObject) continue;
    QTest::newRow(std::string(c.name).c_str()) << Q(c.name);
  }
}

void MainWindowTest::controlGeometry() {
  QFETCH(QString, name);
  TestWindow w;
  const ControlDescription& d = *FindControl(name.toStdString());
  QWidget& widget = w.control(d.name);
  QCOMPARE(widget.geometry(), PlaceOf(d.name));
  QCOMPARE(widget.isVisibleTo(&w.window), d.visible);
  QCOMPARE(bool(widget.focusPolicy() & Qt::TabFocus), d.tabStop);
}

void MainWindowTest::windowHasOnlyTheCloseButtonAndFixedOuterSize() {
  TestWindow w;
  QCOMPARE(w.window.windowTitle(), Q(MainWindowDescription.caption));
  const Qt::WindowFlags flags = w.window.windowFlags();
  QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
  QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
  QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
  QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
  QVERIFY(!flags.testFlag(Qt::WindowStaysOnTopHint));
  QVERIFY(!flags.testFlag(Qt::Tool));
  QVERIFY(!w.window.windowIcon().isNull());
  QVERIFY(w.ShowActive());
  // This platform draws no frame, so the client area is the whole outer size.
  const QRect outer = w.window.frameGeometry();
  QCOMPARE(outer.size(),
           QSize(MainWindowDescription.outerWidth, MainWindowDescription.outerHeight));
  QCOMPARE(w.window.minimumSize(), w.window.maximumSize());
  const QRect screen = w.window.screen()->geometry();
  QCOMPARE(outer.topLeft(), QPoint((screen.width() - MainWindowDescription.outerWidth) / 2,
                                   (screen.height() - MainWindowDescription.outerHeight) / 2));
}

void MainWindowTest::labelLooks_data() {
  QTest::addColumn<QString>("name");
  for (const ControlDescription& c : MainWindowControls) {
    if (c.kind == ControlKind::Label) QTest::newRow(std::string(c.name).c_str()) << Q(c.name);
  }
}

void MainWindowTest::labelLooks() {
  QFETCH(QString, name);
  TestWindow w;
  const ControlDescription& d = *FindControl(name.toStdString());
  const Label& label = w.window.label(d.name);
  const QFont font = label.font();
  QCOMPARE(font.pixelSize(), d.fontPixelHeight);
  QCOMPARE(static_cast<int>(font.weight()), d.fontWeight);
  QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
  QCOMPARE(font.families().value(0), Q(LabelFontFace));
  QVERIFY(font.families().contains(QString::fromLatin1(EmbeddedFontFamily)));
  if (!ReservedFaceInstalled()) {
    QCOMPARE(QFontInfo(font).family(), QString::fromLatin1(EmbeddedFontFamily));
  }
  QCOMPARE(label.textColour(), FromRgb(d.textColour));
  const Qt::Alignment across =
      d.alignment == TextAlignment::Left ? Qt::AlignLeft : Qt::AlignHCenter;
  QCOMPARE(label.alignment(), across | Qt::AlignVCenter);
}

void MainWindowTest::captionsAfterCreation_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  // The creation event has started level 1 with 10 water before anything is shown.
  QTest::newRow("water") << "标签1"
                         << "10";
  QTest::newRow("level") << "标签3"
                         << "1";
  QTest::newRow("credit line") << "标签5" << Q(CreditLine);
  QTest::newRow("water caption") << "标签4"
                                 << "剩余水:";
  QTest::newRow("level caption") << "标签2"
                                 << "关卡:";
}

void MainWindowTest::captionsAfterCreation() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  TestWindow w;
  QCOMPARE(w.window.label(name.toStdString()).caption(), caption);
  QCOMPARE(w.window.restartButton().text(), Q(FindControl("按钮1")->text));
  QCOMPARE(w.window.stage().CountObjects(), CellCount);
}

void MainWindowTest::escape_data() {
  QTest::addColumn<QString>("focus");
  QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
  QTest::addColumn<bool>("closes");
  for (const char* focus : {"按钮1", "动画框1", ""}) {
    const std::string where = *focus ? focus : "nothing";
    QTest::newRow((where + ", Esc").c_str()) << focus << Qt::KeyboardModifiers() << true;
    QTest::newRow((where + ", Ctrl+Esc").c_str())
        << focus << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    QTest::newRow((where + ", Shift+Esc").c_str())
        << focus << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
    QTest::newRow((where + ", Alt+Esc").c_str())
        << focus << Qt::KeyboardModifiers(Qt::AltModifier) << false;
  }
}

void MainWindowTest::escape() {
  QFETCH(QString, focus);
  QFETCH(Qt::KeyboardModifiers, modifiers);
  QFETCH(bool, closes);
  TestWindow w;
  QVERIFY(w.ShowActive());
  QWidget* target = &w.window;
  if (focus.isEmpty()) {
    if (QWidget* focused = w.window.focusWidget()) focused->clearFocus();
    QVERIFY(!QApplication::focusWidget());
  } else {
    target = &w.control(focus.toStdString());
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
  }
  QTest::keyClick(target, Qt::Key_Escape, modifiers);
  QCOMPARE(!w.window.isVisible(), closes);
}

void MainWindowTest::enterAndF1DoNothing_data() {
  QTest::addColumn<QString>("focus");
  QTest::addColumn<int>("key");
  for (const char* focus : {"按钮1", "动画框1"}) {
    QTest::newRow((std::string(focus) + ", Return").c_str()) << focus << int(Qt::Key_Return);
    QTest::newRow((std::string(focus) + ", Enter").c_str()) << focus << int(Qt::Key_Enter);
    QTest::newRow((std::string(focus) + ", F1").c_str()) << focus << int(Qt::Key_F1);
  }
}

void MainWindowTest::enterAndF1DoNothing() {
  QFETCH(QString, focus);
  QFETCH(int, key);
  TestWindow w;
  QVERIFY(w.ShowActive());
  // A level and water that a restart would change.
  w.state->Level = 5;
  w.state->Water = 3;
  QWidget& target = w.control(focus.toStdString());
  target.setFocus();
  QSignalSpy clicked(&w.window.restartButton(), &QPushButton::clicked);
  QTest::keyClick(&target, static_cast<Qt::Key>(key));
  QCOMPARE(clicked.count(), 0);
  QCOMPARE(w.state->Level, 5);
  QCOMPARE(w.state->Water, 3);
  QCOMPARE(QApplication::focusWidget(), &target);
  QVERIFY(w.window.isVisible());
  QCOMPARE(QApplication::topLevelWidgets().count(), 1);  // no help window
}

void MainWindowTest::tabMovesBetweenButtonAndStage() {
  TestWindow w;
  QVERIFY(w.ShowActive());
  w.control("按钮1").setFocus();
  struct Step {
    Qt::Key key;
    const char* focusAfter;
  };
  const Step steps[] = {{Qt::Key_Tab, "动画框1"},
                        {Qt::Key_Tab, "按钮1"},
                        {Qt::Key_Backtab, "动画框1"},
                        {Qt::Key_Backtab, "按钮1"}};
  for (const Step& step : steps) {
    QTest::keyClick(QApplication::focusWidget(), step.key);
    QCOMPARE(QApplication::focusWidget(), &w.control(step.focusAfter));
  }
}

void MainWindowTest::grabShowsOneSurface_data() {
  QTest::addColumn<QPoint>("at");
  // Points where only a background shows: the window, a label's margin, the stage's column 0
  // (no tile there) and the strip where two labels overlap.
  QTest::newRow("window right of the stage") << QPoint(370, 300);
  QTest::newRow("标签1 corner") << QPoint(385, 102);
  QTest::newRow("标签4 right end") << QPoint(526, 66);
  QTest::newRow("标签5 left end") << QPoint(2, 372);
  QTest::newRow("标签4 over 标签1") << QPoint(390, 102);
  QTest::newRow("标签3 over 标签5") << QPoint(386, 369);
  QTest::newRow("stage column 0") << QPoint(0, 100);
}

void MainWindowTest::grabShowsOneSurface() {
  QFETCH(QPoint, at);
  TestWindow w;
  QVERIFY(w.ShowActive());
  const QImage image = w.window.grab().toImage();
  const QColor face = w.window.palette().color(QPalette::Window);
  QCOMPARE(image.pixelColor(at), face);
}

void MainWindowTest::faceColourFollowsThePalette() {
  TestWindow w;
  QVERIFY(w.ShowActive());
  const QColor face(90, 140, 200);
  QPalette palette = w.window.palette();
  palette.setColor(QPalette::Window, face);
  w.window.setPalette(palette);
  const QImage image = w.window.grab().toImage();
  for (const QPoint at : {QPoint(0, 100), QPoint(385, 102), QPoint(370, 300)}) {
    QCOMPARE(image.pixelColor(at), face);
  }
}

void MainWindowTest::labelInkIsPlacedAndColoured_data() {
  QTest::addColumn<QString>("name");
  for (const ControlDescription& c : MainWindowControls) {
    if (c.kind == ControlKind::Label) QTest::newRow(std::string(c.name).c_str()) << Q(c.name);
  }
}

void MainWindowTest::labelInkIsPlacedAndColoured() {
  QFETCH(QString, name);
  TestWindow w;
  QVERIFY(w.ShowActive());
  const ControlDescription& d = *FindControl(name.toStdString());
  const QImage image = w.window.grab().toImage();
  const QRect area = PlaceOf(d.name);
  const QRect ink = InkBounds(image, area, FromRgb(d.textColour));
  QVERIFY2(ink.width() * ink.height() > 100, "the caption is drawn in the label's colour");
  // One line, of about the character height, centred down the label.
  QVERIFY(ink.height() <= d.fontPixelHeight);
  QVERIFY(qAbs(ink.center().y() - area.center().y()) <= d.fontPixelHeight / 4);
  if (d.alignment == TextAlignment::Centre) {
    QVERIFY2(qAbs(ink.center().x() - area.center().x()) <= 4,
             qPrintable(QString("ink centre %1, label centre %2")
                            .arg(ink.center().x())
                            .arg(area.center().x())));
  } else {
    QVERIFY(ink.left() - area.left() <= 4);
  }
}

void MainWindowTest::tooWideCaptionIsCutNotWrapped_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  QTest::newRow("lowest water") << "标签1"
                                << "-2147483648";
  QTest::newRow("highest level") << "标签3"
                                 << "2147483647";
  QTest::newRow("long message") << "标签5" << Q(OutOfWaterMessage) + Q(OutOfWaterMessage);
  QTest::newRow("left-aligned") << "标签4"
                                << "剩余水:剩余水:剩余水:";
}

// The label must look like a slice of the caption drawn on one line across a much wider label:
// centred captions lose the same width at each end, left-aligned ones only at the right.
void MainWindowTest::tooWideCaptionIsCutNotWrapped() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  TestWindow w;
  Label& label = w.window.label(name.toStdString());
  label.SetCaption(caption);
  const QImage shown = label.grab().toImage().convertToFormat(QImage::Format_RGB32);

  const int extra = 1000;
  const bool centred = label.alignment().testFlag(Qt::AlignHCenter);
  QImage wide(label.width() + (centred ? 2 * extra : extra), label.height(), QImage::Format_RGB32);
  wide.fill(label.palette().color(QPalette::Window));
  {
    QPainter painter(&wide);
    painter.setFont(label.font());
    painter.setPen(label.textColour());
    painter.drawText(wide.rect(), static_cast<int>(label.alignment()), caption);
  }
  const QImage expected = wide.copy(centred ? extra : 0, 0, label.width(), label.height());
  QVERIFY2(SameWithin(shown, expected, 8),
           "the label shows the middle (or left) slice of the one-line caption");
  // And the caption really is too wide for the label.
  QVERIFY(QFontMetrics(label.font()).horizontalAdvance(caption) > label.width());
}

void MainWindowTest::pressesReachTiles_data() {
  QTest::addColumn<int>("button");
  QTest::addColumn<bool>("doubleClick");
  QTest::addColumn<QPoint>("at");
  QTest::addColumn<int>("tile");
  QTest::addColumn<int>("cellAfter");
  QTest::addColumn<int>("waterAfter");
  // Every tile holds a size-1 drop and there are 10 units of water.
  QTest::newRow("click on a tile") << int(Qt::LeftButton) << false << TileMiddle(8) << 8 << 2 << 9;
  QTest::newRow("double-click counts once")
      << int(Qt::LeftButton) << true << TileMiddle(8) << 8 << 2 << 9;
  QTest::newRow("right button") << int(Qt::RightButton) << false << TileMiddle(8) << 8 << 1 << 10;
  QTest::newRow("column 0, no tile")
      << int(Qt::LeftButton) << false << QPoint(0, 90) << 7 << 1 << 10;
  // The droplet template's design place (296, 104, 32 x 48) lies over tile 18.
  QTest::newRow("template's design place")
      << int(Qt::LeftButton) << false << QPoint(312, 128) << 18 << 2 << 9;
}

void MainWindowTest::pressesReachTiles() {
  QFETCH(int, button);
  QFETCH(bool, doubleClick);
  QFETCH(QPoint, at);
  QFETCH(int, tile);
  QFETCH(int, cellAfter);
  QFETCH(int, waterAfter);
  TestWindow w;
  QVERIFY(w.ShowActive());
  for (int cell = 1; cell <= CellCount; ++cell) (*w.state->Board)[cell] = 1;
  w.state->Remaining = CellCount;
  // Through the window, as the platform delivers them: a double-click is press, release,
  // press, release, and Qt itself tells the second press apart.
  QWindow* window = w.window.windowHandle();
  const QPoint inWindow = w.window.stageWidget().mapTo(&w.window, at);
  const auto b = static_cast<Qt::MouseButton>(button);
  if (doubleClick) {
    QTest::mouseDClick(window, b, Qt::NoModifier, inWindow);
  } else {
    QTest::mouseClick(window, b, Qt::NoModifier, inWindow);
  }
  QCOMPARE((*w.state->Board)[tile], cellAfter);
  QCOMPARE(w.state->Water, waterAfter);
  QCOMPARE(w.window.label("标签1").caption(), QString::number(waterAfter));
}

void MainWindowTest::timerRunsOnlyWhileDropletsMove() {
  TestWindow w;
  QVERIFY(w.ShowActive());
  StageWidget& stage = w.window.stageWidget();
  QVERIFY2(!stage.ticking(), "an idle board needs no timer");
  (*w.state->Board)[15] = FullDrop;
  QTest::mouseClick(&stage, Qt::LeftButton, Qt::NoModifier, TileMiddle(15));
  QCOMPARE((*w.state->Board)[15], Cleared);
  QVERIFY2(stage.ticking(), "the burst's droplets move on the timer");
  QVERIFY(w.window.stage().CountObjects() > CellCount);
  // Droplets cross the 362-pixel stage at 10 pixels per 25 ms; chains end sooner than a minute.
  for (int tick = 0; tick < 60000 / StageWidget::TickIntervalMs && stage.ticking(); ++tick) {
    w.nowMs += StageWidget::TickIntervalMs;
    stage.Tick();
  }
  QVERIFY2(!stage.ticking(), "the timer stops once nothing moves");
  QCOMPARE(w.window.stage().CountObjects(), CellCount);
}

// Records the areas that the stage widget is asked to paint.
class PaintRecorder : public QObject {
 public:
  QRegion painted;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return QObject::eventFilter(watched, event);
  }
};

void MainWindowTest::onlyChangedAreasAreRepainted() {
  TestWindow w;
  QVERIFY(w.ShowActive());
  QVERIFY(QTest::qWaitForWindowExposed(&w.window));
  QCoreApplication::processEvents();
  PaintRecorder recorder;
  StageWidget& stage = w.window.stageWidget();
  stage.installEventFilter(&recorder);
  (*w.state->Board)[15] = 2;
  QTest::mouseClick(&stage, Qt::LeftButton, Qt::NoModifier, TileMiddle(15));
  QTRY_VERIFY(!recorder.painted.isEmpty());
  // Tile 15 and at most the few pixels by which its neighbours' pictures overlap it.
  const QRect tile(121 - 4, 120 - 4, 63 + 8, 62 + 8);
  QVERIFY2(tile.contains(recorder.painted.boundingRect()),
           qPrintable(QString("painted %1,%2 %3x%4")
                          .arg(recorder.painted.boundingRect().x())
                          .arg(recorder.painted.boundingRect().y())
                          .arg(recorder.painted.boundingRect().width())
                          .arg(recorder.painted.boundingRect().height())));
}

void MainWindowTest::restartButtonStartsOver() {
  TestWindow w;
  QVERIFY(w.ShowActive());
  w.state->Level = 7;
  w.state->Water = 0;
  QTest::mouseClick(&w.window.restartButton(), Qt::LeftButton);
  QCOMPARE(w.window.label("标签1").caption(), QString("10"));
  QCOMPARE(w.window.label("标签3").caption(), QString("1"));
  QCOMPARE(w.state->Level, 1);
}

void MainWindowTest::textsNeedNoInstalledFont_data() {
  QTest::addColumn<QString>("text");
  for (const std::string& text : TextsTheWindowCanShow()) QTest::newRow(text.c_str()) << Q(text);
}

// Every glyph of every label comes from a font the program carries or asks for by name, never
// from whatever the machine happens to have, and no control shows the empty box of a missing
// character.
void MainWindowTest::textsNeedNoInstalledFont() {
  QFETCH(QString, text);
  TestWindow w;
  for (const ControlDescription& c : MainWindowControls) {
    if (c.kind != ControlKind::Label && c.kind != ControlKind::PushButton) continue;
    QTextLayout layout(text, w.control(c.name).font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
      for (quint32 glyph : run.glyphIndexes()) {
        QVERIFY2(glyph != 0,
                 qPrintable(Q(c.name) + ": " + run.rawFont().familyName() + " lacks a character"));
        ++glyphs;
      }
      if (c.kind == ControlKind::Label && !ReservedFaceInstalled()) {
        QCOMPARE(run.rawFont().familyName(), QString::fromLatin1(EmbeddedFontFamily));
      }
    }
    QVERIFY(glyphs >= text.size() - text.count(' '));
  }
}

void MainWindowTest::embeddedFontCoversEveryText_data() {
  QTest::addColumn<QString>("text");
  for (const std::string& text : TextsTheWindowCanShow()) QTest::newRow(text.c_str()) << Q(text);
}

void MainWindowTest::embeddedFontCoversEveryText() {
  QFETCH(QString, text);
  const QRawFont font(QByteArray::fromRawData(reinterpret_cast<const char*>(LabelFontData.data()),
                                              static_cast<qsizetype>(LabelFontData.size())),
                      96);
  QVERIFY(font.isValid());
  QCOMPARE(font.familyName(), QString::fromLatin1(EmbeddedFontFamily));
  QCOMPARE(static_cast<int>(font.weight()), FontWeightBold);
  for (const uint character : text.toUcs4()) {
    QVERIFY2(font.supportsCharacter(character),
             qPrintable(QString("no glyph for U+%1").arg(character, 4, 16, QChar('0'))));
  }
}

}  // namespace vintello

int main(int argc, char* argv[]) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  if (!vintello::LoadEmbeddedFont()) {
    qCritical("the embedded font does not load");
    return 1;
  }
  vintello::MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}
