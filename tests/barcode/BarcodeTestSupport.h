#pragma once
// What the barcode tests share: painting a symbol into an image with a quiet
// zone, reading images back with zbarimg, and reading bars off a pixel line.

#include "reports/barcode/Barcode.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace BarcodeTest {

// The symbol painted on white with a quiet zone of `margin` units around it
// (its rotated box when rotated).
inline QImage paint(TBarcode& b, int margin = 20)
{
    b.setLeft(margin);
    b.setTop(margin);
    QImage image(b.RotatedWidth() + 2 * margin, b.RotatedHeight() + 2 * margin, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    b.RenderTo(p);
    return image;
}

// zbarimg's lines ("CODE-128:1234567") for an image, saved as a PNG in a
// temporary folder; `settings` are zbarimg's -S options ("upca.enable").
inline QStringList zbar(const QImage& image, const QStringList& settings = {})
{
    QTemporaryDir dir;
    const QString path = dir.filePath("barcode.png");
    if (!image.save(path))
        return {"<PNG not written>"};
    QStringList args{"--nodbus", "-q"};
    for (const QString& s : settings)
        args << "-S" + s;
    args << path;
    QProcess p;
    p.start("zbarimg", args);
    if (!p.waitForFinished(30000))
        return {"<zbarimg did not finish>"};
    QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    return lines;
}

// One page of a PDF (the first is 1) as pdftoppm renders it at `dpi` dots
// per inch, or only the part `pixels` of it (in pixels of that resolution),
// written as "stem.ppm"; the file's path. The same pixels as a PNG, without
// the PNG's compression: poppler takes ten times longer to compress a page
// than to render it, and zbarimg reads the file once. "<pdftoppm failed>"
// when the tool fails.
inline QString pdfPageImage(const QString& pdf, int page, const QString& stem, const QRect& pixels = QRect(),
                            int dpi = 300)
{
    QStringList args{"-r", QString::number(dpi), "-singlefile", "-f", QString::number(page), "-l",
                     QString::number(page)};
    if (!pixels.isNull())
        args << "-x" << QString::number(pixels.left()) << "-y" << QString::number(pixels.top()) << "-W"
             << QString::number(pixels.width()) << "-H" << QString::number(pixels.height());
    args << pdf << stem;
    QProcess p;
    p.start("pdftoppm", args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return "<pdftoppm failed>";
    return stem + ".ppm";
}

// zbarimg's lines for a file (a page rendered from a PDF); the failure of
// the tool that was to write the file ("<pdftoppm failed>") as it is.
inline QStringList zbarFile(const QString& path)
{
    if (path.startsWith('<'))
        return {path};
    QProcess p;
    p.start("zbarimg", {"--nodbus", "-q", path});
    if (!p.waitForFinished(30000))
        return {"<zbarimg did not finish>"};
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

inline bool dark(QRgb c)
{
    return qGray(c) < 128;
}

// The runs of dark and light pixels along a line of pixels, first run
// first; `dark` says whether the first run is dark.
struct Runs {
    std::vector<int> widths;
    bool firstDark = false;
};

inline Runs runs(const std::vector<QRgb>& pixels)
{
    Runs r;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const bool d = dark(pixels[i]);
        if (i == 0)
            r.firstDark = d;
        if (i == 0 || d != dark(pixels[i - 1]))
            r.widths.push_back(1);
        else
            ++r.widths.back();
    }
    return r;
}

inline std::vector<QRgb> row(const QImage& image, int y)
{
    std::vector<QRgb> out;
    for (int x = 0; x < image.width(); ++x)
        out.push_back(image.pixel(x, y));
    return out;
}

inline std::vector<QRgb> column(const QImage& image, int x)
{
    std::vector<QRgb> out;
    for (int y = 0; y < image.height(); ++y)
        out.push_back(image.pixel(x, y));
    return out;
}

// The element widths a module string stands for, in units.
inline std::vector<int> elementWidths(TBarcode& b)
{
    const QString modules = b.BuildModules();
    std::vector<int> out;
    for (QChar m : modules)
        out.push_back(b.ElementWidth(m));
    return out;
}

// The bars and spaces between the quiet zones of a line: the runs without
// the light runs at both ends.
inline std::vector<int> symbolRuns(const std::vector<QRgb>& pixels)
{
    Runs r = runs(pixels);
    std::vector<int> w = r.widths;
    if (!r.firstDark && !w.empty())
        w.erase(w.begin());
    if (w.size() % 2 == 0 && !w.empty())
        w.pop_back();
    return w;
}

} // namespace BarcodeTest
