#pragma once

#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "truetype/GlyphOutline.h"

namespace pixmere {

// The face a TrueType import draws with: an installed family or a font file, with the bold and
// italic choices of the font dialog. Only this face is used: a character it lacks draws nothing
// rather than being borrowed from another face. Bold and italic that the face has no style for
// are synthesised. Copies share one outline cache.
class TtfFace {
public:
    // Throws UserError when no such family is installed.
    static TtfFace Installed(const QString& family, bool bold, bool italic);
    // Throws UserError when the file cannot be read as a font.
    static TtfFace FromFile(const QString& path, bool bold, bool italic);

    // A face made of given outlines (at GlyphOutline::kPixelSize, pen origin on the baseline),
    // an ascent and a descent: what is not listed draws nothing. For previews of shapes and for
    // checks that must not depend on a rasteriser's view of a real face.
    static TtfFace FromOutlines(const QString& name, double ascent,
                                const std::vector<std::pair<char32_t, QPainterPath>>& outlines,
                                double descent = 0);

    QString FamilyName() const;
    // The face's line metrics at GlyphOutline::kPixelSize: how far its lines reach above and
    // below the baseline.
    double Ascent() const;
    double Descent() const;

    // The outline of the first character of text (empty for an empty text, a character the face
    // does not have, or one that has no ink, such as the space).
    const GlyphOutline& Outline(const QString& text) const;

private:
    struct Data;
    explicit TtfFace(std::shared_ptr<Data> data) : d_(std::move(data)) {}
    std::shared_ptr<Data> d_;
};

}  // namespace pixmere
