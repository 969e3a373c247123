#include "pdfhost/av/Viewer.h"

#include <memory>

#include "pdfhost/av/Menubar.h"
#include "pdfhost/av/ToolBar.h"

namespace pdfhost::av {
namespace {

struct Model {
    std::unique_ptr<Menubar> menubar;
    std::unique_ptr<ToolBar> toolbar;
};

Model& model() {
    static Model m;
    return m;
}

} // namespace

void Viewer::Reset(const ViewerOptions& options) {
    Shutdown();
    model().menubar = std::make_unique<Menubar>();
    model().toolbar = std::make_unique<ToolBar>();
    for (const auto& name : options.withoutMenus)
        model().menubar->RemoveMenu(name);
}

void Viewer::Shutdown() {
    model().toolbar.reset();
    model().menubar.reset();
}

Menubar& Viewer::Bar() {
    if (!model().menubar)
        Reset();
    return *model().menubar;
}

ToolBar& Viewer::Tools() {
    if (!model().toolbar)
        Reset();
    return *model().toolbar;
}

} // namespace pdfhost::av
