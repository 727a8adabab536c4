// Drops the offscreen platform's notice that it cannot pass size hints on, which it prints for every
// fixed-size window it resizes or shows; thousands of those would bury the message that matters.
// Install it from initTestCase: the test library puts in its own handler when the run starts.
#pragma once

#include <QString>
#include <QtGlobal>

class QuietSizeHints {
public:
    QuietSizeHints() { forward() = qInstallMessageHandler(&Filter); }
    ~QuietSizeHints() { qInstallMessageHandler(forward()); }
    QuietSizeHints(const QuietSizeHints &) = delete;
    QuietSizeHints &operator=(const QuietSizeHints &) = delete;

private:
    static QtMessageHandler &forward()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }

    static void Filter(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (!message.contains(QLatin1String("propagateSizeHints")))
            forward()(type, context, message);
    }
};
