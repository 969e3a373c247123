#include "XvfbDisplay.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace e2e {

XvfbDisplay::XvfbDisplay() {
    int fds[2];
    if (::pipe(fds) != 0) {
        error_ = "no pipe";
        return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(fds[0]);
        const int devnull = ::open("/dev/null", O_RDWR);
        ::dup2(devnull, 0);
        ::dup2(devnull, 1);
        ::dup2(devnull, 2);
        const std::string fd = std::to_string(fds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                 "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    if (pid_ < 0) {
        ::close(fds[0]);
        error_ = "cannot fork";
        return;
    }
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (::poll(&p, 1, 20000) > 0) {
        char c;
        if (::read(fds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    ::close(fds[0]);
    if (number.empty())
        error_ = "Xvfb did not report a display (is the xvfb package installed?)";
    else
        name_ = ":" + number;
}

XvfbDisplay::~XvfbDisplay() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

} // namespace e2e
