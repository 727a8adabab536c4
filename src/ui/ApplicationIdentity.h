#pragma once

// The names by which the desktop knows the program: the id matches the installed .desktop and
// metainfo files, the application name is the executable's and the window class.
inline constexpr char ApplicationId[] = "io.github.krestiki_noliki.KrestikiNoliki";
inline constexpr char ApplicationName[] = "krestiki-noliki";

// Sets the application's name, version and, where the desktop has one, its entry's name. Call it once the application object
// exists and before the window is shown.
void SetApplicationIdentity();

// Sets the window icon. Reading the images wakes the image decoders, a few milliseconds that the
// window need not wait for, so the program sets it once the window is up.
void SetApplicationIcon();
