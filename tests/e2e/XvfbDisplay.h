// An X server of the test's own, so windows can be shown without a desktop.
//
// Contract: the constructor starts Xvfb on a free display number (Xvfb picks
// it and reports it through -displayfd), 1280x1024 at 24 bits, no TCP; the
// destructor stops it and waits for it. Name() is ":N", or "" when Xvfb could
// not be started (the reason is in Error()).
#pragma once

#include <string>
#include <sys/types.h>

namespace e2e {

class XvfbDisplay {
  public:
    XvfbDisplay();
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Error() const { return error_; }

  private:
    pid_t pid_ = -1;
    std::string name_;
    std::string error_;
};

} // namespace e2e
