// The toolkit's floor for start-up time and memory: a bare Qt Widgets window with one label and
// one button, about the size of the game's window and with texts of the same script.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare Qt window"));
  window.setFixedSize(544, 408);
  QLabel label(QString::fromUtf8("关卡:"), &window);
  label.setGeometry(376, 221, 152, 40);
  QPushButton button(QString::fromUtf8("重新开始"), &window);
  button.setGeometry(384, 12, 144, 48);
  window.show();
  return application.exec();
}
