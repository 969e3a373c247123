#include "SettingsFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace e2e {

void SettingsFile::Write(const std::filesystem::path& path) const {
    std::ostringstream s;
    auto line = [&s](const std::string& key, const std::string& value) {
        s << key << ';' << value << "\r\n";
    };
    line("STARTPROC", std::to_string(startProc));
    line("ENDPROC", std::to_string(endProc));
    line("POSITION", "Bottom Left");
    line("VERTICAL", std::to_string(vertical));
    line("HORIZONTAL", std::to_string(horizontal));
    line("1NTH", std::to_string(nth));
    line("OPACITY", std::to_string(opacity));
    line("IMAGEFILENAME", imageFileName);
    line("IMAGEWIDTH", std::to_string(imageWidth));
    line("IMAGEHEIGHT", std::to_string(imageHeight));
    line("IMAGEWIDTHPDF", std::to_string(imageWidthPdf));
    line("IMAGEHEIGHTPDF", std::to_string(imageHeightPdf));
    if (calcRight)
        s << "CALCRIGHT\r\n";
    if (calcTop)
        s << "CALCTOP\r\n";
    if (forcePortrait)
        s << "FORCEPORTRAIT\r\n";
    line("TEXTONIMAGE", textOnImage ? "1" : "0");
    if (textOnImage) {
        line("T_TRANSPARENT", transparent ? "1" : "0");
        line("T_TEXT", text);
        line("T_FONTNAME", fontFace);
        line("T_HORIZPOS", std::to_string(horizPos));
        line("T_VERTPOS", std::to_string(vertPos));
        line("T_FONTSIZE", std::to_string(fontHeight));
        line("T_TEXTCOLOR", std::to_string(textColor));
        char record[160];
        std::snprintf(record, sizeof record, "%4d|%4d|%4d|%4d|%4d|%4d|%4d|%4d|%4d|%4d|%4d|%4d|%4d|",
                      fontHeight, 0, 0, 0, fontWeight, 0, 0, 0, 0, 0, 0, fontQuality, 0);
        line("T_FONTINFO", record + fontFace);
    }
    std::ofstream(path, std::ios::binary) << s.str();
}

std::map<std::string, std::string> SettingsFile::ReadValues(const std::filesystem::path& path) {
    std::map<std::string, std::string> values;
    std::ifstream in(path, std::ios::binary);
    for (std::string text; std::getline(in, text);) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        const auto semicolon = text.find(';');
        if (semicolon == std::string::npos)
            values[text] = "";
        else
            values[text.substr(0, semicolon)] = text.substr(semicolon + 1);
    }
    return values;
}

} // namespace e2e
