#pragma once

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

// The play-again question: modal to the window, answered only by Yes or No. Escape and the
// title-bar close are refused, since No ends the program. While it waits it holds the window:
// activating the window brings the question back to the front with the keyboard, where it stands
// wherever the platform lets it keep its place, and closing the window is refused, everywhere.
class PlayAgainQuestion : public QMessageBox, private QAbstractNativeEventFilter {
    Q_OBJECT

public:
    PlayAgainQuestion(const QString &text, const QString &caption, QWidget *parent);

    // Shows the question and returns at once: no event loop waits for it, since a web page cannot
    // nest one. answered() tells the choice of Yes or No, after which the box deletes itself.
    void ask();

signals:
    void answered(bool playAgain);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    enum {
        FrontCheckDelay = 200,  // ms a platform gets to bring the box forward when asked
        SettleTime = 500,       // ms after showing the box anew in which it is not done again
    };
    void finish();
    void comeForward();
    void showAnewIfBehind();
    void showKeepingFocus();
    bool holdsKeyboard() const;

    QWidget *window_ = nullptr;  // the window it holds while it waits
    QTimer frontCheck_;
    QElapsedTimer shownAnew_;
};
