// The labels' font: the face the window asks for by name, and the embedded face that stands in
// for it wherever it is not installed.
#pragma once

#include <QFont>
#include <QString>

namespace vintello {

// The family name the embedded face is registered under; no installed font carries it.
inline constexpr const char* EmbeddedFontFamily = "Vintello Rounded";

// Registers the embedded face with Qt; false if Qt rejects the bytes. Call once, after the
// QApplication exists and before any label is made.
bool LoadEmbeddedFont();

// A label's font: the requested face first, the embedded face behind it; the height is the em
// height in pixels and the weight is 400 or 700.
QFont LabelFont(int pixelHeight, int weight);

}  // namespace vintello
