#pragma once

class QWidget;

// In a web page a screen reader reads the browser's accessibility tree, not Qt's. This keeps, beside
// each shown window, elements of the page that carry what Qt's accessibility interfaces say (the same
// that a desktop's screen reader reads): the controls with their roles, names and states in reading
// order, the browser's focus on the control that has the keyboard, and the board's news in a live
// region beside GAMEWINDOW's elements. An element's default action (a click) presses its control.
// What the window does not show has no element. Call as the game's window is made.
void InstallPageAccessibility(QWidget *gameWindow);
