#pragma once

namespace varnoth {

// Tells screen readers about the window's own kinds of control: the
// progress frame as a progress bar with its percentage as value, and the
// drive list by its accessible name (a Qt combo box on Linux gives its
// current text as its name). Safe to call more than once.
void installAccessibleControls();

} // namespace varnoth
