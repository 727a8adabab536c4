// What the tests that drive a shown window through whole sessions share: the window, its question
// and the board's cells; a run that a page cannot make, quiet about size hints; clicks on the
// picture at the very point meant.
#pragma once

#include "BoardGeometry.h"
#include "InBrowser.h"
#include "QuietSizeHints.h"
#include "ShownQuestion.h"
#include "ui/TForm1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QtTest>

#include <optional>

class ShownWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SKIP_IF_SHOWN_WINDOW_IN_BROWSER();
        quiet_.emplace();
    }
    void cleanupTestCase() { quiet_.reset(); }

private:
    std::optional<QuietSizeHints> quiet_;
};

// QTest reads a null point as "the widget's centre", which would turn a click meant for the
// top-left pixel into one on the centre cell; the picture's buttons are sent by hand instead.
inline void SendButton(QWidget *widget, QEvent::Type type, QPoint point)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, point, widget->mapToGlobal(point), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void ClickAt(QWidget *widget, QPoint point)
{
    SendButton(widget, QEvent::MouseButtonPress, point);
    SendButton(widget, QEvent::MouseButtonRelease, point);
}
