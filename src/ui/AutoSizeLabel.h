#pragma once

#include <QLabel>

// A label that sizes itself to its caption, its left edge staying put.
class AutoSizeLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // Hides QLabel::setText so that every caption change through this class resizes the label.
    void setText(const QString &text);

protected:
    void changeEvent(QEvent *event) override;

private:
    void FitToText();
};
