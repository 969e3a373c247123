#include "platform/FilePicker.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <filesystem>

#include "platform/DialogDriver.h"
#include "platform/OwnerWindow.h"

namespace platform {
namespace {

QStringList NameFilters(const FilePickerOptions& options) {
    QStringList filters;
    for (const FileFilter& f : options.filters) {
        QString patterns = QString::fromStdString(f.patterns);
        patterns.replace(';', ' ');
        filters << QString::fromStdString(f.label) + " (" + patterns + ")";
    }
    return filters;
}

// The detail view's size, type and date columns start at fixed widths that
// elide a plain "37.1 KiB"; they follow their contents instead, and the name
// column takes what is left.
void FitDetailColumns(QFileDialog& picker) {
    auto* details = picker.findChild<QTreeView*>("treeView");
    if (!details)
        return;
    QHeaderView* header = details->header();
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

std::optional<std::string> Pick(const FilePickerOptions& options, bool open) {
    QFileDialog picker(OwnerWindow::ForNewWindow(), QString::fromStdString(options.title));
    picker.setOption(QFileDialog::DontUseNativeDialog);
    picker.setOption(QFileDialog::DontConfirmOverwrite);
    picker.setOption(QFileDialog::ReadOnly, false);
    picker.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    picker.setFileMode(open && options.mustExist ? QFileDialog::ExistingFile
                                                 : QFileDialog::AnyFile);
    picker.setNameFilters(NameFilters(options));
    picker.setDefaultSuffix(QString::fromStdString(options.defaultExtension));
    if (!options.folder.empty())
        picker.setDirectory(QString::fromStdString(options.folder));
    if (!options.fileName.empty())
        picker.selectFile(QString::fromStdString(options.fileName));
    FitDetailColumns(picker);
    const PickerKind kind = open ? PickerKind::OpenFile : PickerKind::SaveFile;
    if (DialogDriver::RunPicker(kind, picker) != QDialog::Accepted ||
        picker.selectedFiles().isEmpty())
        return std::nullopt;
    return FilePicker::Finish(options, picker.selectedFiles().front().toStdString());
}

} // namespace

std::optional<std::string> FilePicker::Finish(const FilePickerOptions& options, std::string path) {
    if (path.empty())
        return std::nullopt;
    const std::filesystem::path chosen(path);
    if (!options.defaultExtension.empty() && !chosen.has_extension() && chosen.has_filename())
        path += "." + options.defaultExtension;
    if (path.size() > options.maxPath)
        return std::nullopt;
    return path;
}

std::optional<std::string> FilePicker::Open(const FilePickerOptions& options) {
    return Pick(options, true);
}

std::optional<std::string> FilePicker::Save(const FilePickerOptions& options) {
    return Pick(options, false);
}

} // namespace platform
