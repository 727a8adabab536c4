#pragma once

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QMessageBox>

// The play-again question: modal to the window, answered only by Yes or No. Escape and the
// title-bar close are refused, since No ends the program. While it waits it holds the window:
// activating the window brings the question back to the front with the keyboard, and closing the
// window is refused, the same on every platform.
class PlayAgainQuestion : public QMessageBox, private QAbstractNativeEventFilter {
    Q_OBJECT

public:
    PlayAgainQuestion(const QString &text, const QString &caption, QWidget *parent);

    // Shows the question and waits; true when the answer is No.
    bool AskIsNo();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    enum { SettleTime = 500 };  // ms after showing the box anew in which it is not done again
    void comeForward();

    QWidget *window_ = nullptr;  // the window it holds while it waits
    QElapsedTimer shownAnew_;
};
