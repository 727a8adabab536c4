#include "PlayAgainQuestion.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

PlayAgainQuestion::PlayAgainQuestion(const QString &text, const QString &caption, QWidget *parent)
    : QMessageBox(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent)
{
    // The window speaks Russian, so its question does too, whatever the system's locale. The
    // mnemonics answer to Д and Н, with Alt or without.
    button(QMessageBox::Yes)->setText(QStringLiteral("&Да"));
    button(QMessageBox::No)->setText(QStringLiteral("&Нет"));
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
