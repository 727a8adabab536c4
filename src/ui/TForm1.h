#pragma once

#include "game/GameFlow.h"
#include "game/GameState.h"
#include "game/GameWindow.h"
#include "AutoSizeLabel.h"
#include "BoardPicture.h"
#include "platform/ClockRandomSource.h"
#include "platform/Platform.h"

#include <QFrame>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

class PlayAgainQuestion;
class QTimer;

// The one window: the board, the top bar with the tallies and the new-game button, and the lower
// information area that slides open. The components the code works with are public under their
// names in the form Unit1.ui; the captions and frames that only stand there stay in the form.
class TForm1 : public QWidget, private GameWindow {
    Q_OBJECT
    Q_PROPERTY(bool asking READ asking)

public:
    // Window sizes are outer sizes; the frame is taken to be 2 px left, 1 px right, 30 px top and
    // 4 px bottom, so the 307 px outer width leaves the 304 px client the layout was made for.
    enum { FrameLeft = 2, FrameTop = 30, FrameRight = 1, FrameBottom = 4 };
    enum { InitialWidth = 307, ClosedHeight = 411, OpenStop = 555, ClosedStop = 415, SlideStep = 5, SlideInterval = 5 };

    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    int Width() const { return outerWidth_; }
    int Height() const { return outerHeight_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    void SetWidth(int width);
    void SetHeight(int height);
    void SetLeft(int left);
    void SetTop(int top);

    // Centres the window on a screen of the given size, truncating the halves toward zero; for its open
    // height on a low screen where the centring asks for that.
    void PlaceOnScreen(QSize screen, Centring centring);

    GameState &state() { return state_; }
    // True from the play-again question until the game has gone on from its answer: the board takes
    // no move and no new game meanwhile.
    bool asking() const { return asking_; }

    QFrame *Panel1 = nullptr;
    BoardPicture *Image1 = nullptr;
    AutoSizeLabel *winXw1 = nullptr;
    AutoSizeLabel *winOw1 = nullptr;
    AutoSizeLabel *winTw1 = nullptr;
    AutoSizeLabel *diff = nullptr;
    QPushButton *reload = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    AutoSizeLabel *a00 = nullptr, *a01 = nullptr, *a02 = nullptr;
    AutoSizeLabel *a10 = nullptr, *a11 = nullptr, *a12 = nullptr;
    AutoSizeLabel *a20 = nullptr, *a21 = nullptr, *a22 = nullptr;
    AutoSizeLabel *winOw = nullptr;
    AutoSizeLabel *winTw = nullptr;
    AutoSizeLabel *winXw = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QRadioButton *RadioButton3 = nullptr;
    QRadioButton *RadioButton4 = nullptr;
    QPushButton *Button1 = nullptr;
    QTimer *Timer1 = nullptr;
    std::int32_t revers1 = 0;  // direction of the next slide: +1 grows, -1 shrinks
    std::int32_t revers2 = 0;  // kept from the original window; nothing uses it

public slots:
    void Image1Click(QPoint position);
    void reloadClick();
    void FormCreate();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void Timer1Timer();
    void Button1Click();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    GameContext Game();
    void TakeComponents();
    void SetLevel(int level);
    void ApplyFonts();
    void ApplyClientSize();
    AutoSizeLabel *TallyLabel(Tally tally) const;
    AutoSizeLabel *TallyTwin(Tally tally) const;

    // GameWindow
    void SetLevelGroupEnabled(bool enabled) override;
    std::u16string TallyCaption(Tally tally) const override;
    void SetTallyCaption(Tally tally, const std::u16string &caption) override;
    void SetTallyTwinCaption(Tally tally, const std::u16string &caption) override;
    void ShowBoardText() override;
    void AskPlayAgain(const std::u16string &text, const std::u16string &caption,
                      std::function<void(Answer)> answered) override;
    void Close() override;

    GameState state_;
    ClockRandomSource random_;
    int outerWidth_ = 0;
    int outerHeight_ = 0;
    int left_ = 0;
    int top_ = 0;
    bool asking_ = false;
    QPointer<PlayAgainQuestion> question_;
};
