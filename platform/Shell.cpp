#include "platform/Shell.h"

#include "platform/Messages.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace platform {

std::string Shell::TranscriptLine(std::string_view target) {
    return "SHELL open \"" + Messages::Escape(target) + "\"";
}

bool Shell::Open(std::string_view target) {
    Messages::WriteTranscript(TranscriptLine(target));
    if (Messages::Headless())
        return true;
    // Detached: the viewer outlives nothing of ours and leaves no child to reap.
    return QProcess::startDetached(QString::fromLatin1(kOpener),
                                   QStringList{QString::fromStdString(std::string(target))});
}

} // namespace platform
