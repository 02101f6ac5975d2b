#include "online/catalogue_dialog.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTreeWidget>

#include "online/communication_dialog.h"
#include "online/download_files.h"
#include "ui/control_ids/online_catalogue_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"
#include "ui/window_requests.h"

namespace lexivo {
namespace {

namespace control = online_catalogue_dialog_control;

constexpr int kWidth = 700;
constexpr int kNodeRole = Qt::UserRole;

const QString kIntroduction =
    "        Níže vidíte strukturu balíčků staženou z webu Brindle. Balíčky jsou sdružovány (jak je naším zvykem) do "
    "skupin, pro lepší přehlednost jsou zde i skupiny balíčků zařazovány do větších tematických celků. Zatrháním "
    "příslušných políček si vyberte balíčky, které chcete stáhnout na Váš PC jako slovní zásobu do programu Lexivo. "
    "Pokud zatrhnete políčko některé skupiny (tedy ne konkrétního balíčku), budou automaticky zatrhány všechny "
    "podřízené položky.";

int windowHeight(const Program& program) { return program.grid.y(900); }

CatalogueNode* nodeOf(const QTreeWidgetItem* item)
{
    return item ? reinterpret_cast<CatalogueNode*>(item->data(0, kNodeRole).value<quintptr>()) : nullptr;
}

QTreeWidgetItem* makeItem(CatalogueNode& node, const QFont& bold)
{
    auto* item = new QTreeWidgetItem(QStringList(QString::fromStdString(node.text)));
    item->setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(&node)));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, node.ticked ? Qt::Checked : Qt::Unchecked);
    if (node.level != CatalogueNode::Level::Package) {
        item->setFont(0, bold);
    }
    for (CatalogueNode& child : node.children) {
        item->addChild(makeItem(child, bold));
    }
    return item;
}

}  // namespace

CatalogueDialog::CatalogueDialog(Program& program, const OnlineSession& session, WindowRequests& requests,
                                 CatalogueKind kind, QWidget* mainWindow)
    : FramedDialog(program, mainWindow, centredCorner(program, kWidth, windowHeight(program) / 2),
                   QSize(kWidth, windowHeight(program))),
      session_(session),
      requests_(requests),
      kind_(kind)
{
    const int height = windowHeight(program);
    const int free = height - 250;
    tree_ = new QTreeWidget(this);
    setControlId(tree_, control::Tree);
    tree_->setGeometry(50, 160, 400, height - 180);
    tree_->setHeaderHidden(true);
    tree_->setFont(cellFont(kArial, 16));
    QPalette colours = tree_->palette();
    colours.setColor(QPalette::Base, toQColor(program.scheme().dialogColour));
    tree_->setPalette(colours);
    connect(tree_, &QTreeWidget::itemChanged, this, &CatalogueDialog::tickChanged);
    connect(tree_, &QTreeWidget::currentItemChanged, this, &CatalogueDialog::selectionChanged);

    preview_ = new OwnerDrawnButton(program, WindowKind::OnlineCatalogue, control::Preview, "Náhled", this);
    preview_->setGeometry(515, free / 2 + 109, 120, 35);
    preview_->hide();
    connect(preview_, &QPushButton::clicked, this, &CatalogueDialog::preview);
    auto* download = new OwnerDrawnButton(program, WindowKind::OnlineCatalogue, control::Download, "Stáhnout vybrané", this);
    download->setGeometry(475, free / 2 + 179, 200, 43);
    connect(download, &QPushButton::clicked, this, &CatalogueDialog::download);
    auto* cancel = new OwnerDrawnButton(program, WindowKind::OnlineCatalogue, control::Cancel, "Storno", this);
    cancel->setGeometry(535, free + 173, 80, 27);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    tree_->setFocus();
}

bool CatalogueDialog::fetch()
{
    QWidget* owner = parentWidget();
    const auto body =
        runServerRequest(program_, session_, owner, catalogueRequest(session_.address, kind_));
    if (!body) {
        return false;
    }
    Result<Catalogue> catalogue = readCatalogue(*body, localeNameOrder());
    if (!catalogue) {
        program_.dialogs.showMessage(owner, catalogue.message());
        return false;
    }
    catalogue_ = std::move(catalogue).value();
    fillTree();
    return true;
}

void CatalogueDialog::fillTree()
{
    const QSignalBlocker quiet(tree_);
    tree_->clear();
    QFont bold = tree_->font();
    bold.setBold(true);
    QList<QTreeWidgetItem*> areas;
    for (CatalogueNode& area : catalogue_) {
        areas << makeItem(area, bold);
    }
    tree_->addTopLevelItems(areas);
    if (areasShownExpanded(kind_)) {
        for (QTreeWidgetItem* area : areas) {
            area->setExpanded(true);
        }
    }
}

// Ticking or unticking an item does the same to everything under it.
void CatalogueDialog::tickChanged(QTreeWidgetItem* item)
{
    CatalogueNode* node = nodeOf(item);
    const bool ticked = item->checkState(0) == Qt::Checked;
    if (showingTicks_ || node == nullptr || node->ticked == ticked) {
        return;
    }
    setTicked(*node, ticked);
    showingTicks_ = true;
    showTicks(item);
    showingTicks_ = false;
}

void CatalogueDialog::showTicks(QTreeWidgetItem* item)
{
    item->setCheckState(0, nodeOf(item)->ticked ? Qt::Checked : Qt::Unchecked);
    for (int i = 0; i < item->childCount(); ++i) {
        showTicks(item->child(i));
    }
}

void CatalogueDialog::selectionChanged(QTreeWidgetItem* item)
{
    const CatalogueNode* node = nodeOf(item);
    preview_->setVisible(node != nullptr && node->level == CatalogueNode::Level::Package);
}

void CatalogueDialog::download()
{
    const Result<std::string> selection = selectionList(catalogue_, kind_);
    if (!selection) {
        program_.dialogs.showMessage(this, selection.message());
        return;
    }
    if (!program_.dialogs.askYesNo(this, downloadQuestion())) {
        return;
    }
    const auto body =
        runServerRequest(program_, session_, this, downloadRequest(session_.address, kind_, *selection));
    if (!body) {
        return;
    }
    if (Status saved = saveDownload(program_.tree, *body); !saved) {
        program_.dialogs.showMessage(this, saved.message());
        return;
    }
    accept();
}

void CatalogueDialog::preview()
{
    const CatalogueNode* package = nodeOf(tree_->currentItem());
    if (package == nullptr || package->level != CatalogueNode::Level::Package) {
        return;
    }
    if (auto refused = checkPreviewGroup(program_.collection)) {
        program_.dialogs.showMessage(this, *refused);
        return;
    }
    const auto body =
        runServerRequest(program_, session_, this, previewRequest(session_.address, kind_, *package));
    if (!body) {
        return;
    }
    const std::string group = program_.collection.currentGroup();
    if (Status saved = savePreview(program_.tree, group, *body); !saved) {
        program_.dialogs.showMessage(this, saved.message());
        return;
    }
    requests_.openOnlinePackagePreview();
    removePreview(program_.tree, group);
}

void CatalogueDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
    } else if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && isCloseKey(event->key())) {
        button->click();
    }
}

void CatalogueDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setFont(cellFont(kArial, 40));
    painter.drawText(QRect(0, 0, kWidth, 65), Qt::AlignCenter, QString::fromUtf8(catalogueHeading(kind_).data()));
    // The text may reach down to the tree: five lines of it need a little more than its box.
    const QRect introduction(QPoint(30, 65), QPoint(670, tree_->y() - 2));
    painter.setFont(fittedWrappedFont(cellFont(kArial, 17), kIntroduction, introduction.size()));
    painter.drawText(introduction, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, kIntroduction);
}

}  // namespace lexivo
