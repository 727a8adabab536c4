#include "TForm1.h"

#include "EtchedFrames.h"
#include "FixedWindowGuard.h"
#include "PlayAgainQuestion.h"
#include "TallyColours.h"
#include "accessibility/BoardAnnouncer.h"
#include "accessibility/FocusInSight.h"
#include "game/BoardDrawing.h"
#include "platform/Fonts.h"
#include "platform/Platform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "ui_Unit1.h"

namespace {

const char16_t *const LevelNames[] = {u"Очень легко", u"Легко", u"Нормально", u"Тяжело"};

QFont WindowFont(int pixels, bool bold)
{
    QFont font(WindowFontFamily());
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint)
{
    InstallPlatformAccessibility(this);
    // The window font comes first: the labels that fit themselves to their captions then measure
    // them in the font they show, and the platform's default font is never loaded.
    setFont(WindowFont(11, false));
    TakeComponents();
    ApplyFonts();
    reload->setShortcut(QKeySequence::New);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(SlideInterval);

    connect(Image1, &BoardPicture::clicked, this, &TForm1::Image1Click);
    connect(reload, &QPushButton::clicked, this, &TForm1::reloadClick);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    // The handlers run when their button becomes the checked one, by mouse or keyboard.
    const std::pair<QRadioButton *, void (TForm1::*)()> levelButtons[] = {
        {RadioButton1, &TForm1::RadioButton1Click},
        {RadioButton2, &TForm1::RadioButton2Click},
        {RadioButton3, &TForm1::RadioButton3Click},
        {RadioButton4, &TForm1::RadioButton4Click},
    };
    for (const auto &[button, handler] : levelButtons)
        connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });

    // No maximise, fullscreen or outside resize: the layout is made for the window's own sizes.
    new FixedWindowGuard(this);
    FormCreate();
    new FocusInSight(this);
    new BoardAnnouncer(Image1);
}

TForm1::~TForm1()
{
    // A question still open goes first, while everything its answer would reach still stands.
    delete question_;
}

void TForm1::TakeComponents()
{
    // The form builds every component as a child of the window, which owns them from then on.
    Ui::TForm1 form;
    form.setupUi(this);
    Panel1 = form.Panel1;
    Image1 = form.Image1;
    winXw1 = form.winXw1;
    winOw1 = form.winOw1;
    winTw1 = form.winTw1;
    diff = form.diff;
    reload = form.reload;
    GroupBox1 = form.GroupBox1;
    a00 = form.a00; a01 = form.a01; a02 = form.a02;
    a10 = form.a10; a11 = form.a11; a12 = form.a12;
    a20 = form.a20; a21 = form.a21; a22 = form.a22;
    winOw = form.winOw;
    winTw = form.winTw;
    winXw = form.winXw;
    GroupBox2 = form.GroupBox2;
    RadioButton1 = form.RadioButton1;
    RadioButton2 = form.RadioButton2;
    RadioButton3 = form.RadioButton3;
    RadioButton4 = form.RadioButton4;
    Button1 = form.Button1;
    // Assistive technology reads the top bar in its children's order: the level, then the tallies
    // from left to right as on screen. Nothing in the bar overlaps, so the stacking shows nowhere.
    QWidget *const readingOrder[] = {form.Label1, diff, winXw1, winTw1, winOw1, reload};
    for (QWidget *widget : readingOrder)
        widget->raise();
    new EtchedFrames({form.Bevel1, form.Bevel2, form.Bevel3, form.Bevel4, form.Bevel5, form.Bevel6, form.Bevel7,
                      form.Bevel8, form.Bevel9},
                     this);
}

GameContext TForm1::Game()
{
    return GameContext{state_, Image1->canvas(), random_, *this};
}

void TForm1::ApplyFonts()
{
    struct LabelFont {
        AutoSizeLabel *label;
        int pixels;
    };
    const LabelFont fonts[] = {
        {winXw1, 12}, {winOw1, 12}, {winTw1, 12}, {winXw, 13}, {winTw, 13}, {winOw, 13},
        {a00, 19}, {a01, 19}, {a02, 19}, {a10, 19}, {a11, 19}, {a12, 19}, {a20, 19}, {a21, 19}, {a22, 19},
    };
    for (const LabelFont &font : fonts)
        font.label->setFont(WindowFont(font.pixels, true));
    // The tie tally in the information group has the window's text colour.
    const QColor green(0, 128, 0), maroon(128, 0, 0), black(0, 0, 0);
    new TallyColours(this, {{winXw1, green}, {winOw1, maroon}, {winTw1, black}, {winXw, green}, {winOw, maroon}});
}

void TForm1::SetWidth(int width)
{
    outerWidth_ = width;
    ApplyClientSize();
}

void TForm1::SetHeight(int height)
{
    outerHeight_ = height;
    ApplyClientSize();
}

void TForm1::ApplyClientSize()
{
    // Whatever lies below the client area is cut off; the person cannot resize the window.
    setFixedSize(std::max(0, outerWidth_ - FrameLeft - FrameRight), std::max(0, outerHeight_ - FrameTop - FrameBottom));
}

void TForm1::SetLeft(int left)
{
    left_ = left;
    move(left_, top_);
}

void TForm1::SetTop(int top)
{
    top_ = top;
    move(left_, top_);
}

void TForm1::PlaceOnScreen(QSize screen, Centring centring)
{
    SetLeft((screen.width() - Width()) / 2);
    const bool openRunsOff = (screen.height() - Height()) / 2 + OpenStop > screen.height();
    const bool centreAsOpen = centring == Centring::ForOpenHeight && screen.height() >= OpenStop && openRunsOff;
    SetTop((screen.height() - (centreAsOpen ? OpenStop : Height())) / 2);
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Panel1->setGeometry(0, 0, width(), Panel1->height());  // aligned to the top, full width
}

void TForm1::FormCreate()
{
    SetWidth(InitialWidth);
    SetHeight(ClosedHeight);
    revers1 = +1;
    state_.level = 2;
    const QScreen *screen = QGuiApplication::primaryScreen();
    PlaceOnScreen(screen ? screen->geometry().size() : QSize(), WindowCentring());
    GameContext game = Game();
    DrawGrid(game.canvas);
    DrawGrid(game.canvas);
    ResetBoard(state_);
    ShowBoardText();
}

void TForm1::Image1Click(QPoint position)
{
    // The play-again question takes the window's input. A click that reaches the picture anyway,
    // sent straight to it past the window or while the question is shown anew, must not play on
    // the finished board and count it twice.
    if (asking_)
        return;
    GameContext game = Game();
    BoardClick(game, position.x(), position.y());
}

void TForm1::reloadClick()
{
    // The question blocks the button, but an assistive technology presses it past the window.
    if (asking_)
        return;
    GameContext game = Game();
    NewGame(game);
}

void TForm1::SetLevel(int level)
{
    state_.level = level;
    diff->setText(QString::fromUtf16(LevelNames[level]));
}

void TForm1::RadioButton1Click() { SetLevel(0); }
void TForm1::RadioButton2Click() { SetLevel(1); }
void TForm1::RadioButton3Click() { SetLevel(2); }
void TForm1::RadioButton4Click() { SetLevel(3); }

void TForm1::Button1Click()
{
    // The direction is the one the last slide left: opening slides, closing jumps back to 411.
    Timer1->start();
    SetHeight(ClosedHeight);
}

void TForm1::Timer1Timer()
{
    SetHeight(Height() + SlideStep * revers1);
    if (Height() >= OpenStop) {
        Timer1->stop();
        revers1 = -1;
    }
    if (Height() <= ClosedStop) {
        Timer1->stop();
        revers1 = +1;
    }
}

AutoSizeLabel *TForm1::TallyLabel(Tally tally) const
{
    switch (tally) {
    case Tally::Wins: return winXw;
    case Tally::Ties: return winTw;
    case Tally::Losses: return winOw;
    }
    return winTw;
}

AutoSizeLabel *TForm1::TallyTwin(Tally tally) const
{
    switch (tally) {
    case Tally::Wins: return winXw1;
    case Tally::Ties: return winTw1;
    case Tally::Losses: return winOw1;
    }
    return winTw1;
}

void TForm1::SetLevelGroupEnabled(bool enabled)
{
    GroupBox2->setEnabled(enabled);
}

std::u16string TForm1::TallyCaption(Tally tally) const
{
    return TallyLabel(tally)->text().toStdU16String();
}

void TForm1::SetTallyCaption(Tally tally, const std::u16string &caption)
{
    TallyLabel(tally)->setText(QString::fromStdU16String(caption));
}

void TForm1::SetTallyTwinCaption(Tally tally, const std::u16string &caption)
{
    TallyTwin(tally)->setText(QString::fromStdU16String(caption));
}

void TForm1::ShowBoardText()
{
    AutoSizeLabel *const labels[BoardCells] = {a00, a01, a02, a10, a11, a12, a20, a21, a22};
    for (int index = 0; index < BoardCells; ++index) {
        const std::int32_t cell = state_.cells[index];
        labels[index]->setText(cell == CellCross ? QStringLiteral("x") : cell == CellNought ? QStringLiteral("o") : QStringLiteral(" "));
    }
    Image1->showMarks(state_.cells);
}

void TForm1::AskPlayAgain(const std::u16string &text, const std::u16string &caption,
                          std::function<void(Answer)> answered)
{
    asking_ = true;
    question_ = new PlayAgainQuestion(QString::fromStdU16String(text), QString::fromStdU16String(caption), this);
    connect(question_, &PlayAgainQuestion::answered, this, [this, answered = std::move(answered)](bool playAgain) {
        // The keyboard comes back to the board, also where no window manager hands it back.
        activateWindow();
        answered(playAgain ? Answer::Yes : Answer::No);
        asking_ = false;
    });
    question_->ask();
}

void TForm1::Close()
{
    close();
}
