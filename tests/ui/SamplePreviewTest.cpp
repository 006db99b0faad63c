// The sample text beneath the edit window: text set in the font as the printer prints it, and
// repainted where a command changed it.
#include "UiTestSupport.h"
#include "truetype/PrintedTextImage.h"
#include "ui/SamplePreview.h"

namespace pixmere::test {
namespace {

// What the view shows, as the middle of each of its first width x height dots: '#' ink, '.'
// paper, ':' the dotted frame of a missing character, '-' anything else.
std::string Dots(form1& document, int width, int height) {
    const QImage image = document.preview().canvas()->grab().toImage();
    const int zoom = document.preview().zoom();
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string& row = rows.emplace_back();
        for (int x = 0; x < width; ++x) {
            const QRgb c = image.pixel(x * zoom + zoom / 2, y * zoom + zoom / 2) | 0xFF000000;
            row += c == kInkRgb ? '#' : c == kPaperRgb ? '.' : c == kMissingRgb ? ':' : '-';
        }
    }
    return Joined(rows);
}

// Lines of cells, rows magnified, a missing character dotted, the baseline; then what a change
// repaints.
TEST(SamplePreview, PrintsTheTextAndRepaintsOnlyTheRowsACommandChanged) {
    Editor editor;
    // A and B, 3 x 2 pixels, printed three times as high; one row of downstroke.
    form1* doc = editor.frame->Newform(
        OpenedFont(FontFromPictures(Shape(3, 2, 0x41, 2, 1, 3), {{"#.#", ".#."}, {"###", "#.#"}})));
    // The font's own letters first.
    EXPECT_EQ(doc->preview().textBox()->toPlainText(), "AB");
    doc->preview().textBox()->setPlainText("AB\nBC");  // no C in the font
    EXPECT_EQ(Dots(*doc, 7, 13),
              Joined({"#.####-", "#.####-", "#.####-", ".#.#.#-", ".#.#.#-", ".#.#.#-", "###:.:-",
                      "###...-", "###:.:-", "#.#...-", "#.#:.:-", "#.#.:.-", "-------"}));
    // The baseline: the top edge of each line's downstroke row, in the edit window's red.
    doc->preview().baseline()->click();
    const QImage marked = doc->preview().canvas()->grab().toImage();
    for (const int y : {3 * 2, 9 * 2}) {
        EXPECT_EQ(marked.pixelColor(9, y), QColor(255, 0, 0)) << y;
        EXPECT_EQ(marked.pixelColor(9, y + 1), QColor(Qt::white)) << y;
    }

    // A, B, A on a line, then C, A: a change of A repaints its changed rows in the three cells
    // that show it and nothing else; a row command lays the text out again.
    MDIForm1& frame = *editor.frame;
    doc = NewFont(frame, {"5", "4", "41", "44", "2"});
    doc->preview().textBox()->setPlainText("ABA\nCA");
    SampleCanvas& canvas = *doc->preview().canvas();
    const struct {
        const char* change;
        std::function<void()> act;
        int firstRow, rows;
    } changes[] = {
        {"a stroke on row 2", [&] { Draw(*doc, 0, 1, 2); }, 2, 1},
        {"flipped: rows 1 and 2", [&] { doc->action("FlipVertical")->trigger(); }, 1, 2},
        {"undone: rows 1 and 2", [&] { Tool(frame, kUndo)->click(); }, 1, 2},
        {"another character picked: nothing",
         [&] { Click(doc->fontSupport(), CellCentre(*doc, 1)); }, 0, 0},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.change);
        Settle();
        canvas.TakePainted();
        c.act();
        Settle();
        // Zoom 2: a cell is 10 x 16 pixels, a glyph row 4 pixels high.
        QRegion expected;
        for (const QPoint cell : {QPoint(0, 0), QPoint(20, 0), QPoint(10, 16)}) {
            expected += QRect(cell.x(), cell.y() + c.firstRow * 4, 10, c.rows * 4);
        }
        EXPECT_EQ(canvas.TakePainted(), expected);
    }
    // A row more: the cells are a row higher.
    doc->action("Abottom")->trigger();
    EXPECT_EQ(doc->preview().printed()->cellHeight(), 5 * 2);
}

}  // namespace
}  // namespace pixmere::test
