// The plug-in's templates as the kit draws them: ids, the menu, the lists,
// and every text fitting the control that shows it.
#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QStyle>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "platform/Dialog.h"
#include "platform/DialogUnits.h"
#include "resources/DialogTemplates.h"
#include "resources/Resources.h"

namespace {

using platform::ControlKind;
using platform::Dialog;

// Opens the template, runs `check` inside the modal loop, and (when
// TALVANE_GRAB_DIR is set) writes a PNG of it there for a person to look at.
void Open(const platform::DialogTemplate& t, const std::function<void(Dialog&)>& check) {
    Dialog dialog(t);
    dialog.OnInit([&] {
        QTimer::singleShot(0, [&] {
            check(dialog);
            if (const char* folder = std::getenv("TALVANE_GRAB_DIR"))
                dialog.Window()->grab().save(QString::fromStdString(
                    std::string(folder) + "/dialog" + std::to_string(t.id) + ".png"));
            dialog.End(0);
        });
    });
    dialog.Run();
}

QString Plain(QString text) {
    text.replace("&&", "\x01");
    text.remove('&');
    text.replace('\x01', '&');
    return text;
}

// The room a control's text needs, beside a check box's box or inside a
// button's frame.
int NeededWidth(QWidget* widget, const QString& text) {
    const int textWidth = QFontMetrics(widget->font()).horizontalAdvance(Plain(text));
    if (qobject_cast<QCheckBox*>(widget))
        return textWidth + widget->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
               widget->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    if (qobject_cast<QAbstractButton*>(widget))
        return textWidth + 4;
    return textWidth;
}

class DialogTemplatesTest : public ::testing::TestWithParam<int> {};

const platform::DialogTemplate& TemplateFor(int id) {
    switch (id) {
    case resources::kAboutDialog:
        return resources::AboutDialogTemplate();
    case resources::kMainDialog:
        return resources::MainDialogTemplate();
    default:
        return resources::TextOnImageDialogTemplate();
    }
}

TEST_P(DialogTemplatesTest, EveryTextFitsItsControl) {
    const platform::DialogTemplate& t = TemplateFor(GetParam());
    Open(t, [&](Dialog& dialog) {
        for (std::size_t i = 0; i < t.controls.size(); ++i) {
            const platform::ControlTemplate& c = t.controls[i];
            if (c.text.empty() || c.kind == ControlKind::GroupBox)
                continue;
            QWidget* widget = dialog.ControlAt(i);
            ASSERT_NE(widget, nullptr);
            const QString text = QString::fromStdString(c.text);
            EXPECT_LE(NeededWidth(widget, text), widget->width())
                << "\"" << c.text << "\" is cut off";
            EXPECT_LE(QFontMetrics(widget->font()).height(), widget->height() + 2)
                << "\"" << c.text << "\" is cut off at the bottom";
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogTemplatesTest,
                         ::testing::Values(resources::kAboutDialog, resources::kMainDialog,
                                           resources::kTextOnImageDialog));

TEST(MainDialogTemplateTest, HasItsMenuListAndNoCloseBox) {
    const platform::DialogTemplate& t = resources::MainDialogTemplate();
    EXPECT_FALSE(t.systemMenu);
    ASSERT_EQ(t.menu, &resources::MainMenuTemplate());
    Open(t, [&](Dialog& dialog) {
        auto* bar = dialog.Window()->findChild<QMenuBar*>();
        ASSERT_NE(bar, nullptr);
        QStringList seen;
        for (QAction* popup : bar->actions()) {
            seen << popup->text();
            for (QAction* command : popup->menu()->actions())
                seen << command->objectName() + "=" + command->text();
        }
        EXPECT_EQ(seen.join('|').toStdString(), "File|40001=Load Settings|40002=Save Settings|"
                                                "40004=Save Settings As|&Help|40005=HTML Help");
        EXPECT_EQ(dialog.Text(1002), "");
        EXPECT_EQ(dialog.Control(1002)->findChildren<QWidget*>().size() > 0, true);
        // The controls below the menu bar sit where the template puts them.
        const platform::DialogUnits units(dialog.Window()->font());
        EXPECT_EQ(dialog.Control(1003)->geometry(),
                  units.ToPixels({70, 242, 57, 14}).translated(0, bar->height()));
        EXPECT_EQ(dialog.Window()->width(), units.X(166));
    });
    EXPECT_EQ(resources::PositionList(),
              (std::vector<std::string>{"Bottom Left", "Bottom Right", "Bottom Middle", "Top Left",
                                        "Top Right", "Top Middle"}));
}

TEST(AboutDialogTemplateTest, ShowsTheProductPicture) {
    const platform::DialogTemplate& t = resources::AboutDialogTemplate();
    const auto bytes = resources::Bitmap(resources::kProductBitmap);
    ASSERT_FALSE(bytes.empty());
    Open(t, [&](Dialog& dialog) {
        auto* picture = qobject_cast<QLabel*>(dialog.ControlAt(1));
        ASSERT_NE(picture, nullptr);
        const QPixmap shown = picture->pixmap();
        EXPECT_EQ(shown.size(), QSize(120, 80));
        // Centred under the title, within the dialog.
        const int left = picture->x();
        const int right = dialog.Window()->width() - picture->x() - picture->width();
        EXPECT_LE(std::abs(left - right), 8);
    });
}

} // namespace
