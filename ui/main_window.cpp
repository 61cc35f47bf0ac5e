// The main window and the binding of its controls to the game.
#include "ui/main_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

#include "assets/built_in_pictures.h"
#include "assets/window_icon.h"
#include "ui/accessibility.h"
#include "ui/pictures/picture.h"

namespace vintello {

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Rgb FaceColour(const QWidget& widget) {
  const QColor c = widget.palette().color(QPalette::Window);
  return MakeRgb(c.red(), c.green(), c.blue());
}

// The drop picture with its white background left out.
QIcon DropIcon() {
  const std::optional<Picture> picture =
      DecodePicture(WindowIconPicture, Transparency::TopLeftPixel);
  if (!picture) return {};
  QImage image(picture->width, picture->height, QImage::Format_ARGB32);
  for (int y = 0; y < picture->height; ++y) {
    for (int x = 0; x < picture->width; ++x) {
      const Rgb rgb = picture->At(x, y);
      image.setPixel(x, y, picture->OpaqueAt(x, y) ? (0xFF000000u | rgb) : 0u);
    }
  }
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace

LabelCaptions::LabelCaptions(Label& 标签1, Label& 标签3, Label& 标签5)
    : 标签1_(标签1), 标签3_(标签3), 标签5_(标签5) {}

void LabelCaptions::SetCaption(CaptionLabel label, const std::string& text) {
  const QString caption = QString::fromStdString(text);
  switch (label) {
    case CaptionLabel::标签1:
      标签1_.SetCaption(caption);
      break;
    case CaptionLabel::标签3:
      标签3_.SetCaption(caption);
      break;
    case CaptionLabel::标签5:
      标签5_.SetCaption(caption);
      break;
  }
}

MainWindow::MainWindow(GameState& state, StageWidget::Clock clock, RandomSource* random)
    : QWidget(nullptr,
              // A title bar with the system menu and the close button only: no minimise, no
              // maximise, and a size that the user cannot change.
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ownRandom_(SystemTickCountMs),
      random_(random ? *random : ownRandom_) {
  setWindowTitle(FromUtf8(MainWindowDescription.caption));
  setWindowIcon(DropIcon());
  FitFrameAndCentre();

  for (const ControlDescription& control : MainWindowControls) CreateControl(control, clock);

  captions_ = std::make_unique<LabelCaptions>(label("标签1"), label("标签3"), label("标签5"));
  game_ = std::make_unique<Game>(state,
                                 GameSurroundings{*stage_, *dropletTemplate_, *captions_, random_,
                                                  std::string(CreditLine), BuiltInTilePictures});
  ConnectStageEvents(*stage_, *game_);
  QObject::connect(restartButton_, &QPushButton::clicked, this, [this] {
    game_->HandleRestartClicked();
    stageWidget_->ShowStageChanges();
  });

  // Esc closes the window whichever control has the focus, or none; with Ctrl, Shift or Alt
  // held it is another key sequence and does nothing.
  auto* closeOnEsc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  closeOnEsc->setContext(Qt::WindowShortcut);
  QObject::connect(closeOnEsc, &QShortcut::activated, this, &QWidget::close);

  DescribeForScreenReaders(*this);

  // The creation event: every control exists, and no input can reach them before the event loop.
  game_->HandleMainWindowCreated();
  stageWidget_->ShowStageChanges();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateControl(const ControlDescription& control, StageWidget::Clock& clock) {
  const QRect place(control.place.left, control.place.top, control.place.width,
                    control.place.height);
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::Label:
      widget = new Label(control, this);
      break;
    case ControlKind::PushButton:
      restartButton_ = new QPushButton(FromUtf8(control.text), this);
      // Not the default button: Enter leaves it alone.
      restartButton_->setAutoDefault(false);
      restartButton_->setDefault(false);
      widget = restartButton_;
      break;
    case ControlKind::AnimationObject:
      // A template only: it is never a widget and never on the stage.
      dropletTemplate_ = std::make_unique<ObjectTemplate>(DropletTemplateProperties());
      return;
    case ControlKind::AnimationBox:
      stage_ =
          std::make_unique<Stage>(control.place.width, control.place.height, FaceColour(*this));
      stageWidget_ = new StageWidget(*stage_, std::move(clock), this);
      widget = stageWidget_;
      break;
  }
  widget->setObjectName(FromUtf8(control.name));
  widget->setGeometry(place);
  widget->setFocusPolicy(control.tabStop ? Qt::StrongFocus : Qt::NoFocus);
  widget->setVisible(control.visible);
}

Label& MainWindow::label(std::string_view name) {
  return *findChild<Label*>(FromUtf8(name), Qt::FindDirectChildrenOnly);
}

bool MainWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  switch (event->type()) {
    case QEvent::PaletteChange:
      // The stage's background is the face colour too, whatever the theme changes it to.
      if (stage_) {
        stage_->SetBackground(FaceColour(*this));
        stageWidget_->ShowStageChanges();
      }
      break;
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
      // The window manager's frame becomes known only after the window is mapped.
      if (windowHandle() && windowHandle()->frameMargins() != fittedFrame_) FitFrameAndCentre();
      break;
    default:
      break;
  }
  return handled;
}

void MainWindow::FitFrameAndCentre() {
  fittedFrame_ = windowHandle() ? windowHandle()->frameMargins() : QMargins();
  const int outerWidth = MainWindowDescription.outerWidth;
  const int outerHeight = MainWindowDescription.outerHeight;
  setFixedSize(outerWidth - fittedFrame_.left() - fittedFrame_.right(),
               outerHeight - fittedFrame_.top() - fittedFrame_.bottom());
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  // move() places the frame's top left corner.
  move(area.left() + (area.width() - outerWidth) / 2,
       area.top() + (area.height() - outerHeight) / 2);
}

}  // namespace vintello
