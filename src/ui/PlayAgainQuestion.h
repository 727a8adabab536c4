#pragma once

#include <QMessageBox>

// The play-again question: modal to the window, answered only by Yes or No. Escape and the
// title-bar close are refused, since No ends the program.
class PlayAgainQuestion : public QMessageBox {
    Q_OBJECT

public:
    PlayAgainQuestion(const QString &text, const QString &caption, QWidget *parent);

    // Shows the question and waits; true when the answer is No.
    bool AskIsNo();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};
