// Answers the window's modal play-again question from inside its own event loop, so a test can
// click the board and carry on without a person.
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
        // Polls only while some event loop runs, which is exactly when a question can be open.
        poll_.setInterval(0);
        QObject::connect(&poll_, &QTimer::timeout, this, [this] { AnswerOpenQuestion(); });
        poll_.start();
        // A timer does not fire again inside its own slot, so questions asked while a probe runs
        // need a second one.
        nested_.setInterval(0);
        QObject::connect(&nested_, &QTimer::timeout, this, [this] { LetNestedQuestionGo(); });
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
        if (probe_) {
            held_ = box;
            nested_.start();
            probe_(*box);
            nested_.stop();
            held_ = nullptr;
        }
        Answer(*box, answer_);
    }

    // A second question asked while a probe still holds the first: record it and let it go, so
    // that a test that expects none fails instead of hanging.
    void LetNestedQuestionGo()
    {
        QMessageBox *box = OpenQuestion();
        if (box && box != held_) {
            questions_.append({box->windowTitle(), box->text()});
            Answer(*box, QMessageBox::Yes);
        }
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
    QTimer nested_;
    QMessageBox *held_ = nullptr;  // the question a probe is looking at
};
