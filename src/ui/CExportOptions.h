#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "formats/CLayout.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace pixmere {

// "C File Options": the layout a C export writes (numbers, order, bit order, declaration,
// comments) or, for a GFX font, its advance. Modal; it opens with the choices last made,
// which the application's settings remember, and "Defaults" sets the ones that write the
// historical C file.
class CExportOptions : public QDialog {
    Q_OBJECT
public:
    // gfx: the choices of a GFX font instead of a C file's.
    CExportOptions(const CLayout& shown, bool gfx, QWidget* parent = nullptr);

    // Waits for the user: the layout Ok took, nothing after Cancel.
    std::optional<CLayout> Run();
    CLayout Chosen() const;
    void Show(const CLayout& layout);

    // One group of choices, in the order of CLayoutOptions(); hidden when not this type's.
    QGroupBox* group(std::size_t n) const { return groups_[n]; }
    QButtonGroup* choices(std::size_t n) const { return choices_[n]; }
    QPushButton* defaults() const { return defaults_; }
    QPushButton* ok() const { return ok_; }

private:
    std::vector<QGroupBox*> groups_;
    std::vector<QButtonGroup*> choices_;
    QPushButton* defaults_;
    QPushButton* ok_;
};

// The choices last made, as the application's settings keep them; the defaults when none.
CLayout RememberedLayout();
void RememberLayout(const CLayout& layout);

}  // namespace pixmere
