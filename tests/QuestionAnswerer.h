// Answers the window's modal play-again question whenever the event loop turns, so a test can
// click the board and carry on without a person. The click that ends a game returns with the
// question still open; the game goes on from the answer.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

#include <functional>
#include <utility>

class QuestionAnswerer : public QObject {
public:
    struct Question {
        QString caption;
        QString text;
    };

    // Runs while the question is still open, before it is answered.
    using Probe = std::function<void(QMessageBox &box)>;

    explicit QuestionAnswerer(QObject *parent = nullptr) : QObject(parent)
    {
        poll_.setInterval(0);
        QObject::connect(&poll_, &QTimer::timeout, this, [this] { AnswerOpenQuestion(); });
        poll_.start();
    }

    // The answer to every following question until changed; Yes unless told otherwise.
    void setAnswer(QMessageBox::StandardButton answer) { answer_ = answer; }
    void setProbe(Probe probe) { probe_ = std::move(probe); }

    const QList<Question> &questions() const { return questions_; }
    qsizetype count() const { return questions_.size(); }

private:
    void AnswerOpenQuestion()
    {
        QMessageBox *box = OpenQuestion();
        if (!box)
            return;
        questions_.append({box->windowTitle(), box->text()});
        if (probe_)
            probe_(*box);
        Answer(*box, answer_);
    }

    static QMessageBox *OpenQuestion()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->property("answered").toBool())
            return nullptr;
        return box;
    }

    static void Answer(QMessageBox &box, QMessageBox::StandardButton answer)
    {
        box.setProperty("answered", true);
        if (QAbstractButton *button = box.button(answer))
            button->click();
    }

    QTimer poll_;
    QMessageBox::StandardButton answer_ = QMessageBox::Yes;
    Probe probe_;
    QList<Question> questions_;
};
