#pragma once

// Lets assistive technology see the board's cells and what the tallies and the text copy of the
// board mean. Call once the application exists; nothing is built until an interface is asked for.
void InstallAccessibility();
