// Loading the embedded face and making the labels' fonts.
#include "ui/label_font.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QStringList>

#include "assets/fonts/label_font.h"
#include "ui/window_layout.h"

namespace vintello {

bool LoadEmbeddedFont() {
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(LabelFontData.data()),
                              static_cast<qsizetype>(LabelFontData.size()));
  return QFontDatabase::addApplicationFontFromData(bytes) >= 0;
}

QFont LabelFont(int pixelHeight, int weight) {
  QFont font;
  font.setFamilies(
      {QString::fromUtf8(LabelFontFace.data(), static_cast<qsizetype>(LabelFontFace.size())),
       QString::fromLatin1(EmbeddedFontFamily)});
  font.setPixelSize(pixelHeight);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

}  // namespace vintello
