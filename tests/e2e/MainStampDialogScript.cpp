#include "MainStampDialogScript.h"

namespace e2e {

void MainStampDialogScript::SetUp() {
    picture = Picture("pic.bmp", 640, 480, Solid(kBlack));
    settings = StandardSettings(picture, 100, 50);
    settings.imageWidthPdf = 90;
    settings.imageHeightPdf = 40;
}

HostResult MainStampDialogScript::ShowDialog(const std::string& answers,
                                             const std::string& ending) {
    settings.Write(folder.SettingsPath());
    return folder.RunScript(answers + ending + "menu ADBE:PDFTalvane\n");
}

std::string MainStampDialogScript::Expect(const std::vector<std::pair<int, std::string>>& shown) {
    std::string lines;
    for (const auto& [id, text] : shown)
        lines += "expect " + std::to_string(id) + " " + text + "\n";
    return lines;
}

} // namespace e2e
