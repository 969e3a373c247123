// A pdfhost script run inside the viewer window's event loop.
//
// Contract: runs the lines of a script one per turn of the event loop, with
// the same commands as `pdfhost run` (ScriptCommands), so a line that opens a
// dialog or a message box runs it exactly as a click would. In the window,
// "open", "close" and "save" also update what the window shows, and three
// steps are added:
//     grab-window PATH   write a PNG of the whole window once the pages in
//                        view are rendered
//     page N             scroll to page N (1-based) and wait for its pages
//     title              print  TITLE "<window title>"  on standard output
// The first failing line stops the script with the message
//     pdfhost: <script>:<line>: <message>
// on `errors`. When the script ends, the window closes without asking about
// unsaved changes and Finished(status) runs: 0 for a script that succeeded,
// 1 for a failing line, 2 for a script that cannot be read.
#pragma once

#include <QObject>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace pdfhost::viewer {

class ViewerWindow;

class ViewerScript : public QObject {
  public:
    ViewerScript(ViewerWindow& window, std::string path, std::ostream& errors,
                 std::function<void(int)> finished);

    // Registers the window's commands and starts with the first line on the
    // next turn of the event loop.
    void Start();

  private:
    void RegisterCommands();
    void Step();
    void Finish(int status);

    ViewerWindow& window_;
    std::string path_;
    std::ostream& errors_;
    std::function<void(int)> finished_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

} // namespace pdfhost::viewer
