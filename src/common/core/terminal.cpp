#include "core/terminal.h"

#include <QTextStream>

#include <termios.h>
#include <unistd.h>

std::optional<QString> askLine(const QString& prompt, bool secret)
{
    // One stream for all questions: a stream reads ahead, so a second one
    // would miss the lines a script pipes in.
    static QTextStream in(stdin);
    static QTextStream err(stderr);
    const bool terminal = ::isatty(STDIN_FILENO);
    if (terminal)
        err << prompt << Qt::flush;
    termios saved{};
    const bool hide = terminal && secret && ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hide) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    QString line;
    const bool read = in.readLineInto(&line);
    if (hide) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        err << Qt::endl;
    }
    if (!read)
        return std::nullopt;
    return line;
}
