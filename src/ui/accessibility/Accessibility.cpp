#include "Accessibility.h"

#include "AccessibleBoard.h"
#include "AccessibleLabel.h"
#include "CellNames.h"
#include "ui/BoardPicture.h"

#include <QAccessible>
#include <QLabel>

namespace {

// Tallies by the names of their labels; the top-bar twins add a "1".
QString TallyMeaning(const QString &name)
{
    const QString label = name.endsWith(QLatin1Char('1')) ? name.chopped(1) : name;
    if (label == QLatin1String("winXw"))
        return QStringLiteral("Побед");
    if (label == QLatin1String("winTw"))
        return QStringLiteral("Ничья");
    if (label == QLatin1String("winOw"))
        return QStringLiteral("Поражений");
    return {};
}

// The text copy's labels are a, then the column and the row of their cell.
int TextCopyCell(const QString &name)
{
    if (name.size() != 3 || name[0] != QLatin1Char('a'))
        return -1;
    const int column = name[1].digitValue();
    const int row = name[2].digitValue();
    if (column < 0 || column >= BoardSide || row < 0 || row >= BoardSide)
        return -1;
    return CellIndex(column, row);
}

int MarkOfCaption(const QString &caption)
{
    if (caption == QLatin1String("x"))
        return CellCross;
    if (caption == QLatin1String("o"))
        return CellNought;
    return CellEmpty;
}

QAccessibleInterface *Factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("BoardPicture"))
        return new AccessibleBoard(static_cast<BoardPicture *>(object));
    if (className != QLatin1String("AutoSizeLabel"))
        return nullptr;
    auto *label = static_cast<QLabel *>(object);
    if (const QString meaning = TallyMeaning(label->objectName()); !meaning.isEmpty())
        return new AccessibleLabel(label, [meaning](const QString &caption) { return meaning + QStringLiteral(": ") + caption; });
    if (const int cell = TextCopyCell(label->objectName()); cell >= 0)
        return new AccessibleLabel(label, [cell](const QString &caption) { return CellName(cell, MarkOfCaption(caption)); });
    return nullptr;
}

} // namespace

void InstallAccessibility()
{
    QAccessible::installFactory(&Factory);
}
