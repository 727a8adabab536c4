#pragma once

// The names by which the desktop knows the program: the id matches the installed .desktop and
// metainfo files, the application name is the executable's and the window class.
inline constexpr char ApplicationId[] = "io.github.krestiki_noliki.KrestikiNoliki";
inline constexpr char ApplicationName[] = "krestiki-noliki";

// Sets the application's name, version, desktop file name and window icon. Call it once the
// application object exists and before the window is shown.
void SetApplicationIdentity();
