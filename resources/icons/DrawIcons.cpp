// Draws the editor's icons as small PNG files. Run once after changing a picture:
//   cmake --build build --target pixmere_draw_icons && build/src/app/pixmere_draw_icons
//   resources/icons
// The application icon pixmere.png is not drawn here: it is the 32-pixel rendering of
// packaging/icons/pixmere.svg, copied from build/packaging/icons/32x32/.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <cstdio>
#include <functional>

namespace {

const QColor kInk(30, 30, 30);
const QColor kPaper(250, 250, 245);
const QColor kBlue(40, 90, 200);
const QColor kYellow(240, 200, 40);

QImage Canvas(int size = 24) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// An inked outline around a fill: a sheet of paper unless told otherwise.
void Box(QPainter& p, QRect r, QColor fill = kPaper) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(fill);
    p.drawRect(r);
}

// A small letter as pixels, the editor's own subject.
void PixelGlyph(QPainter& p, int x0, int y0, int cell, QColor colour) {
    static const char* rows[] = {".##.", "#..#", "####", "#..#", "#..#"};
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 4; ++i)
            if (rows[j][i] == '#') p.drawRect(x0 + i * cell, y0 + j * cell, cell, cell);
}

void Arrow(QPainter& p, int size, int degrees) {
    p.translate(size / 2.0, size / 2.0);
    p.rotate(degrees);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    const double s = size / 24.0;
    QPolygonF arrow({{0, -9 * s},
                     {8 * s, 0},
                     {3 * s, 0},
                     {3 * s, 9 * s},
                     {-3 * s, 9 * s},
                     {-3 * s, 0},
                     {-8 * s, 0}});
    p.drawPolygon(arrow);
}

void Curl(QPainter& p, bool mirrored) {
    if (mirrored) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kBlue, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(7, 9);
    path.cubicTo(12, 4, 21, 7, 20, 14);
    path.cubicTo(19, 19, 13, 20, 10, 18);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({{3, 5}, {11, 5}, {4, 13}}));
}

void Magnifier(QPainter& p, bool plus) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 2));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(10, 10), 7, 7);
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(QPen(kBlue, 2));
    p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
    if (plus) p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
}

bool Save(const QImage& image, const QString& dir, const char* name) {
    const QString path = QDir(dir).filePath(QString::fromLatin1(name));
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage Draw(int size, const std::function<void(QPainter&)>& draw) {
    QImage image = Canvas(size);
    QPainter p(&image);
    draw(p);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    bool ok = true;
    ok &= Save(Draw(24,
                    [](QPainter& p) {
                        Box(p, QRect(4, 2, 15, 19));
                        PixelGlyph(p, 7, 6, 2, kInk);
                        p.setPen(Qt::NoPen);
                        p.setBrush(kYellow);
                        p.drawEllipse(QPointF(18, 18), 4.5, 4.5);
                    }),
               dir, "new.png");
    ok &= Save(Draw(24,
                    [](QPainter& p) {
                        Box(p, QRect(2, 6, 19, 14), kYellow.darker(120));
                        p.setBrush(kYellow);
                        p.drawPolygon(QPolygon({{2, 20}, {6, 10}, {23, 10}, {20, 20}}));
                        PixelGlyph(p, 11, 1, 1, kBlue);
                    }),
               dir, "open.png");
    ok &= Save(Draw(24,
                    [](QPainter& p) {
                        Box(p, QRect(2, 2, 19, 19), kBlue);
                        Box(p, QRect(6, 3, 11, 7));
                        Box(p, QRect(6, 14, 11, 7), QColor(200, 200, 200));
                    }),
               dir, "save.png");
    ok &= Save(Draw(24,
                    [](QPainter& p) {
                        Box(p, QRect(2, 2, 12, 15));
                        PixelGlyph(p, 4, 5, 2, kInk);
                        Box(p, QRect(9, 7, 12, 15));
                        PixelGlyph(p, 11, 10, 2, kInk);
                    }),
               dir, "copy.png");
    ok &= Save(Draw(24,
                    [](QPainter& p) {
                        Box(p, QRect(3, 4, 15, 18), QColor(180, 130, 70));
                        Box(p, QRect(7, 2, 7, 4), QColor(200, 200, 200));
                        Box(p, QRect(10, 9, 11, 13));
                        PixelGlyph(p, 12, 11, 2, kInk);
                    }),
               dir, "paste.png");
    ok &= Save(Draw(24, [](QPainter& p) { Curl(p, false); }), dir, "undo.png");
    ok &= Save(Draw(24, [](QPainter& p) { Curl(p, true); }), dir, "redo.png");
    ok &= Save(Draw(32, [](QPainter& p) { Arrow(p, 32, 0); }), dir, "up.png");
    ok &= Save(Draw(32, [](QPainter& p) { Arrow(p, 32, 180); }), dir, "down.png");
    ok &= Save(Draw(32, [](QPainter& p) { Arrow(p, 32, 270); }), dir, "left.png");
    ok &= Save(Draw(32, [](QPainter& p) { Arrow(p, 32, 90); }), dir, "right.png");
    ok &= Save(Draw(24, [](QPainter& p) { Magnifier(p, true); }), dir, "zoomin.png");
    ok &= Save(Draw(24, [](QPainter& p) { Magnifier(p, false); }), dir, "zoomout.png");
    ok &= Save(Draw(64,
                    [](QPainter& p) {
                        p.setRenderHint(QPainter::Antialiasing);
                        p.setPen(Qt::NoPen);
                        p.setBrush(kBlue);
                        p.drawRoundedRect(2, 2, 60, 60, 10, 10);
                        p.setRenderHint(QPainter::Antialiasing, false);
                        PixelGlyph(p, 16, 12, 8, kPaper);
                    }),
               dir, "logo.png");
    return ok ? 0 : 1;
}
