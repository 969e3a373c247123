// The window's menu bar and toolbar, built from the host's menu and toolbar
// model.
//
// Contract: Build() fills `bar` with one menu per model menu in model order
// (title and objectName from the model menu), except "AboutExtensions",
// which becomes a submenu at the end of "Help". Every item is a QAction whose
// objectName is the item's internal name, with its title, shortcut and help
// text; triggering it calls `run` with the item. FillToolBar() adds one
// action per placed button (objectName = button name, tooltip = help text,
// icon from the button's BMP) and a separator action named "endToolsGroup"
// for that button. Refresh() asks every item's enable procedure and every
// button's state again and enables the actions accordingly; menus refresh
// themselves each time they open. The model must outlive the widgets.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;

namespace pdfhost::av {
class MenuItem;
class ToolButton;
} // namespace pdfhost::av

namespace pdfhost::viewer {

class ModelWidgets : public QObject {
  public:
    using RunItem = std::function<void(const av::MenuItem&)>;
    using RunButton = std::function<void(const av::ToolButton&)>;

    ModelWidgets(RunItem runItem, RunButton runButton)
        : runItem_(std::move(runItem)), runButton_(std::move(runButton)) {}

    void Build(QMenuBar& bar);
    void FillToolBar(QToolBar& toolbar);
    void Refresh();

  private:
    void AddItems(QMenu& target, const std::vector<av::MenuItem*>& items);
    void RefreshMenu(QMenu& menu);

    RunItem runItem_;
    RunButton runButton_;
    std::vector<std::pair<QAction*, const av::MenuItem*>> items_;
    std::vector<std::pair<QAction*, const av::ToolButton*>> buttons_;
};

} // namespace pdfhost::viewer
