// Finds the play-again question on screen among the top-level windows, not as the active modal
// widget, so that a test can still check that it is the one holding the window.
#pragma once

#include "ui/PlayAgainQuestion.h"

#include <QApplication>

inline PlayAgainQuestion *ShownQuestion()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *question = qobject_cast<PlayAgainQuestion *>(widget); question && question->isVisible())
            return question;
    return nullptr;
}
