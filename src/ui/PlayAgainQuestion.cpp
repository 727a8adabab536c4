#include "PlayAgainQuestion.h"

#include <QCloseEvent>
#include <QKeyEvent>

PlayAgainQuestion::PlayAgainQuestion(const QString &text, const QString &caption, QWidget *parent)
    : QMessageBox(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent)
{
    setDefaultButton(QMessageBox::Yes);
    setWindowModality(Qt::ApplicationModal);
}

bool PlayAgainQuestion::AskIsNo()
{
    exec();
    return clickedButton() == button(QMessageBox::No);
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
