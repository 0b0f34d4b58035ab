#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

namespace varnoth {

// What the window takes from its surroundings: where the settings file
// lives, how a message is shown or a question asked, and how the program
// ends. Tests replace the
// message box and the end of the program so that nothing blocks.
struct Form1Environment {
    // Folders searched, in order, for the settings file and offered, in
    // order, to write it.
    std::vector<std::string> settingsFolders;
    // Shows a message modally (caption "Varnoth", one OK button, no icon).
    std::function<void(const QString &)> showMessage;
    // Asks a question modally (caption "Varnoth", Yes and No, No the
    // default, no icon); true for Yes.
    std::function<bool(const QString &)> ask;
    // Ends the program.
    std::function<void()> endProgram;
    // Logs named on the command line, to be analysed at once: start-up
    // then asks for no path.
    QStringList logsGiven;

    // The program folder, then the per-user configuration folder; a real
    // message box; the end of the event loop.
    static Form1Environment standard();
};

} // namespace varnoth
