#pragma once
// The word transfer window: two packages side by side, and words moved, copied and deleted
// between them. The same window lists the words remaining in a test, the downloaded online
// store and the preview of an online package. Every decision is the core's (WordTransfer).

#include <array>
#include <functional>
#include <string>

#include <QPointer>

#include "editing/word_transfer.h"
#include "ui/dialog_frame.h"

class QComboBox;
class QListWidget;

namespace lexivo {

class CardAnimation;
class OwnerDrawnButton;

struct TransferOpening {
    // Transfer: the package both sides start on; remaining words: the package that receives them.
    std::string package;
    // Online store: runs when "OK" closes the window, with the window as the owner of what it shows.
    std::function<void(QWidget* transferWindow)> beforeClosing;
};

class WordTransferWindow : public FramedDialog {
    Q_OBJECT
public:
    WordTransferWindow(Program& program, QWidget* mainWindow, TransferMode mode, TransferOpening opening = {});

    QListWidget* wordList(Side side) const { return controls(side).words; }
    bool cardFlying() const;
    // Runs a button's operation on the lists' current selections, as its click does.
    void press(TransferButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closing is always what "OK" does.
    void reject() override;

private:
    struct SideControls {
        QComboBox* group = nullptr;
        QComboBox* package = nullptr;
        QListWidget* words = nullptr;
        QComboBox* order = nullptr;
    };

    SideControls& controls(Side side) { return sides_[side == Side::Left ? 0 : 1]; }
    const SideControls& controls(Side side) const { return sides_[side == Side::Left ? 0 : 1]; }
    void createControls();
    void createSide(Side side);
    OwnerDrawnButton* button(TransferButton button) const;
    void layOutForMode();
    void fillChoices(Side side);
    void showPackageChoices(Side side);
    void showLines(Side side);
    void chooseGroup(Side side);
    void reportUnreadable(Side side);
    void choosePackage(Side side);
    void chooseOrder(Side side);
    void keepPreviewSelection();
    void updateDeleteArrow();
    TransferSelection selection() const;
    void reselect(const TransferSelection& selection);
    void startFlight(TransferButton button);
    void closeWindow();
    void paintLabels(QPainter& painter);

    WordTransfer transfer_;
    TransferOpening opening_;
    std::array<SideControls, 2> sides_;
    QPointer<CardAnimation> flight_;
    bool closing_ = false;
};

}  // namespace lexivo
