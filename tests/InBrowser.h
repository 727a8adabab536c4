// What a test built for a web page cannot do there: a page shows a window, and gives it the keyboard,
// only once the program hands the turn back to the browser, which a test running in one turn never
// does; and a page has no source tree to read.
#pragma once

#include <QGuiApplication>
#include <QtTest>

inline bool InBrowser() { return QGuiApplication::platformName() == QLatin1String("wasm"); }

#define SKIP_IF_SHOWN_WINDOW_IN_BROWSER()                                                                \
    do {                                                                                                 \
        if (InBrowser())                                                                                 \
            QSKIP("in the browser: it needs a shown window, which a page shows only between the "       \
                  "program's turns");                                                                    \
    } while (false)
