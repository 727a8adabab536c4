#include "PlayAgainQuestion.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

PlayAgainQuestion::PlayAgainQuestion(const QString &text, const QString &caption, QWidget *parent)
    : QMessageBox(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent)
{
    // The window speaks Russian, so its question does too, whatever the system's locale.
    button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    setDefaultButton(QMessageBox::Yes);
    setWindowModality(Qt::ApplicationModal);
}

bool PlayAgainQuestion::AskIsNo()
{
    QWidget *window = parentWidget() ? parentWidget()->window() : nullptr;
    if (window)
        window->installEventFilter(this);
    exec();
    if (window)
        window->removeEventFilter(this);
    return clickedButton() == button(QMessageBox::No);
}

bool PlayAgainQuestion::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        // X11 hands the focus on to a modal window itself, but a Wayland compositor raises and
        // focuses the window that was clicked, which would hide the question behind it.
        QTimer::singleShot(0, this, &PlayAgainQuestion::comeForward);
        break;
    case QEvent::Close:
        // X11 drops a close of the window while the question waits, Wayland delivers it; here it
        // is refused on both, since only Yes or No answer.
        event->ignore();
        QTimer::singleShot(0, this, &PlayAgainQuestion::comeForward);
        return true;
    default:
        break;
    }
    return QMessageBox::eventFilter(watched, event);
}

void PlayAgainQuestion::comeForward()
{
    if (!isVisible())
        return;
    raise();
    activateWindow();
}

void PlayAgainQuestion::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

void PlayAgainQuestion::closeEvent(QCloseEvent *event)
{
    // Only a button answers; the box closes itself once one is clicked.
    if (!clickedButton()) {
        event->ignore();
        return;
    }
    QMessageBox::closeEvent(event);
}
