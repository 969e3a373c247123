#include "pdfhost/viewer/ModelWidgets.h"

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QToolBar>

#include "pdfhost/av/Menu.h"
#include "pdfhost/av/MenuItem.h"
#include "pdfhost/av/Menubar.h"
#include "pdfhost/av/ToolBar.h"
#include "pdfhost/av/ToolButton.h"
#include "pdfhost/av/Viewer.h"

namespace pdfhost::viewer {
namespace {

constexpr const char* kAboutMenu = "AboutExtensions";
constexpr const char* kHelpMenu = "Help";
constexpr const char* kSeparatorButton = "endToolsGroup";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QIcon IconOf(const av::ToolButton& button) {
    if (!button.Icon())
        return {};
    const auto& bytes = button.Icon()->Bytes();
    QImage image = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

} // namespace

void ModelWidgets::AddItems(QMenu& target, const std::vector<av::MenuItem*>& items) {
    for (const av::MenuItem* item : items) {
        QAction* action = target.addAction(Q(item->Title()));
        action->setObjectName(Q(item->Name()));
        if (!item->Shortcut().empty())
            action->setShortcut(QKeySequence(Q(item->Shortcut())));
        if (!item->HelpText().empty())
            action->setStatusTip(Q(item->HelpText()));
        connect(action, &QAction::triggered, this, [this, item] { runItem_(*item); });
        items_.emplace_back(action, item);
    }
}

void ModelWidgets::Build(QMenuBar& bar) {
    const av::Menu* about = nullptr;
    QMenu* help = nullptr;
    for (const av::Menu* menu : av::Viewer::Bar().Menus()) {
        if (menu->Name() == kAboutMenu) {
            about = menu;
            continue;
        }
        QMenu* qmenu = bar.addMenu(Q(menu->Title()));
        qmenu->setObjectName(Q(menu->Name()));
        AddItems(*qmenu, menu->Items());
        if (menu->Name() == kHelpMenu)
            help = qmenu;
    }
    if (about) {
        if (!help) {
            help = bar.addMenu("&Help");
            help->setObjectName(kHelpMenu);
        }
        QMenu* sub = help->addMenu(Q(about->Title()));
        sub->setObjectName(kAboutMenu);
        AddItems(*sub, about->Items());
    }
    for (QMenu* menu : bar.findChildren<QMenu*>()) {
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { RefreshMenu(*menu); });
        menu->menuAction()->setEnabled(!menu->actions().isEmpty());
    }
}

void ModelWidgets::FillToolBar(QToolBar& toolbar) {
    for (const av::ToolButton* button : av::Viewer::Tools().Buttons()) {
        if (button->Name() == kSeparatorButton) {
            toolbar.addSeparator()->setObjectName(kSeparatorButton);
            continue;
        }
        const QString help = Q(button->HelpText());
        QAction* action =
            toolbar.addAction(IconOf(*button), help.isEmpty() ? Q(button->Name()) : help);
        action->setObjectName(Q(button->Name()));
        action->setToolTip(help);
        connect(action, &QAction::triggered, this, [this, button] { runButton_(*button); });
        buttons_.emplace_back(action, button);
    }
}

void ModelWidgets::RefreshMenu(QMenu& menu) {
    for (auto& [action, item] : items_) {
        if (menu.actions().contains(action))
            action->setEnabled(item->IsEnabled());
    }
}

void ModelWidgets::Refresh() {
    for (auto& [action, item] : items_)
        action->setEnabled(item->IsEnabled());
    for (auto& [action, button] : buttons_)
        action->setEnabled(button->IsEnabled());
}

} // namespace pdfhost::viewer
