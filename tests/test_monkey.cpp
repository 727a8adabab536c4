// A long seeded run of random clicks, new games, level choices, slide ticks and answered questions never leaves the window inconsistent.
#include "ShownWindowTest.h"

#include <QElapsedTimer>

#include <array>
#include <deque>
#include <optional>
#include <random>

namespace {

enum { DefaultSeed = 20240517, DefaultEvents = 20000 };
enum { PictureWidth = 303, PictureHeight = 306 };

enum class Result { Win, Loss, Tie };
constexpr int ResultCount = 3;

using Cells = std::array<std::int32_t, BoardCells>;

const char16_t *const LevelNames[] = {u"Очень легко", u"Легко", u"Нормально", u"Тяжело"};

std::optional<int> FirstLine(const Cells &cells, int mark)
{
    for (int line = 0; line < 8; ++line)
        if (cells[BoardLines[line][0]] == mark && cells[BoardLines[line][1]] == mark && cells[BoardLines[line][2]] == mark)
            return line;
    return std::nullopt;
}

// The test's own judgement of a board, kept apart from the game's rules.
std::optional<Result> Judge(const Cells &cells)
{
    if (FirstLine(cells, CellCross))
        return Result::Win;
    if (FirstLine(cells, CellNought))
        return Result::Loss;
    if (std::none_of(cells.begin(), cells.end(), [](std::int32_t c) { return c == CellEmpty; }))
        return Result::Tie;
    return std::nullopt;
}

std::optional<Result> ResultOfCaption(const QString &caption, const QString &text)
{
    if (caption == QStringLiteral("Победа!") && text == QStringLiteral("Вы победили! Хотите заново играть?"))
        return Result::Win;
    if (caption == QStringLiteral("Поражение!") && text == QStringLiteral("Вы проиграли? Хотите отыграться?"))
        return Result::Loss;
    if (caption == QStringLiteral("Ничья!") && text == QStringLiteral("Ничья! Заново играть?"))
        return Result::Tie;
    return std::nullopt;
}

QString OutcomeText(Result result)
{
    switch (result) {
    case Result::Win: return QStringLiteral("yes");
    case Result::Loss: return QStringLiteral("no");
    case Result::Tie: return QStringLiteral("tie");
    }
    return {};
}

int CountOf(const Cells &cells, int mark)
{
    return int(std::count(cells.begin(), cells.end(), mark));
}

bool IsRed(QColor c) { return c.red() > 200 && c.green() < 90 && c.blue() < 90; }
bool IsWhite(QColor c) { return c.red() > 235 && c.green() > 235 && c.blue() > 235; }
bool IsMagenta(QColor c) { return c.red() > 200 && c.green() < 90 && c.blue() > 200; }
bool IsBlue(QColor c) { return c.blue() >= 200 && c.red() < 150 && c.green() < 150; }

bool AnyNear(const QImage &image, QPoint centre, int radius, bool (*test)(QColor))
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (test(image.pixelColor(centre + QPoint(dx, dy))))
                return true;
    return false;
}

QString CellsText(const Cells &cells)
{
    QString text;
    for (std::int32_t c : cells)
        text += c == CellCross ? QLatin1Char('x') : c == CellNought ? QLatin1Char('o') : c == CellEmpty ? QLatin1Char('.') : QLatin1Char('?');
    return text;
}

// What the test expects the window to be, reckoned from the events it sent.
struct Reckoning {
    Cells cells;
    int exchanges = 0;           // accepted clicks in the game on the board
    bool noughtUnknown = false;  // the last exchange's nought, found on the board afterwards
    bool levelOpen = true;
    int level = 2;
    QString levelCaption;
    QString outcome;
    int height = TForm1::ClosedHeight;
    int direction = +1;
    bool sliding = false;
    std::array<int, ResultCount> finished{};

    Reckoning() { cells.fill(CellEmpty); }

    void NewBoard()
    {
        cells.fill(CellEmpty);
        exchanges = 0;
        noughtUnknown = false;
        levelOpen = true;
    }

    void Tick()
    {
        height += TForm1::SlideStep * direction;
        if (height >= TForm1::OpenStop) {
            sliding = false;
            direction = -1;
        }
        if (height <= TForm1::ClosedStop) {
            sliding = false;
            direction = +1;
        }
    }
};

// The question as the answerer found it, before anything was answered.
struct Question {
    Cells cells;
    int moveCount = 0;
    Result result = Result::Tie;
};

class Monkey : public QObject {
    Q_OBJECT

public:
    Monkey(TForm1 &form, quint32 seed) : form_(form), seed_(seed), random_(seed)
    {
        connect(form_.Timer1, &QTimer::timeout, this, [this] {
            model_.Tick();
            ++ticksDuringQuestions_;
        });
        answerer_.setInterval(0);
        connect(&answerer_, &QTimer::timeout, this, &Monkey::Answer);
        answerer_.start();
    }

    // Runs the events; the first broken invariant is returned, with what is needed to replay it.
    QString Run(int events)
    {
        if (QString failure = Check(); !failure.isEmpty())
            return Where(-1, QStringLiteral("start"), failure);
        for (int index = 0; index < events; ++index) {
            const QString event = SendOne();
            QString failure = failures_.isEmpty() ? Check() : failures_.join(QStringLiteral("; "));
            if (!failure.isEmpty())
                return Where(index, event, failure);
        }
        return {};
    }

    // Plays on until a game ends and answers No: the window closes and the board is still reset.
    QString EndWithNo()
    {
        answerNo_ = true;
        for (int index = 0; index < 200 && form_.isVisible(); ++index) {
            const QPoint point = Inside(int(Draw(BoardCells)));
            ClickAt(form_.Image1, point);
            QString failure = Reckon({point});
            if (failure.isEmpty())
                failure = failures_.isEmpty() ? Check() : failures_.join(QStringLiteral("; "));
            if (!failure.isEmpty())
                return Where(index, QStringLiteral("closing click (%1,%2)").arg(point.x()).arg(point.y()), failure);
        }
        if (form_.isVisible())
            return Where(-1, QStringLiteral("answer No"), QStringLiteral("the window is still shown"));
        return {};
    }

    int Questions() const { return asked_; }
    int TicksDuringQuestions() const { return ticksDuringQuestions_; }
    int Thrown() const { return thrown_; }

private:
    quint32 Draw(quint32 n) { return std::uniform_int_distribution<quint32>(0, n - 1)(random_); }
    int Between(int low, int high) { return low + int(Draw(quint32(high - low + 1))); }

    QString Where(int index, const QString &event, const QString &failure) const
    {
        return QStringLiteral("seed %1 (KN_MONKEY_SEED=%1), event %2 [%3]: %4").arg(seed_).arg(index).arg(event, failure);
    }

    QPoint Inside(int index) { return QPoint(ColumnOf(index) * 100 + Between(4, 96), RowOf(index) * 100 + Between(4, 96)); }

    QPoint BoardPoint()
    {
        const int lines[] = {100, 200};
        switch (Draw(7)) {
        case 0:  // somewhere in a cell
            return Inside(int(Draw(BoardCells)));
        case 1:  // on a vertical grid line
            return QPoint(lines[Draw(2)] + Between(-2, 2), Between(0, PictureHeight - 1));
        case 2:  // on a horizontal grid line
            return QPoint(Between(0, PictureWidth - 1), lines[Draw(2)] + Between(-2, 2));
        case 3:  // the strips beyond the grid
            return Draw(2) ? QPoint(Between(300, PictureWidth - 1), Between(0, PictureHeight - 1))
                           : QPoint(Between(0, PictureWidth - 1), Between(300, PictureHeight - 1));
        case 4: {  // an occupied cell, when there is one
            std::vector<int> taken;
            for (int i = 0; i < BoardCells; ++i)
                if (model_.cells[i] != CellEmpty)
                    taken.push_back(i);
            return taken.empty() ? Inside(int(Draw(BoardCells))) : Inside(taken[Draw(quint32(taken.size()))]);
        }
        case 5:  // just outside the picture: not a click on it
            return Draw(2) ? QPoint(Draw(2) ? Between(-6, -1) : Between(PictureWidth, PictureWidth + 6), Between(-6, PictureHeight + 6))
                           : QPoint(Between(-6, PictureWidth + 6), Draw(2) ? Between(-6, -1) : Between(PictureHeight, PictureHeight + 6));
        default:
            return QPoint(Between(0, PictureWidth - 1), Between(0, PictureHeight - 1));
        }
    }

    QString SendOne()
    {
        const quint32 roll = Draw(100);
        if (roll < 55) {
            const QPoint point = BoardPoint();
            ClickAt(form_.Image1, point);
            return Note(QStringLiteral("click (%1,%2)").arg(point.x()).arg(point.y()), Reckon({point}));
        }
        if (roll < 61) {
            // Press, release, double-click, release: the picture sees two clicks on one spot.
            const QPoint point = BoardPoint();
            ClickAt(form_.Image1, point);
            SendButton(form_.Image1, QEvent::MouseButtonDblClick, point);
            SendButton(form_.Image1, QEvent::MouseButtonRelease, point);
            return Note(QStringLiteral("double click (%1,%2)").arg(point.x()).arg(point.y()), Reckon({point, point}));
        }
        if (roll < 65) {
            QTest::mouseClick(form_.reload, Qt::LeftButton);
            model_.NewBoard();
            return QStringLiteral("new game");
        }
        if (roll < 75) {
            QRadioButton *const buttons[] = {form_.RadioButton1, form_.RadioButton2, form_.RadioButton3, form_.RadioButton4};
            const int level = int(Draw(4));
            QTest::mouseClick(buttons[level], Qt::LeftButton, {}, QPoint(7, buttons[level]->height() / 2));
            if (model_.levelOpen) {
                model_.level = level;
                model_.levelCaption = QString::fromUtf16(LevelNames[level]);
            }
            return QStringLiteral("level %1").arg(level);
        }
        if (roll < 79) {
            QTest::mouseClick(form_.Button1, Qt::LeftButton);
            model_.sliding = true;
            model_.height = TForm1::ClosedHeight;
            return QStringLiteral("information");
        }
        // A burst of ticks, delivered only while the slide runs.
        const int ticks = Between(1, 12);
        int delivered = 0;
        for (; delivered < ticks && form_.Timer1->isActive(); ++delivered) {
            form_.Timer1Timer();
            model_.Tick();
        }
        return QStringLiteral("%1 ticks").arg(delivered);
    }

    static QString Note(const QString &event, const QString &failure)
    {
        if (!failure.isEmpty())
            return event + QStringLiteral(" -> ") + failure;
        return event;
    }

    // Follows the clicks the picture received through the reckoning, taking the questions asked on
    // the way in order. Returns a failure only for a question that does not fit.
    QString Reckon(std::initializer_list<QPoint> clicks)
    {
        // A click that ends a game returns with the question open; the event loop answers it.
        while (ShownQuestion())
            QCoreApplication::processEvents();
        QString failure;
        for (const QPoint point : clicks) {
            if (!QRect(0, 0, PictureWidth, PictureHeight).contains(point))
                continue;
            model_.levelOpen = false;
            const int column = point.x() / 100;
            const int row = point.y() / 100;
            if (column > 2 || row > 2)
                continue;
            const int index = CellIndex(column, row);
            if (model_.cells[index] != CellEmpty)
                continue;
            if (model_.noughtUnknown && failure.isEmpty())
                failure = QStringLiteral("reckoning lost track of a nought");
            model_.cells[index] = CellCross;
            ++model_.exchanges;
            const bool free = CountOf(model_.cells, CellEmpty) > 0;
            if (questions_.empty()) {
                model_.noughtUnknown = free;
                model_.outcome.clear();
                continue;
            }
            const Question question = questions_.front();
            questions_.pop_front();
            int placed = 0;
            for (int i = 0; i < BoardCells; ++i) {
                if (model_.cells[i] != CellEmpty && question.cells[i] != model_.cells[i] && failure.isEmpty())
                    failure = QStringLiteral("board at the question %1 does not extend %2").arg(CellsText(question.cells), CellsText(model_.cells));
                if (model_.cells[i] == CellEmpty && question.cells[i] == CellNought)
                    ++placed;
            }
            if (placed != (free ? 1 : 0) && failure.isEmpty())
                failure = QStringLiteral("%1 noughts placed in one exchange").arg(placed);
            if (question.moveCount != 2 * model_.exchanges && failure.isEmpty())
                failure = QStringLiteral("moveCount %1 at the question after %2 exchanges").arg(question.moveCount).arg(model_.exchanges);
            ++model_.finished[int(question.result)];
            model_.outcome = OutcomeText(question.result);
            model_.NewBoard();
            break;  // the clicks after it came while the question was open
        }
        if (!questions_.empty() && failure.isEmpty())
            failure = QStringLiteral("a question without an exchange that ends a game");
        questions_.clear();
        return failure;
    }

    int Expected(Result result) const
    {
        int queued = 0;
        for (const Question &q : questions_)
            queued += q.result == result ? 1 : 0;
        return model_.finished[int(result)] + queued;
    }

    QString CheckTallies(const std::array<int, ResultCount> &expected) const
    {
        const AutoSizeLabel *labels[] = {form_.winXw, form_.winOw, form_.winTw};
        const AutoSizeLabel *twins[] = {form_.winXw1, form_.winOw1, form_.winTw1};
        int sum = 0;
        for (int r = 0; r < ResultCount; ++r) {
            if (labels[r]->text() != QString::number(expected[r]))
                return QStringLiteral("tally %1 shows '%2', expected %3").arg(labels[r]->objectName(), labels[r]->text()).arg(expected[r]);
            if (twins[r]->text() != labels[r]->text())
                return QStringLiteral("%1 shows '%2' but %3 '%4'").arg(twins[r]->objectName(), twins[r]->text(), labels[r]->objectName(), labels[r]->text());
            sum += labels[r]->text().toInt();
        }
        if (sum != asked_)
            return QStringLiteral("tallies add up to %1 after %2 finished games").arg(sum).arg(asked_);
        return {};
    }

    // Everything the window shows or holds, against the reckoning, after an event has finished.
    QString Check()
    {
        GameState &state = form_.state();
        for (std::int32_t c : state.cells)
            if (c != CellEmpty && c != CellCross && c != CellNought)
                return QStringLiteral("cell holds %1: %2").arg(c).arg(CellsText(state.cells));
        if (model_.noughtUnknown) {
            int found = -1;
            for (int i = 0; i < BoardCells; ++i)
                if (model_.cells[i] == CellEmpty && state.cells[i] == CellNought) {
                    if (found >= 0)
                        return QStringLiteral("two new noughts: %1 after %2").arg(CellsText(state.cells), CellsText(model_.cells));
                    found = i;
                }
            if (found < 0)
                return QStringLiteral("the computer did not answer: %1").arg(CellsText(state.cells));
            model_.cells[found] = CellNought;
            model_.noughtUnknown = false;
        }
        if (state.cells != model_.cells)
            return QStringLiteral("board %1, expected %2").arg(CellsText(state.cells), CellsText(model_.cells));
        if (Judge(model_.cells))
            return QStringLiteral("a finished board %1 was left without a question").arg(CellsText(model_.cells));
        if (CountOf(model_.cells, CellCross) != model_.exchanges || CountOf(model_.cells, CellNought) != model_.exchanges)
            return QStringLiteral("%1 after %2 exchanges").arg(CellsText(model_.cells)).arg(model_.exchanges);
        if (state.moveCount != 2 * model_.exchanges)
            return QStringLiteral("moveCount %1 after %2 exchanges").arg(state.moveCount).arg(model_.exchanges);
        if (QString::fromStdU16String(state.outcome) != model_.outcome)
            return QStringLiteral("outcome '%1', expected '%2'").arg(QString::fromStdU16String(state.outcome), model_.outcome);

        const AutoSizeLabel *copy[] = {form_.a00, form_.a01, form_.a02, form_.a10, form_.a11, form_.a12, form_.a20, form_.a21, form_.a22};
        for (int i = 0; i < BoardCells; ++i) {
            const QString mark = model_.cells[i] == CellCross ? QStringLiteral("x") : model_.cells[i] == CellNought ? QStringLiteral("o") : QStringLiteral(" ");
            if (copy[i]->text() != mark)
                return QStringLiteral("%1 shows '%2', cell %3 holds %4").arg(copy[i]->objectName(), copy[i]->text()).arg(i).arg(model_.cells[i]);
        }
        if (QString failure = CheckPicture(); !failure.isEmpty())
            return failure;

        if (form_.GroupBox2->isEnabled() != model_.levelOpen)
            return QStringLiteral("level group enabled %1, expected %2").arg(form_.GroupBox2->isEnabled()).arg(model_.levelOpen);
        if (state.level != model_.level || form_.diff->text() != model_.levelCaption)
            return QStringLiteral("level %1 '%2', expected %3 '%4'").arg(state.level).arg(form_.diff->text()).arg(model_.level).arg(model_.levelCaption);
        if (QString failure = CheckTallies(model_.finished); !failure.isEmpty())
            return failure;

        const int height = form_.Height();
        if (height < 406 || height > 556 || (height - 406) % TForm1::SlideStep != 0)
            return QStringLiteral("height %1 is not one the slide reaches").arg(height);
        if (height != model_.height || form_.Timer1->isActive() != model_.sliding || form_.revers1 != model_.direction)
            return QStringLiteral("slide at %1 running %2 direction %3, expected %4 %5 %6")
                .arg(height).arg(form_.Timer1->isActive()).arg(form_.revers1)
                .arg(model_.height).arg(model_.sliding).arg(model_.direction);
        if (form_.Width() != TForm1::InitialWidth)
            return QStringLiteral("width %1").arg(form_.Width());
        return {};
    }

    QString CheckPicture() const
    {
        const QImage &image = form_.Image1->image();
        for (int i = 0; i < BoardCells; ++i) {
            const QPoint centre = CellCentre(i);
            const QPoint rim = centre + QPoint(45, 0);
            switch (model_.cells[i]) {
            case CellCross:
                if (!IsRed(image.pixelColor(centre)))
                    return QStringLiteral("no red at the centre of cross cell %1").arg(i);
                break;
            case CellNought:
                if (!AnyNear(image, rim, 1, IsBlue) || !IsWhite(image.pixelColor(centre)))
                    return QStringLiteral("nought cell %1 lacks its blue rim or white middle").arg(i);
                break;
            default:
                if (!IsWhite(image.pixelColor(centre)) || AnyNear(image, rim, 1, IsBlue) || IsRed(image.pixelColor(centre - QPoint(30, 30))))
                    return QStringLiteral("empty cell %1 is not blank").arg(i);
            }
        }
        return {};
    }

    // The question box is answered from here, from the event loop; until then the window must
    // ignore whatever is thrown at it.
    void Answer()
    {
        PlayAgainQuestion *box = ShownQuestion();
        if (!box)
            return;
        if (!open_) {
            open_ = true;
            if (QApplication::activeModalWidget() != box)
                failures_ << QStringLiteral("the question does not hold the window back");
            Inspect(*box);
            delay_ = int(Draw(4));
            waitForTick_ = model_.sliding && Draw(8) == 0;
            heightAtQuestion_ = model_.height;
            waitStarted_.start();
        }
        // Once something is wrong, throwing more could nest questions that nobody answers.
        if (delay_ > 0 && failures_.isEmpty()) {
            --delay_;
            ThrowAt(*box);
            return;
        }
        // Sometimes let the slide go on while the question waits.
        if (waitForTick_ && model_.sliding && heightAtQuestion_ == model_.height && waitStarted_.elapsed() < 200)
            return;
        open_ = false;
        box->button(answerNo_ ? QMessageBox::No : QMessageBox::Yes)->click();
    }

    void Inspect(PlayAgainQuestion &box)
    {
        ++asked_;
        const GameState &state = form_.state();
        Question question;
        question.cells = state.cells;
        question.moveCount = state.moveCount;
        const std::optional<Result> asked = ResultOfCaption(box.windowTitle(), box.text());
        const std::optional<Result> judged = Judge(state.cells);
        if (!asked || asked != judged) {
            failures_ << QStringLiteral("question '%1' '%2' on board %3").arg(box.windowTitle(), box.text(), CellsText(state.cells));
            return;
        }
        question.result = *asked;
        if (QString::fromStdU16String(state.outcome) != OutcomeText(*asked))
            failures_ << QStringLiteral("outcome '%1' at the question").arg(QString::fromStdU16String(state.outcome));
        if (form_.GroupBox2->isEnabled())
            failures_ << QStringLiteral("level group open while the question waits");
        // The result is drawn before the question: the middle of the line, or the first nought for a tie.
        const QImage &image = form_.Image1->image();
        QPoint mark;
        if (*asked == Result::Tie) {
            mark = CellCentre(int(std::find(state.cells.begin(), state.cells.end(), CellNought) - state.cells.begin()));
        } else {
            const int line = *FirstLine(state.cells, *asked == Result::Win ? CellCross : CellNought);
            mark = CellCentre(BoardLines[line][1]);
        }
        if (!IsMagenta(image.pixelColor(mark)))
            failures_ << QStringLiteral("no result line through (%1,%2) on %3").arg(mark.x()).arg(mark.y()).arg(CellsText(state.cells));
        questions_.push_back(question);
        std::array<int, ResultCount> expected{};
        for (int r = 0; r < ResultCount; ++r)
            expected[r] = Expected(Result(r));
        if (QString failure = CheckTallies(expected); !failure.isEmpty())
            failures_ << QStringLiteral("at the question: ") + failure;
    }

    // Clicks at the window through the window system, as a person would: the question holds them back.
    void ThrowAt(PlayAgainQuestion &box)
    {
        const GameState &state = form_.state();
        const Cells cells = state.cells;
        const int moveCount = state.moveCount;
        const QString tallies = form_.winXw->text() + form_.winOw->text() + form_.winTw->text();
        const int level = state.level;
        QWindow *window = form_.windowHandle();
        for (int n = Between(1, 3); n > 0; --n) {
            QWidget *target = nullptr;
            QPoint point;
            switch (Draw(5)) {
            case 0: target = form_.reload; break;
            case 1: target = form_.Button1; break;
            case 2: {
                QRadioButton *const buttons[] = {form_.RadioButton1, form_.RadioButton2, form_.RadioButton3, form_.RadioButton4};
                target = buttons[Draw(4)];
                point = QPoint(7, target->height() / 2);
                break;
            }
            default:
                target = form_.Image1;
                point = Inside(int(Draw(BoardCells)));
            }
            if (point.isNull())
                point = target->rect().center();
            const QPoint at = target->mapTo(&form_, point);
            if (form_.rect().contains(at)) {
                QTest::mouseClick(window, Qt::LeftButton, {}, at);
                ++thrown_;
            }
        }
        QTest::keyClick(&box, Qt::Key_Escape);
        if (QApplication::activeModalWidget() != &box || !box.isVisible())
            failures_ << QStringLiteral("Escape put the question away");
        if (state.cells != cells || state.moveCount != moveCount || state.level != level
            || form_.winXw->text() + form_.winOw->text() + form_.winTw->text() != tallies
            || form_.GroupBox2->isEnabled())
            failures_ << QStringLiteral("input reached the game while the question was open");
    }

    TForm1 &form_;
    quint32 seed_;
    std::mt19937 random_;
    Reckoning model_;
    QTimer answerer_;
    std::deque<Question> questions_;
    QStringList failures_;
    int asked_ = 0;
    int ticksDuringQuestions_ = 0;
    int thrown_ = 0;
    bool answerNo_ = false;
    bool open_ = false;
    int delay_ = 0;
    bool waitForTick_ = false;
    int heightAtQuestion_ = 0;
    QElapsedTimer waitStarted_;
};

} // namespace

class TestMonkey : public ShownWindowTest {
    Q_OBJECT

private slots:
    void randomSession_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("events");
        const QByteArray fromEnv = qgetenv("KN_MONKEY_SEED");
        const int events = qEnvironmentVariableIsSet("KN_MONKEY_EVENTS") ? qEnvironmentVariableIntValue("KN_MONKEY_EVENTS") : DefaultEvents;
        if (!fromEnv.isEmpty()) {
            QTest::newRow(fromEnv.constData()) << fromEnv.toUInt() << events;
            return;
        }
        QTest::newRow("default") << quint32(DefaultSeed) << events;
        for (quint32 seed : {1u, 77u, 4242u})
            QTest::newRow(QByteArray::number(seed).constData()) << seed << 4000;
    }

    void randomSession()
    {
        QFETCH(quint32, seed);
        QFETCH(int, events);
        TForm1 form;
        form.show();
        QCOMPARE(form.Image1->size(), QSize(PictureWidth, PictureHeight));
        Monkey monkey(form, seed);
        const QString failure = monkey.Run(events);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY2(monkey.Questions() > events / 50, qPrintable(QStringLiteral("seed %1: only %2 games finished").arg(seed).arg(monkey.Questions())));
        qInfo("seed %u: %d games finished, %d clicks held back by the question, %d slide ticks while it waited",
              seed, monkey.Questions(), monkey.Thrown(), monkey.TicksDuringQuestions());
        const QString closing = monkey.EndWithNo();
        QVERIFY2(closing.isEmpty(), qPrintable(closing));
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
