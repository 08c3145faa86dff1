#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shell.h"

namespace orv::x11 {

// Opening programs, documents, folders and addresses on a Linux desktop.
//
// "open" (and ""): a path to an executable file, or a bare name found on PATH, is started
// directly (never through a shell) with `parameters` split into arguments; a bare name that is
// not on PATH but names a file in the starting folder is opened as that file. Folders,
// documents and addresses (a "scheme:" prefix; "www." gets "http://") go to xdg-open, which
// gets the target as its only argument. "explore": xdg-open on the folder. Any other verb has
// no handler (31).
//
// Strings come in Windows-1252 and are handed to the system as UTF-8. Started programs get a
// session of their own, default signal handling, and no descriptor of this process but
// standard input, output and error; they are reaped by a waiting thread of their own, so none
// is left a zombie and the caller never waits for a program to end.
//
// Results: 42 on success, otherwise
//   2  the file (or a script's interpreter) does not exist, or xdg-open says so;
//   3  the starting folder, a folder of the path, or the folder to explore does not exist;
//   5  no permission: a program file (ELF or "#!") without execute permission, a file that
//      cannot be read, a folder of the path that cannot be searched; xdg-open's exit status 5;
//   8  the system is out of memory or processes;
//   11 the file has execute permission but is no format the system can run;
//   26 the program file is open for writing (text file busy);
//   31 no handler: xdg-open is missing or cannot be started, or it exits with 1 (it did not
//      take the argument), 3 (no method for this kind of target) or 4 (the handler it chose
//      failed), or the verb is not one of the above.
// xdg-open may run the handler in the foreground until it ends: when it is still running after
// `openerWait` the target counts as opened (42).
class X11Shell final : public IShell {
public:
    // Hears the wait status of every process started here once it has been reaped (called on
    // the reaping thread).
    using ExitObserver = std::function<void(pid_t pid, int status)>;

    explicit X11Shell(std::chrono::milliseconds openerWait = std::chrono::seconds(2));
    ~X11Shell() override;
    X11Shell(const X11Shell&) = delete;
    X11Shell& operator=(const X11Shell&) = delete;

    int shellOpen(const std::string& verb, const std::string& target, const std::string& parameters,
                  const std::string& directory) override;

    void setExitObserver(ExitObserver observer);

private:
    struct Shared;
    std::future<int> reap(pid_t pid);
    int startProgram(const std::string& path, const std::vector<std::string>& arguments, const std::string& directory);
    int openWithDesktop(const std::string& target, const std::string& directory);
    int openPath(const std::string& path, const std::vector<std::string>& arguments, const std::string& directory);

    std::chrono::milliseconds openerWait_;
    std::shared_ptr<Shared> shared_;
};

// Splits a parameter string into arguments at blanks and tabs. Double quotes group words
// (the quotes themselves are dropped; "" is an empty argument); backslashes are plain
// characters, as paths hold them.
std::vector<std::string> splitParameters(std::string_view parameters);

}  // namespace orv::x11
