// What screen readers learn about the main window: names for the controls whose captions do not
// say what they are, and the water and level labels read as numbers.
#pragma once

namespace vintello {

class MainWindow;

// Names the stage, the two numbers and the button for screen readers, and lets them read every
// label; call once the window's controls exist. Adds no timer and does no work while idle.
void DescribeForScreenReaders(MainWindow& window);

}  // namespace vintello
