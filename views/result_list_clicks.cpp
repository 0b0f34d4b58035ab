#include "result_list_clicks.h"

#include <QPushButton>
#include <string>

#include "forms/text.h"
#include "grid.h"

namespace varnoth {

namespace {

// A button shows "&" as a keyboard mnemonic; a nick or path keeps its "&".
QString literalCaption(const std::string &text)
{
    return QString::fromStdString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
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

void topDownloadersClick(Grid &grid1, QPushButton &Command3, int &Grid1SortToggle)
{
    if (grid1.col() != 0) {
        Command3.setText(QString::fromUtf8(selectNameCaption));
        Command3.setEnabled(false);
        if (grid1.col() == 3)
            return;
        sortToggleStep(grid1, Grid1SortToggle);
        return;
    }
    Command3.setText(literalCaption("Show personal stats for " + grid1.textUtf8()));
    Command3.setEnabled(true);
}

void mostDownloadedClick(Grid &grid2, QPushButton &Command4)
{
    if (grid2.col() != 0) {
        Command4.setText(QString::fromUtf8(selectFileCaption));
        Command4.setEnabled(false);
        return;
    }
    const std::string &file = grid2.textUtf8();
    std::string caption = "Show file stats for ";
    if (charCount(file) < 50)
        caption += file;
    else
        caption += "..." + std::string(lastChars(file, 50));
    Command4.setText(literalCaption(caption));
    Command4.setEnabled(true);
}

} // namespace varnoth
