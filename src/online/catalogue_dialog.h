#pragma once
// One catalogue of the web service as a tree of areas, groups and packages with check boxes.
// The user ticks packages, may preview one in the word transfer window, and downloads the
// ticked ones into `downbal`, from where the filing dialog takes them.

#include "online/catalogue.h"
#include "online/online_session.h"
#include "ui/dialog_frame.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace lexivo {

class OwnerDrawnButton;
class WindowRequests;

class CatalogueDialog : public FramedDialog {
    Q_OBJECT
public:
    CatalogueDialog(Program& program, const OnlineSession& session, WindowRequests& requests, CatalogueKind kind,
                    QWidget* mainWindow);

    // Asks the server for the catalogue and fills the tree. False when it could not be had; the
    // user has been told why, and the window is not to be shown.
    bool fetch();

    // The tree as the user ticked it.
    const Catalogue& catalogue() const { return catalogue_; }
    QTreeWidget* tree() const { return tree_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillTree();
    void tickChanged(QTreeWidgetItem* item);
    void showTicks(QTreeWidgetItem* item);
    void selectionChanged(QTreeWidgetItem* item);
    void download();
    void preview();

    const OnlineSession& session_;
    WindowRequests& requests_;
    CatalogueKind kind_;
    Catalogue catalogue_;
    QTreeWidget* tree_ = nullptr;
    OwnerDrawnButton* preview_ = nullptr;
    bool showingTicks_ = false;
};

}  // namespace lexivo
