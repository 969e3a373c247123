#include "pdfhost/app/PickerActions.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "pdfhost/app/InputEvents.h"
#include "platform/FontPicker.h"

namespace pdfhost::app {
namespace {

std::string Title(const QDialog& picker) {
    return "\"" + picker.windowTitle().toStdString() + "\"";
}

// The control a picker's label names (its buddy), found by the label's text
// as the picker shows it, mnemonic included.
template <typename Control> Control* LabelledBy(QDialog& picker, const QString& label) {
    for (QLabel* l : picker.findChildren<QLabel*>()) {
        if (l->text() == label)
            return qobject_cast<Control*>(l->buddy());
    }
    return nullptr;
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    InputEvents::Type(edit, text);
}

// Presses Enter on `target` and acknowledges each message box the picker
// shows in answer; returns their texts, one line each.
QString EnterAcknowledging(QDialog& picker, QWidget* target) {
    QString said;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, &picker, [&said, &picker] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == &picker || !box->isVisible())
            return;
        said += (said.isEmpty() ? "" : " ") + box->text().simplified();
        InputEvents::PressEnter(box->focusWidget() ? box->focusWidget() : box);
    });
    watch.start();
    InputEvents::PressEnter(target);
    watch.stop();
    return said;
}

// The picker has not ended after the answer: cancel it and say why.
std::string Refused(QDialog& picker, const std::string& what, const QString& said) {
    picker.reject();
    std::string reason = "the picker " + Title(picker) + " did not take " + what;
    if (!said.isEmpty())
        reason += ": " + said.toStdString();
    return reason;
}

std::string AnswerFile(QDialog& picker, const PickerAnswer& answer) {
    QLineEdit* name = picker.findChild<QLineEdit*>("fileNameEdit");
    if (!name) {
        picker.reject();
        return "the picker " + Title(picker) + " has no file name field";
    }
    const std::string path = std::filesystem::absolute(answer.path).string();
    // Pasted, not typed: typed key by key, the picker starts to move into
    // each folder of the path as its separator arrives, and a path typed
    // faster than the folders load loses its head.
    name->setFocus(Qt::OtherFocusReason);
    name->selectAll();
    name->insert(QString::fromStdString(path));
    const QString said = EnterAcknowledging(picker, name);
    return picker.isVisible() ? Refused(picker, path, said) : std::string();
}

std::string AnswerColour(QDialog& picker, const PickerAnswer& answer) {
    auto* colours = qobject_cast<QColorDialog*>(&picker);
    auto* html = LabelledBy<QLineEdit>(picker, "&HTML:");
    const std::uint32_t c = answer.colorref;
    const QColor wanted(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff);
    const std::string what = std::to_string(wanted.red()) + "," + std::to_string(wanted.green()) +
                             "," + std::to_string(wanted.blue());
    if (!colours || !html)
        return Refused(picker, what, "it has no HTML field");
    Retype(html, wanted.name());
    if (colours->currentColor().rgb() != wanted.rgb())
        return Refused(picker, what, "it shows " + colours->currentColor().name());
    const QString said = EnterAcknowledging(picker, html);
    return picker.isVisible() ? Refused(picker, what, said) : std::string();
}

QModelIndex Row(QAbstractItemView* list, const QString& text) {
    QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        if (index.data().toString() == text)
            return index;
    }
    return {};
}

void ClickRow(QAbstractItemView* list, const QModelIndex& index) {
    list->scrollTo(index);
    InputEvents::Click(list->viewport(), list->visualRect(index).center());
}

// The style of `face` a person would pick for a weight and slant: the slant
// first, then the nearest weight.
QModelIndex NearestStyle(QAbstractItemView* styles, const QString& face, int weight, bool italic) {
    QModelIndex best;
    int bestScore = INT_MAX;
    QAbstractItemModel* model = styles->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        const QFont font = QFontDatabase::font(face, index.data().toString(), 12);
        const bool slanted = font.style() != QFont::StyleNormal;
        const int score = (slanted == italic ? 0 : 10000) + std::abs(font.weight() - weight);
        if (score < bestScore) {
            bestScore = score;
            best = index;
        }
    }
    return best;
}

std::string AnswerFont(QDialog& picker, const PickerAnswer& answer) {
    const LogFont& lf = answer.font;
    const QString face = QString::fromUtf8(lf.FaceName().data(), lf.FaceName().size());
    const std::string what = "the face \"" + face.toStdString() + "\"";
    auto* faces = LabelledBy<QAbstractItemView>(picker, "&Font");
    auto* styles = LabelledBy<QAbstractItemView>(picker, "Font st&yle");
    auto* size = LabelledBy<QLineEdit>(picker, "&Size");
    if (!faces || !styles || !size)
        return Refused(picker, what, "it has no face, style or size list");
    const QModelIndex faceRow = Row(faces, face);
    if (!faceRow.isValid())
        return Refused(picker, what, "it lists no such face");
    ClickRow(faces, faceRow);
    const QModelIndex styleRow = NearestStyle(styles, face, lf.lfWeight, lf.lfItalic != 0);
    if (styleRow.isValid())
        ClickRow(styles, styleRow);
    if (lf.lfHeight != 0) {
        const long points =
            std::lround(std::abs(lf.lfHeight) * 72.0 / platform::FontPicker::kDotsPerInch);
        Retype(size, QString::number(std::max(1L, points)));
    }
    const QString said = EnterAcknowledging(picker, size);
    return picker.isVisible() ? Refused(picker, what, said) : std::string();
}

} // namespace

std::string PickerActions::Answer(platform::PickerKind kind, QDialog& picker,
                                  const PickerAnswer& answer) {
    // A person's first click makes the picker the active window; until it
    // is, its fields do not have the focus, and the file picker keeps a
    // suggested file selected in its list over the name typed.
    if (!picker.isActiveWindow())
        QApplication::setActiveWindow(&picker);
    if (answer.cancelled) {
        QWidget* focus = picker.focusWidget();
        InputEvents::PressEscape(focus ? focus : &picker);
        if (picker.isVisible())
            return Refused(picker, "cancel", {});
        return {};
    }
    switch (kind) {
    case platform::PickerKind::OpenFile:
    case platform::PickerKind::SaveFile:
        return AnswerFile(picker, answer);
    case platform::PickerKind::Colour:
        return AnswerColour(picker, answer);
    case platform::PickerKind::Font:
        return AnswerFont(picker, answer);
    }
    return {};
}

} // namespace pdfhost::app
