#include "PlayAgainQuestion.h"

#include "platform/Platform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

PlayAgainQuestion::PlayAgainQuestion(const QString &text, const QString &caption, QWidget *parent)
    : QMessageBox(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent)
{
    // The window speaks Russian, so its question does too, whatever the system's locale. The
    // mnemonics answer to Д and Н, with Alt or without.
    button(QMessageBox::Yes)->setText(QStringLiteral("&Да"));
    button(QMessageBox::No)->setText(QStringLiteral("&Нет"));
    setDefaultButton(QMessageBox::Yes);
    // A screen reader reads the text with the box's caption only while the text takes no focus;
    // later Qt makes it focusable.
    if (auto *label = findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        label->setFocusPolicy(Qt::NoFocus);
    // News of the move that ended the game, left by the board for a screen reader where it would
    // read this box ahead of the news, is read with the text, which it comes before.
    if (QWidget *window = parent ? parent->window() : nullptr) {
        if (const QString news = window->property("newsBeforeQuestion").toString(); !news.isEmpty())
            setAccessibleDescription(news + QStringLiteral(". ") + text);
        window->setProperty("newsBeforeQuestion", QVariant());
    }
    setWindowModality(Qt::ApplicationModal);
    frontCheck_.setSingleShot(true);
    frontCheck_.setInterval(FrontCheckDelay);
    connect(&frontCheck_, &QTimer::timeout, this, &PlayAgainQuestion::showAnewIfBehind);
}

void PlayAgainQuestion::ask()
{
    window_ = parentWidget() ? parentWidget()->window() : nullptr;
    if (window_)
        window_->installEventFilter(this);
    qApp->installNativeEventFilter(this);
    // Only a button finishes the box, once: hiding it to bring it back is no answer.
    connect(this, &QDialog::finished, this, &PlayAgainQuestion::finish, Qt::SingleShotConnection);
    showKeepingFocus();
}

void PlayAgainQuestion::showKeepingFocus()
{
    // A browser page's window is activated inside show(), before its buttons count as shown, and
    // Qt then passes the focus from Yes on to No, which Return would answer.
    const QPointer<QWidget> focused = focusWidget();
    show();
    if (focused && focusWidget() != focused)
        focused->setFocus(Qt::ActiveWindowFocusReason);
}

void PlayAgainQuestion::finish()
{
    qApp->removeNativeEventFilter(this);
    if (window_)
        window_->removeEventFilter(this);
    window_ = nullptr;
    // The button that answered is still at work when this is told.
    deleteLater();
    emit answered(clickedButton() != button(QMessageBox::No));
}

bool PlayAgainQuestion::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        // On Wayland the compositor focuses and raises the window that was clicked.
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

bool PlayAgainQuestion::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    // On X11 Qt passes the focus of a blocked window on to its modal box and never activates the
    // window, but the window manager may have raised it over the box already (sway does). A window
    // never shown has no native one and is not to get one here: on Windows this runs inside the
    // box's own creation, where making another window fails.
    const WId blocked = window_ ? window_->internalWinId() : 0;
    if (blocked && IsKeyboardFocusIn(eventType, message, blocked))
        QTimer::singleShot(0, this, &PlayAgainQuestion::comeForward);
    return false;
}

void PlayAgainQuestion::comeForward()
{
    if (!isVisible())
        return;
    // The window was activated past the question, so whoever did it does not keep a modal box in
    // front by itself. An X server or window manager raises and focuses the box when asked.
    raise();
    activateWindow();
    frontCheck_.start();
}

void PlayAgainQuestion::showAnewIfBehind()
{
    if (!isVisible() || holdsKeyboard())
        return;
    // Asked to activate it, a compositor may only mark it urgent (sway does), but a window shown
    // anew is focused and put on top. It asks for the place it had: an X11 window manager grants
    // it, sway centres every floating window it maps, through XWayland too. Hiding the box briefly
    // lets the window be activated once more, which must not start over.
    if (!shownAnew_.isValid() || shownAnew_.hasExpired(SettleTime)) {
        const QPoint place = pos();
        hide();
        move(place);
        showKeepingFocus();
        shownAnew_.start();
    }
    raise();
    activateWindow();
}

bool PlayAgainQuestion::holdsKeyboard() const
{
    // On X11 Qt counts the box as active while the window it blocks has the server's focus, so the
    // server is asked.
    return ServerSaysHoldsKeyboard(winId()).value_or(isActiveWindow());
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
