#include "truetype/TtfFace.h"

#include <QFont>
#include <QFontDatabase>
#include <QRawFont>
#include <QTransform>
#include <unordered_map>

#include "model/UserError.h"

namespace pixmere {

namespace {

// The slant and the emboldening strength the toolkit's own synthesis uses, so a synthesised
// style looks the same here as in the rest of the desktop.
constexpr double kObliqueSlant = 0.2126;
constexpr double kEmboldenPerEm = 1.0 / 24.0;

constexpr int kBoldWeight = 600;

}  // namespace

struct TtfFace::Data {
    QRawFont raw;
    QString name;        // of a face made of outlines
    bool fixed = false;  // made of outlines: nothing more to load
    bool shear = false;  // synthesise the slant ourselves
    double emboldenShift = 0;
    double ascent = 0;
    double descent = 0;
    GlyphOutline empty;
    std::unordered_map<char32_t, GlyphOutline> outlines;
};

TtfFace TtfFace::Installed(const QString& family, bool bold, bool italic) {
    if (family.trimmed().isEmpty() || !QFontDatabase::hasFamily(family)) {
        throw UserError("The font \"" + family.toStdString() + "\" is not installed.");
    }
    QFont font(family);
    font.setPixelSize(static_cast<int>(GlyphOutline::kPixelSize));
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::NoFontMerging);
    // Outlines are scaled, never rasterised at this size: hinting would only cost time.
    font.setHintingPreference(QFont::PreferNoHinting);
    auto d = std::make_shared<Data>();
    d->raw = QRawFont::fromFont(font);
    if (!d->raw.isValid()) {
        throw UserError("The font \"" + family.toStdString() + "\" can not be used.");
    }
    d->raw.setPixelSize(GlyphOutline::kPixelSize);
    // The toolkit slants a face without an italic style in its outlines already, but only
    // emboldens when it rasterises itself: bold is ours to add.
    const int realWeight = QFontDatabase::weight(d->raw.familyName(), d->raw.styleName());
    if (bold && realWeight >= 0 && realWeight < kBoldWeight) {
        d->emboldenShift = GlyphOutline::kPixelSize * kEmboldenPerEm;
    }
    d->ascent = d->raw.ascent();
    d->descent = d->raw.descent();
    return TtfFace(d);
}

TtfFace TtfFace::FromFile(const QString& path, bool bold, bool italic) {
    auto d = std::make_shared<Data>();
    d->raw = QRawFont(path, GlyphOutline::kPixelSize, QFont::PreferNoHinting);
    if (!d->raw.isValid()) {
        throw UserError(path.toStdString() + ": this font file can not be loaded.");
    }
    d->shear = italic && d->raw.style() == QFont::StyleNormal;
    if (bold && d->raw.weight() < kBoldWeight) {
        d->emboldenShift = GlyphOutline::kPixelSize * kEmboldenPerEm;
    }
    d->ascent = d->raw.ascent();
    d->descent = d->raw.descent();
    return TtfFace(d);
}

TtfFace TtfFace::FromOutlines(const QString& name, double ascent,
                              const std::vector<std::pair<char32_t, QPainterPath>>& outlines,
                              double descent) {
    auto d = std::make_shared<Data>();
    d->name = name;
    d->fixed = true;
    d->ascent = ascent;
    d->descent = descent;
    for (const auto& [code, path] : outlines) {
        GlyphOutline outline;
        outline.path = path;
        outline.ascent = ascent;
        d->outlines[code] = outline;
    }
    return TtfFace(d);
}

QString TtfFace::FamilyName() const { return d_->fixed ? d_->name : d_->raw.familyName(); }

double TtfFace::Ascent() const { return d_->ascent; }

double TtfFace::Descent() const { return d_->descent; }

const GlyphOutline& TtfFace::Outline(const QString& text) const {
    if (text.isEmpty()) return d_->empty;
    // A surrogate half without its partner is no character: it draws nothing, rather than
    // the face's replacement mark or whatever code the halves would misread as.
    const char32_t code =
        text.at(0).isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate()
            ? QChar::surrogateToUcs4(text.at(0), text.at(1))
            : text.at(0).unicode();
    if (QChar::isSurrogate(code)) return d_->empty;
    const auto found = d_->outlines.find(code);
    if (found != d_->outlines.end()) return found->second;
    if (d_->fixed) return d_->empty;

    GlyphOutline outline;
    outline.ascent = d_->ascent;
    outline.emboldenShift = d_->emboldenShift;
    const QString one = QString::fromUcs4(&code, 1);
    const QList<quint32> glyphs = d_->raw.glyphIndexesForString(one);
    // Glyph 0 is the face's "missing character" box: such a character draws nothing.
    if (!glyphs.isEmpty() && glyphs.front() != 0) {
        // An installed face shares its FreeType face with the toolkit's text drawing, which
        // leaves a sub-pixel shift set on it; outlines read after that come out shifted. Asking
        // for the glyph's box first resets the shift, so outlines never depend on what text
        // the application drew before.
        (void)d_->raw.boundingRect(glyphs.front());
        outline.path = d_->raw.pathForGlyph(glyphs.front());
        if (d_->shear) {
            outline.path = QTransform(1, 0, -kObliqueSlant, 1, 0, 0).map(outline.path);
        }
    }
    return d_->outlines.emplace(code, std::move(outline)).first->second;
}

}  // namespace pixmere
