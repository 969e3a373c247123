// Times the picture preparation of one stamp run on a 2000 x 1500 picture:
// decode, the text overlay, stretch to half size, JPEG encode; each stage
// alone and the chain.
#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>

#include "image/BitmapScaler.h"
#include "image/JpegFileWriter.h"
#include "image/LoadedPicture.h"
#include "image/TextOverlay.h"
#include "image/WriteJpegFile.h"
#include "platform/Messages.h"

namespace {

constexpr int kWidth = 2000, kHeight = 1500;
enum Source { kJpeg, kBmp };

QImage Photo() {
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    std::srand(7);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            row[x] = qRgb((x / 8 + std::rand() % 16) % 256, (y / 6 + std::rand() % 16) % 256,
                          ((x + y) / 14) % 256);
    }
    return picture;
}

// The source files, written once.
struct Sources {
    Sources() {
        const QImage photo = Photo();
        for (const char* format : {"jpeg", "bmp"}) {
            const std::string path = (dir.path() + "/photo." + format).toStdString();
            QImageWriter writer(QString::fromStdString(path), format);
            if (std::string(format) == "jpeg")
                writer.setQuality(90);
            writer.write(photo);
            paths.push_back(path);
        }
        output = (dir.path() + "/temp.jpg").toStdString();
    }
    QTemporaryDir dir;
    std::vector<std::string> paths; // by Source
    std::string output;
};

Sources& Files() {
    static Sources sources;
    return sources;
}

void Decode(benchmark::State& state, Source source) {
    const std::string& path = Files().paths[source];
    LoadedPicture picture;
    for (auto _ : state) {
        if (picture.Load(path) != 1)
            state.SkipWithError("cannot load the source picture");
        benchmark::DoNotOptimize(picture.Bitmap());
    }
}
BENCHMARK_CAPTURE(Decode, jpeg, kJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, bmp, kBmp)->Unit(benchmark::kMillisecond);

void Scale(benchmark::State& state) {
    const platform::DeviceBitmap source(Photo());
    const BitmapScaler scaler;
    for (auto _ : state)
        benchmark::DoNotOptimize(scaler.ScaleBitmap(source, kWidth / 2, kHeight / 2));
}
BENCHMARK(Scale)->Unit(benchmark::kMillisecond);

// One line of 60 characters at the default overlay height, opaque and
// transparent, with the template's expansion left out (an identity).
void Overlay(benchmark::State& state, bool transparent) {
    const platform::DeviceBitmap source(Photo());
    TextOnImageSettings text;
    text.szText = "Report.pdf 2006-03-01 14:05:09 Wednesday, 1st March 2006 - 42";
    text.nHorizPos = 10;
    text.nVertPos = 10;
    text.nTransparent = transparent ? 1 : 0;
    platform::FontDescription d;
    d.faceName = "Arial";
    d.height = 28;
    const platform::RasterFont font(d);
    const TextOverlay overlay(text, &font, [](std::string t) { return t; });
    for (auto _ : state)
        benchmark::DoNotOptimize(overlay.DrawTextOnBitmap(source));
}
BENCHMARK_CAPTURE(Overlay, opaque, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Overlay, transparent, true)->Unit(benchmark::kMillisecond);

void Encode(benchmark::State& state) {
    const platform::DeviceBitmap source(Photo());
    const JpegFileWriter writer;
    for (auto _ : state)
        writer.SaveBitmapAsJpeg(Files().output, source);
}
BENCHMARK(Encode)->Unit(benchmark::kMillisecond);

void Pipeline(benchmark::State& state, Source source) {
    const std::string& path = Files().paths[source];
    LoadedPicture picture;
    const BitmapScaler scaler;
    const JpegFileWriter writer;
    for (auto _ : state) {
        if (picture.Load(path) != 1) {
            state.SkipWithError("cannot load the source picture");
            break;
        }
        const auto scaled = scaler.ScaleBitmap(*picture.Bitmap(), kWidth / 2, kHeight / 2);
        writer.SaveBitmapAsJpeg(Files().output, *scaled);
    }
}
BENCHMARK_CAPTURE(Pipeline, jpeg, kJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Pipeline, bmp, kBmp)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    platform::Messages::SetHeadless(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
