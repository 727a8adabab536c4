#include "CellNames.h"

#include "game/GameState.h"

QString CellPlaceName(int cell)
{
    static const char16_t *const rows[] = {u"верх", u"середина", u"низ"};
    static const char16_t *const columns[] = {u"слева", u"посередине", u"справа"};
    const int column = ColumnOf(cell);
    const int row = RowOf(cell);
    if (column == 1 && row == 1)
        return QStringLiteral("центр");
    return QString::fromUtf16(rows[row]) + QStringLiteral(", ") + QString::fromUtf16(columns[column]);
}

QString MarkName(int mark)
{
    switch (mark) {
    case CellCross: return QStringLiteral("крестик");
    case CellNought: return QStringLiteral("нолик");
    default: return QStringLiteral("пусто");
    }
}

QString CellName(int cell, int mark)
{
    return CellPlaceName(cell) + QStringLiteral(": ") + MarkName(mark);
}
