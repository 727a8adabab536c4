// The window is built as laid out, starts sized, centred and blank, names the chosen level, and its lower area slides open in fixed ticks.
#include "InBrowser.h"
#include "game/GameState.h"
#include "ui/ColourContrast.h"
#include "ui/TForm1.h"
#include "ui/platform/Fonts.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

namespace {

enum class Ink { Window, Green, Maroon, Black };

QString CaptionOf(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (auto *group = qobject_cast<const QGroupBox *>(widget))
        return group->title();
    return QString();
}

const char *const BoardLabels[BoardCells] = {"a00", "a01", "a02", "a10", "a11", "a12", "a20", "a21", "a22"};
const char *const HiddenLabels[] = {"qwer", "qwert", "qwerty", "qwertyu"};

// Delivers one tick of Timer1 the way its own timer event does; a stopped timer has no tick.
bool Tick(TForm1 &form)
{
    if (!form.Timer1->isActive())
        return false;
    QTimerEvent tick(form.Timer1->timerId());
    QCoreApplication::sendEvent(form.Timer1, &tick);
    return true;
}

// Ticks until the slide stops itself; returns how many it took.
int TicksUntilStopped(TForm1 &form, int limit = 100)
{
    int ticks = 0;
    while (ticks < limit && Tick(form))
        ++ticks;
    return ticks;
}

} // namespace

Q_DECLARE_METATYPE(Ink)
Q_DECLARE_METATYPE(Centring)

class TestWindowLayout : public QObject {
    Q_OBJECT

private slots:
    void everyComponentExistsUnderItsName();
    void windowFrame();
    void controls_data();
    void controls();
    void labels_data();
    void labels();
    void boldTextsLookBold();
    void readableOnEveryFace_data();
    void readableOnEveryFace();
    void informationGroupPaintsLabelsOverFrames();
    void hiddenLabelsNeverShow();
    void tabOrder();
    void levelButtonsStartUncheckedAndExclusive();
    void timer();
    void stateAfterCreation();
    void centredOnStartScreen();
    void centring_data();
    void centring();
    void levelChoice_data();
    void levelChoice();
    void firstPressOpensInTwentyNineTicks();
    void closingJumpsThenTakesOneStep();
    void pressDuringOpeningStartsOver();
    void pressBeforeClosingTickStillEndsAt406();
};

void TestWindowLayout::everyComponentExistsUnderItsName()
{
    TForm1 form;
    const char *const widgets[] = {
        "Panel1", "Image1", "reload", "winXw1", "winOw1", "winTw1", "diff", "GroupBox1", "GroupBox2",
        "RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4", "qwer", "qwert", "qwerty", "qwertyu",
        "a00", "a01", "a02", "a10", "a11", "a12", "a20", "a21", "a22", "winOw", "winTw", "winXw", "Label1",
        "Bevel1", "Bevel2", "Bevel3", "Bevel4", "Bevel5", "Bevel6", "Bevel7", "Bevel8", "Bevel9", "Label2",
        "Label3", "Label4", "Button1",
    };
    for (const char *name : widgets)
        QVERIFY2(form.findChildren<QWidget *>(QLatin1String(name)).size() == 1, name);
    QCOMPARE(form.findChildren<QTimer *>(QStringLiteral("Timer1")).size(), 1);
    QCOMPARE(form.findChild<QTimer *>(QStringLiteral("Timer1")), form.Timer1);
    // The public references point at the named components.
    QCOMPARE(form.findChild<QWidget *>(QStringLiteral("winXw1")), form.winXw1);
    QCOMPARE(form.findChild<QWidget *>(QStringLiteral("GroupBox2")), form.GroupBox2);
    QCOMPARE(form.findChild<QWidget *>(QStringLiteral("Image1")), form.Image1);
}

void TestWindowLayout::windowFrame()
{
    TForm1 form;
    QVERIFY(form.isWindow());
    QCOMPARE(form.windowTitle(), QStringLiteral("Крестики-нолики"));
    // Not resizable by the person, and no minimise or maximise button.
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.size(), form.minimumSize());
    QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(form.font().family(), WindowFontFamily());
    QCOMPARE(form.font().pixelSize(), 11);
    QVERIFY(!form.font().bold());
}

void TestWindowLayout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");

    auto row = [](const char *name, const char *cls, const char *parent, QRect geometry, const QString &caption = QString()) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(cls) << QString::fromLatin1(parent) << geometry
                            << caption;
    };
    row("Image1", "BoardPicture", "TForm1", QRect(1, 42, 303, 306));
    row("GroupBox1", "QGroupBox", "TForm1", QRect(0, 390, 177, 115), QStringLiteral("Информация"));
    row("GroupBox2", "QGroupBox", "TForm1", QRect(181, 390, 112, 115), QStringLiteral("Уровень сложности"));
    row("Button1", "QPushButton", "TForm1", QRect(98, 351, 108, 20), QStringLiteral("Информация "));
    row("reload", "QPushButton", "Panel1", QRect(212, 10, 75, 23), QStringLiteral("Новая игра"));
    row("RadioButton1", "QRadioButton", "GroupBox2", QRect(16, 24, 113, 17), QStringLiteral("Очень легко"));
    row("RadioButton2", "QRadioButton", "GroupBox2", QRect(16, 47, 113, 17), QStringLiteral("Легко"));
    row("RadioButton3", "QRadioButton", "GroupBox2", QRect(16, 70, 113, 17), QStringLiteral("Нормально"));
    row("RadioButton4", "QRadioButton", "GroupBox2", QRect(16, 93, 113, 17), QStringLiteral("Тяжело"));
    const QPoint bevels[] = {{8, 24}, {32, 24}, {56, 24}, {8, 47}, {32, 47}, {56, 47}, {8, 70}, {32, 70}, {56, 70}};
    for (int i = 0; i < 9; ++i) {
        const QByteArray name = "Bevel" + QByteArray::number(i + 1);
        row(name.constData(), "QFrame", "GroupBox1", QRect(bevels[i], QSize(26, 25)));
    }
}

void TestWindowLayout::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);

    TForm1 form;
    auto *widget = form.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QVERIFY(widget->parentWidget());
    QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(CaptionOf(widget), caption);
    QVERIFY(!widget->isHidden());
    if (name.startsWith(QLatin1String("Bevel"))) {
        auto *frame = qobject_cast<QFrame *>(widget);
        QCOMPARE(frame->frameShape(), QFrame::Box);
        QCOMPARE(frame->frameShadow(), QFrame::Sunken);
    }
}

void TestWindowLayout::labels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<Ink>("ink");

    auto row = [](const char *name, const char *parent, QPoint position, const QString &caption, int pixels = 11,
                  bool bold = false, Ink ink = Ink::Window) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(parent) << position << caption << pixels << bold
                            << ink;
    };
    row("winXw1", "Panel1", {10, 19}, QStringLiteral("0"), 12, true, Ink::Green);
    row("winOw1", "Panel1", {77, 19}, QStringLiteral("0"), 12, true, Ink::Maroon);
    row("winTw1", "Panel1", {41, 19}, QStringLiteral("0"), 12, true, Ink::Black);
    row("diff", "Panel1", {120, 0}, QString());
    row("Label1", "Panel1", {10, 0}, QStringLiteral("Уровень сложности:"));
    row("qwer", "GroupBox1", {9, 99}, QStringLiteral("qwer"));
    row("qwert", "GroupBox1", {41, 99}, QStringLiteral("qwert"));
    row("qwerty", "GroupBox1", {41, 118}, QStringLiteral("qwerty"));
    row("qwertyu", "GroupBox1", {105, 99}, QStringLiteral("qwertyu"));
    // The board copy reads blank from creation on; the layout's Cyrillic letter is never seen.
    const int lefts[] = {14, 40, 64}, tops[] = {21, 43, 68};
    for (int index = 0; index < BoardCells; ++index)
        row(BoardLabels[index], "GroupBox1", {lefts[ColumnOf(index)], tops[RowOf(index)]}, QStringLiteral(" "), 19, true);
    row("Label2", "GroupBox1", {88, 20}, QStringLiteral("Побед"));
    row("winXw", "GroupBox1", {151, 21}, QStringLiteral("0"), 13, true, Ink::Green);
    row("Label3", "GroupBox1", {88, 43}, QStringLiteral("Ничья"));
    row("winTw", "GroupBox1", {151, 43}, QStringLiteral("0"), 13, true, Ink::Window);
    row("Label4", "GroupBox1", {88, 65}, QStringLiteral("Поражений"));
    row("winOw", "GroupBox1", {151, 65}, QStringLiteral("0"), 13, true, Ink::Maroon);
}

void TestWindowLayout::labels()
{
    QFETCH(QString, name);
    QFETCH(QString, parentName);
    QFETCH(QPoint, position);
    QFETCH(QString, caption);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(Ink, ink);

    TForm1 form;
    auto *label = form.findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(QString::fromLatin1(label->metaObject()->className()), QStringLiteral("AutoSizeLabel"));
    QCOMPARE(label->parentWidget()->objectName(), parentName);
    QCOMPARE(label->pos(), position);
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    // The label is sized to its caption, so the whole caption shows.
    const QFontMetrics metrics(label->font());
    QVERIFY2(label->width() >= metrics.horizontalAdvance(caption), qPrintable(QString::number(label->width())));
    QCOMPARE(label->font().family(), WindowFontFamily());
    QCOMPARE(label->font().pixelSize(), pixels);
    QCOMPARE(label->font().bold(), bold);

    const QColor windowText = form.palette().color(QPalette::WindowText);
    const QColor expected = ink == Ink::Green ? QColor(0, 128, 0)
        : ink == Ink::Maroon                  ? QColor(128, 0, 0)
        : ink == Ink::Black                   ? QColor(0, 0, 0)
                                              : windowText;
    QCOMPARE(label->palette().color(QPalette::WindowText), expected);
}

void TestWindowLayout::boldTextsLookBold()
{
    // Judged on the pixels: a bold face that is hardly heavier than the regular one reads as regular.
#ifdef Q_OS_WIN
    QSKIP("Windows draws bold texts with the system's Tahoma Bold; Wine's stand-in for it is as light as its regular face");
#endif
    TForm1 form;
    for (AutoSizeLabel *label : {form.winXw1, form.winTw, form.a11}) {
        label->setText(label == form.a11 ? QStringLiteral("x") : QStringLiteral("10"));
        auto inkOf = [label] {
            QImage image(label->size(), QImage::Format_RGB32);
            image.fill(Qt::white);
            label->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
            qint64 ink = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ink += 255 - qGray(image.pixel(x, y));
            return ink;
        };
        const qint64 bold = inkOf();
        QFont regular = label->font();
        regular.setBold(false);
        label->setFont(regular);
        const qint64 plain = inkOf();
        QVERIFY2(bold >= plain * 5 / 4, qPrintable(QStringLiteral("%1: bold ink %2, regular %3").arg(label->objectName()).arg(bold).arg(plain)));
    }
}

void TestWindowLayout::readableOnEveryFace_data()
{
    QTest::addColumn<QColor>("face");  // of the application's palette; none: the style's own light one
    QTest::addColumn<bool>("changedWhileShown");
    QTest::newRow("light") << QColor() << false;
    QTest::newRow("dark") << QColor(0x35, 0x35, 0x35) << false;
    QTest::newRow("inverse, changed while shown") << QColor(Qt::black) << true;
}

// Judged on the window's pixels: on a dark face every text reads at 4.5:1 and the tallies keep
// their colour families; on the light face they keep their own colours; the cell frames show on both.
void TestWindowLayout::readableOnEveryFace()
{
    QFETCH(QColor, face);
    QFETCH(bool, changedWhileShown);
    const QPalette before = QApplication::palette();
    if (face.isValid() && !changedWhileShown)
        QApplication::setPalette(QPalette(face));
    TForm1 form;
    form.SetHeight(556);
    form.show();
    if (face.isValid() && changedWhileShown) {
        QApplication::setPalette(QPalette(face));
        QCoreApplication::processEvents();  // the widgets hear of it from the event loop
    }
    const QImage blank = form.grab().toImage();
    for (AutoSizeLabel *label : form.findChildren<AutoSizeLabel *>())
        label->setText(label->text().trimmed().isEmpty() ? QStringLiteral("x") : label->text());
    const QImage filled = form.grab().toImage();
    QApplication::setPalette(before);
    // The pixel that stands out most from the commonest colour of the widget's area, and its contrast.
    auto inkOn = [&form](const QImage &image, const QWidget *widget) {
        std::map<QRgb, int> counts;
        const QRect area(widget->mapTo(&form, QPoint()), widget->size());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ++counts[image.pixel(x, y)];
        const QColor ground = std::max_element(counts.begin(), counts.end(), [](auto a, auto b) { return a.second < b.second; })->first;
        QColor ink = ground;
        for (const auto &[pixel, count] : counts)
            ink = ContrastRatio(pixel, ground) > ContrastRatio(ink, ground) ? QColor(pixel) : ink;
        return std::pair(ink, ContrastRatio(ink, ground));
    };
    for (AutoSizeLabel *label : form.findChildren<AutoSizeLabel *>())
        if (face.isValid() && label->isVisibleTo(&form))
            QVERIFY2(inkOn(filled, label).second >= 4.5, qPrintable(label->objectName()));
    for (QFrame *bevel : form.GroupBox1->findChildren<QFrame *>())
        if (bevel->objectName().startsWith(QLatin1String("Bevel")))
            QVERIFY2(inkOn(blank, bevel).second >= 2, qPrintable(bevel->objectName()));
    const QColor green(0, 128, 0), maroon(128, 0, 0), black(Qt::black);
    const std::pair<QLabel *, QColor> tallies[] = {
        {form.winXw, green}, {form.winXw1, green}, {form.winTw1, black}, {form.winOw, maroon}, {form.winOw1, maroon}};
    for (const auto &[label, given] : tallies) {
        const QColor ink = inkOn(filled, label).first;
        QVERIFY(face.isValid() || ink == given);
        // Of one family: the same hue within 15 degrees, and grey stays grey.
        QVERIFY2(given.hslSaturation() ? std::abs(ink.hslHue() - given.hslHue()) <= 15 : ink.hslSaturation() < 32,
                 qPrintable(label->objectName() + QLatin1Char(' ') + ink.name()));
    }
    QCOMPARE(filled.pixelColor(form.Image1->mapTo(&form, QPoint(50, 50))), QColor(Qt::white));
}

void TestWindowLayout::informationGroupPaintsLabelsOverFrames()
{
    // Later children paint over earlier ones: the frames first, the texts on top of them.
    TForm1 form;
    QStringList order;
    for (QObject *child : form.GroupBox1->children())
        if (child->isWidgetType())
            order << child->objectName();
    const QStringList expected = {
        "Bevel7", "Bevel8", "Bevel9", "Bevel4", "Bevel6", "Bevel5", "Bevel1", "Bevel3", "Bevel2", "qwer",
        "qwert",  "qwerty", "qwertyu", "a00",   "a01",    "a02",    "a10",    "a11",    "a12",    "a20",
        "a21",    "a22",    "winOw",  "winTw",  "winXw",  "Label2", "Label3", "Label4",
    };
    QCOMPARE(order, expected);
}

void TestWindowLayout::hiddenLabelsNeverShow()
{
    SKIP_IF_SHOWN_WINDOW_IN_BROWSER();
    TForm1 form;
    form.Button1->click();
    TicksUntilStopped(form);
    QCOMPARE(form.Height(), 556);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.GroupBox1->isVisible());
    form.reloadClick();
    for (const char *name : HiddenLabels) {
        auto *label = form.findChild<QLabel *>(QLatin1String(name));
        QVERIFY2(!label->isVisible(), name);
        QVERIFY2(!label->isVisibleTo(&form), name);
    }
}

// The board is the first stop; the level buttons are stops only while the lower area shows them.
void TestWindowLayout::tabOrder()
{
    SKIP_IF_SHOWN_WINDOW_IN_BROWSER();
    TForm1 form;
    auto stops = [&form] {
        QList<QWidget *> stops;
        QWidget *widget = &form;
        do {
            if ((widget->focusPolicy() & Qt::TabFocus) && form.isAncestorOf(widget))
                stops << widget;
            widget = widget->nextInFocusChain();
        } while (widget != &form && stops.size() < 50);
        return stops;
    };
    QCOMPARE(stops(), QList<QWidget *>({form.Image1, form.reload, form.Button1}));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.SetHeight(556);
    QCOMPARE(stops(), QList<QWidget *>({form.Image1, form.reload, form.RadioButton1, form.RadioButton2,
                                        form.RadioButton3, form.RadioButton4, form.Button1}));
}

void TestWindowLayout::levelButtonsStartUncheckedAndExclusive()
{
    TForm1 form;
    for (QRadioButton *button : {form.RadioButton1, form.RadioButton2, form.RadioButton3, form.RadioButton4}) {
        QVERIFY(!button->isChecked());
        QVERIFY(button->autoExclusive());
    }
}

void TestWindowLayout::timer()
{
    TForm1 form;
    QCOMPARE(form.Timer1->timerType(), Qt::PreciseTimer);
    QCOMPARE(form.Timer1->interval(), 5);
    QVERIFY(!form.Timer1->isActive());
    QVERIFY(!form.Timer1->isSingleShot());
}

void TestWindowLayout::stateAfterCreation()
{
    SKIP_IF_SHOWN_WINDOW_IN_BROWSER();
    TForm1 form;
    QCOMPARE(form.Width(), 307);
    QCOMPARE(form.Height(), 411);
    QCOMPARE(form.size(), QSize(304, 377));
    QCOMPARE(form.revers1, 1);
    QCOMPARE(form.state().level, 2);
    QCOMPARE(form.state().moveCount, 0);
    QVERIFY(form.state().outcome.empty());
    for (std::int32_t cell : form.state().cells)
        QCOMPARE(cell, std::int32_t(CellEmpty));
    QCOMPARE(form.diff->text(), QString());
    for (QRadioButton *button : {form.RadioButton1, form.RadioButton2, form.RadioButton3, form.RadioButton4})
        QVERIFY(!button->isChecked());
    QVERIFY(form.GroupBox2->isEnabled());
    for (const char *name : BoardLabels)
        QCOMPARE(form.findChild<QLabel *>(QLatin1String(name))->text(), QStringLiteral(" "));
    for (QLabel *tally : {form.winXw, form.winTw, form.winOw, form.winXw1, form.winTw1, form.winOw1})
        QCOMPARE(tally->text(), QStringLiteral("0"));

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // The top bar spans the client width.
    QCOMPARE(form.Panel1->geometry(), QRect(0, 0, 304, 41));
    QCOMPARE(form.Panel1->frameShape(), QFrame::Panel);
    QCOMPARE(form.Panel1->frameShadow(), QFrame::Raised);
    // The empty grid is drawn before the first look: white cells, black lines.
    const QImage board = form.Image1->image();
    QCOMPARE(board.pixelColor(50, 50), QColor(Qt::white));
    QCOMPARE(board.pixelColor(100, 50), QColor(Qt::black));
    QCOMPARE(board.pixelColor(150, 200), QColor(Qt::black));
}

void TestWindowLayout::centredOnStartScreen()
{
    TForm1 form;
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    QCOMPARE(form.Left(), (screen.width() - 307) / 2);
    QCOMPARE(form.Top(), (screen.height() - 411) / 2);
    QCOMPARE(form.pos(), QPoint(form.Left(), form.Top()));
}

void TestWindowLayout::centring_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<Centring>("centring");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("1920x1080") << QSize(1920, 1080) << Centring::ForClosedHeight << QPoint(806, 334);
    QTest::newRow("1024x768") << QSize(1024, 768) << Centring::ForClosedHeight << QPoint(358, 178);
    // The halves truncate toward zero: -7 / 2 is -3.
    QTest::newRow("300 wide") << QSize(300, 400) << Centring::ForClosedHeight << QPoint(-3, -5);
    // For its open height only from 555 px high, where the open window fits, to 697 px, the last
    // height where centring it closed would put the open window's lower edge below the screen.
    QTest::newRow("phone, open") << QSize(360, 640) << Centring::ForOpenHeight << QPoint(26, 42);
    QTest::newRow("554 high, open") << QSize(360, 554) << Centring::ForOpenHeight << QPoint(26, 71);
    QTest::newRow("555 high, open") << QSize(360, 555) << Centring::ForOpenHeight << QPoint(26, 0);
    QTest::newRow("697 high, open") << QSize(360, 697) << Centring::ForOpenHeight << QPoint(26, 71);
    QTest::newRow("698 high, open") << QSize(360, 698) << Centring::ForOpenHeight << QPoint(26, 143);
}

void TestWindowLayout::centring()
{
    QFETCH(QSize, screen);
    QFETCH(Centring, centring);
    QFETCH(QPoint, topLeft);
    TForm1 form;
    form.PlaceOnScreen(screen, centring);
    QCOMPARE(QPoint(form.Left(), form.Top()), topLeft);
    QCOMPARE(form.pos(), topLeft);
    QCOMPARE(form.Width(), 307);
    QCOMPARE(form.Height(), 411);
}

void TestWindowLayout::levelChoice_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("name");
    QTest::newRow("RadioButton1") << 1 << 0 << QStringLiteral("Очень легко");
    QTest::newRow("RadioButton2") << 2 << 1 << QStringLiteral("Легко");
    QTest::newRow("RadioButton3") << 3 << 2 << QStringLiteral("Нормально");
    QTest::newRow("RadioButton4") << 4 << 3 << QStringLiteral("Тяжело");
}

void TestWindowLayout::levelChoice()
{
    QFETCH(int, button);
    QFETCH(int, level);
    QFETCH(QString, name);

    TForm1 form;
    QRadioButton *const buttons[] = {form.RadioButton1, form.RadioButton2, form.RadioButton3, form.RadioButton4};
    // Start from another choice, so that the click has to move the check and the level.
    QRadioButton *other = buttons[button % 4];
    QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(other->isChecked());

    const GameState before = form.state();
    const QImage picture = form.Image1->image();
    QTest::mouseClick(buttons[button - 1], Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(buttons[button - 1]->isChecked());
    QVERIFY(!other->isChecked());
    QCOMPARE(form.state().level, level);
    QCOMPARE(form.diff->text(), name);
    // The level label grows with its caption, its left edge staying put.
    QCOMPARE(form.diff->pos(), QPoint(120, 0));
    QVERIFY(form.diff->width() >= QFontMetrics(form.diff->font()).horizontalAdvance(name));
    // Nothing of the game changes.
    QVERIFY(form.state().cells == before.cells);
    QCOMPARE(form.state().moveCount, before.moveCount);
    QCOMPARE(form.Image1->image(), picture);

    // A new game keeps the level and its name.
    QTest::mouseClick(form.reload, Qt::LeftButton);
    QCOMPARE(form.state().level, level);
    QCOMPARE(form.diff->text(), name);
    QVERIFY(buttons[button - 1]->isChecked());
}

void TestWindowLayout::firstPressOpensInTwentyNineTicks()
{
    TForm1 form;
    const QPoint topLeft(form.Left(), form.Top());
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QCOMPARE(form.Height(), 411);
    QVERIFY(form.Timer1->isActive());
    for (int tick = 1; tick <= 29; ++tick) {
        QVERIFY(Tick(form));
        QCOMPARE(form.Height(), 411 + 5 * tick);
        QCOMPARE(form.height(), 411 + 5 * tick - 34);
        QCOMPARE(form.Timer1->isActive(), tick < 29);
    }
    QCOMPARE(form.Height(), 556);
    QCOMPARE(form.revers1, -1);
    QVERIFY(!Tick(form));
    QCOMPARE(form.Height(), 556);
    QCOMPARE(form.Width(), 307);
    QCOMPARE(QPoint(form.Left(), form.Top()), topLeft);
}

void TestWindowLayout::closingJumpsThenTakesOneStep()
{
    TForm1 form;
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QCOMPARE(TicksUntilStopped(form), 29);

    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QCOMPARE(form.Height(), 411);
    QVERIFY(form.Timer1->isActive());
    QCOMPARE(TicksUntilStopped(form), 1);
    QCOMPARE(form.Height(), 406);
    QCOMPARE(form.revers1, 1);
    QVERIFY(!form.Timer1->isActive());

    // Opening always slides the whole way again.
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QCOMPARE(form.Height(), 411);
    QCOMPARE(TicksUntilStopped(form), 29);
    QCOMPARE(form.Height(), 556);
    QCOMPARE(form.revers1, -1);
}

void TestWindowLayout::pressDuringOpeningStartsOver()
{
    TForm1 form;
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    for (int tick = 0; tick < 10; ++tick)
        QVERIFY(Tick(form));
    QCOMPARE(form.Height(), 461);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QCOMPARE(form.Height(), 411);
    QCOMPARE(TicksUntilStopped(form), 29);
    QCOMPARE(form.Height(), 556);
}

void TestWindowLayout::pressBeforeClosingTickStillEndsAt406()
{
    TForm1 form;
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    TicksUntilStopped(form);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QCOMPARE(form.Height(), 411);
    QCOMPARE(TicksUntilStopped(form), 1);
    QCOMPARE(form.Height(), 406);
    QCOMPARE(form.revers1, 1);
}

QTEST_MAIN(TestWindowLayout)
#include "test_window_layout.moc"
