#pragma once

#include <string>
#include <vector>

#include "truetype/TtfConverter.h"

namespace pixmere {

// The characters of a finished conversion that the face draws but that came out without ink,
// or whose outline, where the fitting placed it, reaches more than a pixel outside the cell: their
// codes, in order. A conversion that kept no outlines has none to tell.
std::vector<int> LostCharacters(const TtfImportResult& result);

// What the user is told about them (empty for none): how many, which (the first few), and, for
// the X-height fitting, that the whole-face fitting keeps them; `keeps` names that choice as
// the user makes it ("Fit: whole face" in the dialog, "--fit face" in the tool).
std::string LostCharactersMessage(const std::vector<int>& codes, TtfFit fit,
                                  const std::string& keeps);

}  // namespace pixmere
