#pragma once

#include "model/Font.h"

namespace pixmere {

// The eight commands that grow or shrink every glyph of a font by one row or column, named
// after their menu handlers: A(dd) or R(emove), then the edge.
enum class GeometryCommand { Atop, Abottom, Aleft, Aright, Rtop, Rbottom, Rleft, Rright };

// Whether the command keeps the geometry within 1..255 rows and columns.
bool GeometryAllowed(const FontParams& params, GeometryCommand command);

// Rebuilds every glyph with the new geometry and updates the parameters; NbCar and the codes
// stay, and so does jambon unless a removed row leaves the font lower than it. Padding bits follow
// the bytes they sit in: adding a column on the right brings the first padding bit into the glyph.
// Returns false, changing nothing, when not allowed.
bool ChangeGeometry(Font& font, GeometryCommand command);

}  // namespace pixmere
