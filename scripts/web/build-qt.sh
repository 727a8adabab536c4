#!/usr/bin/env bash
# Inside a Debian 13 root: builds Qt for the browser (WebAssembly) from Debian's own qt6-base source
# package, statically, with this release's Emscripten and its Qt tools as the host Qt, and installs
# it into PREFIX.
#   build-qt.sh --name     prints the build's name: the source package's version and a digest of the
#                          options, the change below and Emscripten's version, under which it is kept
#   build-qt.sh PREFIX     builds and installs
set -euo pipefail

# Only what the game and its tests use: Core, Gui, Widgets and Test with the browser's platform
# plugin, optimised for size. OpenGL stays, as WebGL: the plugin's backing store is built only with
# it. No style sheets, PDF or rich-text writers: nothing of the game uses them, and style sheets
# alone pull in most of the widgets. Qt's unity build compiles its sources in batches, for a shorter
# cold build.
options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DFEATURE_optimize_size=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DINPUT_opengl=es2 -DFEATURE_vulkan=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_pdf=OFF
  -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_style_stylesheet=OFF
  -DFEATURE_testlib=ON
  -DQT_UNITY_BUILD=ON
)
# A change to Debian's source: the platform plugin carries DejaVu Sans and Sans Mono as a page's
# only fonts, a megabyte the game never draws with, since it brings its own Tahoma. Without them the
# plugin finds no font of its own and keeps to the ones the program registers.
drop_bundled_fonts() {
  sed -i '/^set(wasmfonts_resource_files/,/^)$/d; /^qt_internal_add_resource(QWasmIntegrationPlugin "wasmfonts"/,/^)$/d' \
    "$1/src/plugins/platforms/wasm/CMakeLists.txt"
}

# Touch on a phone, two faults of the browser's platform plugin in this Qt, mended as later Qt does:
# - every widget that took the focus focused the plugin's hidden text field, and a phone brings up its
#   keyboard for a focused text field at every tap on a button or the board (QTBUG-133781, mended in
#   6.8.3): the field now takes the focus only for what takes text, the window's canvas otherwise;
# - a pointercancel (a long press, a gesture the browser takes over) was read as an event of a type
#   the plugin had not recognised, an empty optional dereferenced (mended in 6.9); it now ends the
#   touch point it cancels.
mend_touch_input() {
  patch -s -p1 -d "$1" <<'PATCH'
--- a/src/plugins/platforms/wasm/qwasminputcontext.cpp
+++ b/src/plugins/platforms/wasm/qwasminputcontext.cpp
@@ -2,6 +2,7 @@
 // SPDX-License-Identifier: LicenseRef-Qt-Commercial OR GPL-3.0-only
 
 #include "qwasminputcontext.h"
+#include "qwasmwindow.h"
 
 #include <QRectF>
 #include <QLoggingCategory>
@@ -352,16 +353,20 @@
     if (m_focusObject && !m_preeditString.isEmpty())
         commitPreeditAndClear();
 
-    if (object) {
+    if (object && inputMethodAccepted()) {
         m_inputElement.call<void>("focus");
-        m_usingTextInput = inputMethodAccepted();
+        m_usingTextInput = true;
         m_focusObject = object;
-    } else if (m_focusObject) {
-        m_inputElement.call<void>("blur");
-        m_usingTextInput = false;
-        m_focusObject = nullptr;
     } else {
+        if (m_focusObject)
+            m_inputElement.call<void>("blur");
         m_usingTextInput = false;
+        m_focusObject = nullptr;
+        // The keys then reach the window through its canvas, which brings up no keyboard.
+        if (QWindow *window = QGuiApplication::focusWindow(); window && window->handle())
+            emscripten::val::module_property("specialHTMLTargets")
+                    [static_cast<QWasmWindow *>(window->handle())->canvasSelector()]
+                            .call<void>("focus");
     }
     QPlatformInputContext::setFocusObject(object);
 }
--- a/src/plugins/platforms/wasm/qwasmwindow.cpp
+++ b/src/plugins/platforms/wasm/qwasmwindow.cpp
@@ -1,6 +1,7 @@
 // Copyright (C) 2018 The Qt Company Ltd.
 // SPDX-License-Identifier: LicenseRef-Qt-Commercial OR GPL-3.0-only
 
+#include <qpa/qplatforminputcontext.h>
 #include <qpa/qwindowsysteminterface.h>
 #include <private/qguiapplication_p.h>
 #include <QtCore/qfile.h>
@@ -690,7 +691,8 @@
     raise();
     setAsActiveNode();
 
-    if (!QWasmIntegration::get()->inputContext())
+    const QPlatformInputContext *inputContext = QWasmIntegration::get()->inputContext();
+    if (!inputContext || !inputContext->inputMethodAccepted())
         m_canvas.call<void>("focus");
 
     QPlatformWindow::requestActivateWindow();
PATCH
  patch -s -p1 -d "$1" <<'PATCH'
--- a/src/plugins/platforms/wasm/qwasmevent.cpp
+++ b/src/plugins/platforms/wasm/qwasmevent.cpp
@@ -224,6 +224,8 @@
             return EventType::PointerEnter;
         else if (eventTypeString == "pointerleave")
             return EventType::PointerLeave;
+        else if (eventTypeString == "pointercancel")
+            return EventType::PointerCancel;
         return std::nullopt;
     })();
     if (!eventType)
--- a/src/plugins/platforms/wasm/qwasmwindowclientarea.cpp
+++ b/src/plugins/platforms/wasm/qwasmwindowclientarea.cpp
@@ -187,7 +187,7 @@
                    std::back_inserter(touchPointList),
                    [](const QWindowSystemInterface::TouchPoint &val) { return val; });
 
-    if (event.type == EventType::PointerUp)
+    if (event.type == EventType::PointerUp || event.type == EventType::PointerCancel)
         m_pointerIdToTouchPoints.remove(event.pointerId);
 
     return event.type == EventType::PointerCancel
PATCH
}

# The page's accessibility: Qt's plugin keeps it off behind an English "Enable Screen Reader" button
# (a blind player must find it first, and a sighted one sees it), so it is on from the start, and the
# program's own page bridge carries the tree, the news and the focus (src/ui/platform).
here=$(cd "$(dirname "$0")" && pwd)
accessible_from_start() {
  patch -s -d "$1" -p1 <"$here/qt-page-accessibility.patch"
}

version=$(apt-cache showsrc qt6-base | awk '$1 == "Version:" { print $2; exit }')
emscripten=$(dpkg-query -W -f='${Version}' emscripten)
if [[ ${1:-} == --name ]]; then
  digest=$(printf '%s\n' "${options[@]}" "$emscripten" | cat - <(declare -f drop_bundled_fonts mend_touch_input) "$here/qt-page-accessibility.patch" | sha256sum | cut -c1-12)
  echo "qt6-base_${version}_wasm32-emscripten_$digest"
  exit 0
fi
prefix=${1:?usage: build-qt.sh --name | PREFIX}
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
[[ $host_version == "$version" ]] || { echo "build-qt: host Qt $host_version is not the source's $version" >&2; exit 1; }

# Always the same folder, so that no trace of a random one can reach the program.
work=/tmp/qt-web
rm -rf "$work" && mkdir -p "$work" && cd "$work"
apt-get source -qq "qt6-base=$version" >/dev/null
source_dir=$(find . -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
drop_bundled_fonts "$source_dir"
mend_touch_input "$source_dir"
accessible_from_start "$source_dir"
# Qt looks for Emscripten through an SDK's folder, also when a program is built against it; Debian's
# Emscripten is installed system-wide, so the folder beside Qt only points there.
export EMSDK=$prefix/emsdk
rm -rf "$EMSDK" && mkdir -p "$EMSDK/upstream"
ln -s /usr/share/emscripten "$EMSDK/upstream/emscripten"
echo "EMSCRIPTEN_ROOT = 'upstream/emscripten'" >"$EMSDK/.emscripten"
echo "build-qt: configuring Qt $version for the browser with Emscripten $emscripten"
cmake -S "$source_dir" -B build -G Ninja -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten \
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${options[@]}" >configure.log 2>&1 ||
  { tail -n 40 configure.log >&2; exit 1; }
echo "build-qt: building (about a quarter of an hour on two cores)"
cmake --build build >build.log 2>&1 || { grep -m 20 -B 2 -A 8 'FAILED' build.log >&2; tail -n 20 build.log >&2; exit 1; }
cmake --install build >/dev/null
# What the site built against it ships with: the licences, and where the source came from.
cp "$source_dir/LICENSES/GPL-3.0-only.txt" "$prefix/LICENSE.GPL-3.0"
cp "$source_dir/debian/copyright" "$prefix/copyright"
echo "$version" >"$prefix/SOURCE_VERSION"
cd / && rm -rf "$work"
