// The floor that any Qt game with text pays: a window with the game's title and outer size, one label
// and one button, nothing else. The start-up, memory and idle figures of the game are set against it.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Крестики-нолики"));
    window.setFixedSize(304, 377);  // 307 x 411 outer, less the game's frame allowance
    QLabel label(QStringLiteral("Уровень сложности:"), &window);
    label.move(8, 8);
    QPushButton button(QStringLiteral("Новая игра"), &window);
    button.move(8, 32);
    window.show();
    return application.exec();
}
