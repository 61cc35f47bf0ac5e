// Lists every text the window can show, one a line, for the script that cuts the labels' font.
#include <iostream>

#include "ui/window_layout.h"

int main() {
  for (const std::string& text : vintello::TextsTheWindowCanShow()) std::cout << text << '\n';
  return 0;
}
