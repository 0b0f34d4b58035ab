#include "result_list_clicks.h"

#include <QPushButton>
#include <string>

#include "forms/text.h"
#include "grid.h"
#include "shown_text.h"

namespace varnoth {

namespace {

// A button shows "&" as a keyboard mnemonic; a nick or path keeps its "&".
// Names from a log are shown by the display rule for names.
QString literalCaption(const std::string &text)
{
    return shownText(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

bool onDataCell(const Grid &grid, int column)
{
    return grid.col() == column && grid.row() >= 1 && grid.row() < grid.rows();
}

} // namespace

void sortToggleStep(Grid &grid, int &toggle)
{
    if (toggle == 0) {
        toggle = 1;
        grid.sort(2);
    } else if (toggle == 1) {
        toggle = 0;
        grid.sort(1);
    }
}

void armNameButton(const Grid &grid1, QPushButton &Command3)
{
    if (!onDataCell(grid1, 0)) {
        Command3.setText(QString::fromUtf8(selectNameCaption));
        Command3.setEnabled(false);
        return;
    }
    Command3.setText(showPersonalCaption(grid1.textUtf8()));
    Command3.setEnabled(true);
}

QString showPersonalCaption(const std::string &nick)
{
    return literalCaption("Show personal stats for " + nick);
}

QString showFileCaption(const std::string &file)
{
    std::string caption = "Show file stats for ";
    if (charCount(file) < 50)
        caption += file;
    else
        caption += "..." + std::string(lastChars(file, 50));
    return literalCaption(caption);
}

void armFileButton(const Grid &grid2, QPushButton &Command4)
{
    if (!onDataCell(grid2, 0)) {
        Command4.setText(QString::fromUtf8(selectFileCaption));
        Command4.setEnabled(false);
        return;
    }
    Command4.setText(showFileCaption(grid2.textUtf8()));
    Command4.setEnabled(true);
}

void topDownloadersClick(Grid &grid1, QPushButton &Command3, int &Grid1SortToggle)
{
    armNameButton(grid1, Command3);
    if (grid1.col() == 1 || grid1.col() == 2)
        sortToggleStep(grid1, Grid1SortToggle);
}

void mostDownloadedClick(Grid &grid2, QPushButton &Command4)
{
    armFileButton(grid2, Command4);
}

} // namespace varnoth
