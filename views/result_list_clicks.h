#pragma once

#include <QString>
#include <string>

class QPushButton;

namespace varnoth {

class Grid;

// What a click in each result list does, working from the grid's current
// cell as the click left it.

// The shared sort step: toggle 0 sorts descending and becomes 1, toggle 1
// sorts ascending and becomes 0.
void sortToggleStep(Grid &grid, int &toggle);

// What the Show… buttons say for the current cell of their list, after a
// click or a keyboard move: a cell of the name (file) column arms Command3
// (Command4) for its text, long paths shown by their last 50 characters;
// any other cell, or none, leaves it waiting with its design caption.
void armNameButton(const Grid &grid1, QPushButton &Command3);
// The armed captions, as a button or menu item shows them ("&" doubled).
QString showPersonalCaption(const std::string &nick);
QString showFileCaption(const std::string &file);
void armFileButton(const Grid &grid2, QPushButton &Command4);

// Top Downloaders: the name column arms Command3 for that nick; Uploads and
// Mbytes sort (one toggle for both); Upload Time only disarms.
void topDownloadersClick(Grid &grid1, QPushButton &Command3, int &Grid1SortToggle);

// Most Downloaded files: the file column arms Command4 for that file (long
// paths shown by their last 50 characters); other columns disarm it.
void mostDownloadedClick(Grid &grid2, QPushButton &Command4);

inline constexpr const char *selectNameCaption = "Select any name by clicking it";
inline constexpr const char *selectFileCaption = "Select any file by clicking it";

} // namespace varnoth
