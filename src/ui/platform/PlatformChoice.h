#pragma once

// On a Wayland session the game runs through XWayland when it can: there it places itself in the
// middle of the screen, and the compositor draws its frame from the window's hints, with a close
// button only. Without XWayland it runs on Wayland itself. A platform the person names in
// QT_QPA_PLATFORM is left alone. Call before the application object exists.
void ChooseWindowingPlatform();
