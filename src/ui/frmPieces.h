#pragma once
// The piece chooser "Choose 6 Pieces": twelve pictures, a box above each,
// no buttons; the window closes only with exactly six boxes ticked.
#include "game/PieceChoice.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <cstdint>

class QCheckBox;

namespace quibix {

class frmPieces final : public QDialog {
public:
    frmPieces(const std::array<int16_t, 6>& intPiezas, const std::array<QImage, 12>& pictures,
              const std::array<QImage, 12>& masks, QWidget* parent);

    // The six pictures chosen, ascending; once the dialog has closed.
    std::array<int16_t, 6> chosen() const;

    // Every way of closing (close box, Escape) comes here.
    void reject() override;

protected:
    // A click on a picture works its box: a bigger target than the box.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chkSelectPieces_Click(int index, bool checked);

    PieceChoice choice_;
    std::array<QCheckBox*, kPieceBoxes> chkSelectPieces_{};
    std::array<QObject*, kPieceBoxes> picIcono_{};
};

} // namespace quibix
