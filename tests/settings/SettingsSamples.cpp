#include "tests/settings/SettingsSamples.h"

#include "settings/ParameterFile.h"

void PrintTo(const StampSettings& s, std::ostream* out) {
    *out << "\n" << ParameterFile::Format(s);
}

namespace testing_support {

const std::string kSampleFile = "STARTPROC;1\r\n"
                                "ENDPROC;99999\r\n"
                                "POSITION;Bottom Right\r\n"
                                "VERTICAL;5\r\n"
                                "HORIZONTAL;420\r\n"
                                "1NTH;1\r\n"
                                "OPACITY;60\r\n"
                                "IMAGEFILENAME;C:\\Stamps\\approved.bmp\r\n"
                                "IMAGEWIDTH;320\r\n"
                                "IMAGEHEIGHT;240\r\n"
                                "IMAGEWIDTHPDF;160\r\n"
                                "IMAGEHEIGHTPDF;120\r\n"
                                "CALCRIGHT\r\n"
                                "FORCEPORTRAIT\r\n"
                                "TEXTONIMAGE;1\r\n"
                                "T_TRANSPARENT;1\r\n"
                                "T_TEXT;[DD]-[MM]-[YY]\r\n"
                                "T_FONTNAME;Arial\r\n"
                                "T_HORIZPOS;10\r\n"
                                "T_VERTPOS;10\r\n"
                                "T_FONTSIZE;-28\r\n"
                                "T_TEXTCOLOR;255\r\n"
                                "T_FONTINFO; -28|   0|   0|   0| 700|   0|   0|   0|   0|   3|   2|"
                                "   1|  34|Arial\r\n";

StampSettings SampleSettings() {
    StampSettings s;
    s.nStartProc = 1;
    s.nEndProc = 99999;
    s.szPosition = "Bottom Right";
    s.nVertical = 5;
    s.nHorizontal = 420;
    s.nNth = 1;
    s.nOpacity = 60;
    s.szImageFileName = "C:\\Stamps\\approved.bmp";
    s.nImageWidth = 320;
    s.nImageHeight = 240;
    s.nImageWidthPdf = 160;
    s.nImageHeightPdf = 120;
    s.bCalcRight = true;
    s.bCalcTop = false;
    s.bForcePortrait = true;
    s.bConstrainImage = true;
    s.nTextOnImage = 1;
    s.text.nTransparent = 1;
    s.text.szText = "[DD]-[MM]-[YY]";
    s.text.szFontName = "Arial";
    s.text.nHorizPos = 10;
    s.text.nVertPos = 10;
    s.text.nFontSize = -28;
    s.text.crTextColor = 255;
    LogFont& f = s.text.lfFontInfo;
    f.lfHeight = -28;
    f.lfWeight = 700;
    f.lfOutPrecision = 3;
    f.lfClipPrecision = 2;
    f.lfQuality = 1;
    f.lfPitchAndFamily = 34;
    f.SetFaceName("Arial");
    return s;
}

} // namespace testing_support
