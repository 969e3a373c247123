#include "pdfhost/viewer/RunViewer.h"

#include <QApplication>
#include <QIcon>

#include "pdfhost/viewer/ViewerScript.h"
#include "pdfhost/viewer/ViewerWindow.h"
#include "platform/Messages.h"

namespace pdfhost::viewer {

int RunViewer(const std::optional<std::string>& file, const std::optional<std::string>& script,
              std::ostream& errors) {
    QApplication::setApplicationName("pdfhost");
    QApplication::setWindowIcon(QIcon::fromTheme("pdfhost"));
    if (script)
        platform::Messages::SetHeadless(true);
    ViewerWindow window;
    window.show();
    if (file)
        window.OpenFile(*file);
    int status = 0;
    std::optional<ViewerScript> run;
    if (script) {
        run.emplace(window, *script, errors, [&status](int s) {
            status = s;
            QApplication::exit(s);
        });
        run->Start();
    }
    const int loop = QApplication::exec();
    return script ? status : loop;
}

} // namespace pdfhost::viewer
