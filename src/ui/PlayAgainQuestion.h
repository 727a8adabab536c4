#pragma once

#include <QMessageBox>

// The play-again question: modal to the window, answered only by Yes or No. Escape and the
// title-bar close are refused, since No ends the program. While it waits it holds the window:
// activating the window brings the question back to the front with the keyboard, and closing the
// window is refused, the same on every platform.
class PlayAgainQuestion : public QMessageBox {
    Q_OBJECT

public:
    PlayAgainQuestion(const QString &text, const QString &caption, QWidget *parent);

    // Shows the question and waits; true when the answer is No.
    bool AskIsNo();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void comeForward();
};
