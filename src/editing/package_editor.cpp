#include "editing/package_editor.h"

#include <algorithm>

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>

#include "editing/editing_session.h"
#include "editing/export_dialog.h"
#include "editing/word_line_model.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/package_editor.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = package_editor_control;

constexpr QSize kWindowSize(700, 490);
constexpr int kWindowAbove = 250;  // the window's top lies this far above the screen's middle
constexpr int kRowHeight = 14;
constexpr int kTextRoom = 4;  // kept free after a label's text, so that rounding never cuts it
// The desktop's dialog font, 8 points: the drop-downs' places are given in its dialog units.
constexpr int kGuiFontHeight = 13;
constexpr int kPaintedTextHeight = 16;
constexpr QRect kNewWordFrame(QPoint(370, 70), QPoint(680, 180));
constexpr QRect kSelectedWordFrame(QPoint(370, 200), QPoint(680, 370));
constexpr QRect kCountArea(QPoint(20, 375), QPoint(340, 395));
constexpr QPoint kCountText(100, 375);

// The controls of the selected-word panel, shown while exactly one word is selected.
constexpr int kOneWordControls[] = {control::ChangedCzechLabel, control::ChangedEnglishLabel, control::ChangedCzech,
                                    control::ChangedEnglish,    control::Change,              control::Delete,
                                    control::ChangedExample,    control::ChangedExampleLabel, control::KnowledgeLabel,
                                    control::Knowledge};

QString qt(const std::string& text) { return QString::fromStdString(text); }

QStringList qtList(const auto& texts)
{
    QStringList list;
    for (const auto& text : texts) {
        list << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    return list;
}

}  // namespace

PackageEditor::PackageEditor(Program& program, EditingSession& session, QWidget* mainWindow,
                             const QStringList& packages, int currentPackage, EditorStart start)
    : FramedDialog(program, mainWindow, centredCorner(program, kWindowSize.width(), kWindowAbove), kWindowSize),
      session_(session),
      start_(start),
      editing_(program.tree, program.collection.currentGroup(), localeNameOrder()),
      packages_(packages)
{
    setCloseKeys(CloseKeys::Swallow);  // "OK" is the only way out
    createControls();
    {
        const QSignalBlocker quiet(package_);
        package_->setCurrentIndex(currentPackage);
    }
    editing_.showPackage(package_->currentText().toStdString());
    showLines();
    newEnglish_->setFocus();
    attachControlBehaviour(this, WindowKind::PackageEditor);
}

PackageEditor::~PackageEditor() = default;

QLabel* PackageEditor::addLabel(int id, const QString& text, QRect place, int fontHeight, int roomUpTo)
{
    // A label may use the room up to the next control, and its font shrinks only if even that is short.
    if (roomUpTo > 0) {
        place.setRight(roomUpTo - 1);
    }
    return addStatic(this, id, text, place, fittedFont(cellFont(kTahoma, fontHeight), text, place.width() - kTextRoom));
}

QLineEdit* PackageEditor::addEdit(int id, QRect place)
{
    auto* edit = new QLineEdit(this);
    setControlId(edit, id);
    edit->setGeometry(place);
    edit->setFont(cellFont(kTahoma, kGuiFontHeight));
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base, toQColor(program_.scheme().editColour));
    colours.setColor(QPalette::Text, toQColor(fixed_colour::kControlText));
    edit->setPalette(colours);
    return edit;
}

QComboBox* PackageEditor::addDropDown(int id, QRect place, const QStringList& entries, int roomUpTo)
{
    auto* dropDown = new QComboBox(this);
    setControlId(dropDown, id);
    dropDown->setFont(cellFont(kTahoma, kGuiFontHeight));
    dropDown->addItems(entries);
    // Wide enough for its longest entry, as far as the room beside it allows.
    place.setWidth(std::clamp(dropDown->sizeHint().width(), place.width(), std::max(roomUpTo - place.left(), place.width())));
    place.setHeight(dropDown->sizeHint().height());
    dropDown->setGeometry(place);
    QPalette colours = dropDown->palette();
    for (QPalette::ColorRole role : {QPalette::Button, QPalette::Base}) {
        colours.setColor(role, toQColor(program_.scheme().dialogColour));
    }
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::Text}) {
        colours.setColor(role, toQColor(fixed_colour::kControlText));
    }
    dropDown->setPalette(colours);
    return dropDown;
}

OwnerDrawnButton* PackageEditor::addButton(int id, const QString& text, QRect place)
{
    auto* button = new OwnerDrawnButton(program_, WindowKind::PackageEditor, id, text, this);
    button->setGeometry(place);
    return button;
}

void PackageEditor::createControls()
{
    const DialogUnits units(templateFont(kTahoma, 8));
    const QString foreignLabel = program_.language.fieldLabel;

    auto* title = addStatic(this, control::Title, "Úprava balíčků", QRect(0, 0, 700, 50), cellFont(kArial, 40));
    title->setAlignment(Qt::AlignCenter);
    addLabel(control::PackageLabel, "Upravovaný balíček:", QRect(20, 70, 150, 25), 20, units.x(107));
    package_ = addDropDown(control::OtherPackage, units.rect(107, 43, 120, 177), packages_, 340);

    model_ = new WordLineModel(kRowHeight, this);
    wordList_ = new QListView(this);
    setControlId(wordList_, control::WordList);
    wordList_->setGeometry(20, 120, 320, 250);
    wordList_->setModel(model_);
    wordList_->setItemDelegate(new OwnerDrawnItemDelegate(program_, wordList_));
    wordList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    wordList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    wordList_->setUniformItemSizes(true);
    wordList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    wordList_->setFont(cellFont(kTahoma, kGuiFontHeight));
    QPalette listColours = wordList_->palette();
    listColours.setColor(QPalette::Base, toQColor(program_.scheme().dialogColour));
    wordList_->setPalette(listColours);

    // The new word, always shown.
    addLabel(control::NewEnglishLabel, foreignLabel, QRect(380, 90, 75, 20), 20);
    newEnglish_ = addEdit(control::NewEnglish, QRect(455, 90, 100, 20));
    addLabel(control::NewCzechLabel, "Česky:", QRect(380, 120, 55, 20), 20);
    newCzech_ = addEdit(control::NewCzech, QRect(455, 120, 100, 20));
    addLabel(control::NewExampleLabel, "Použití ve větě:", QRect(380, 150, 105, 20), 20, 487);
    newExample_ = addEdit(control::NewExample, QRect(487, 150, 175, 20));
    connect(addButton(control::Add, "Přidat", QRect(565, 90, 100, 50)), &QPushButton::clicked, this, &PackageEditor::add);

    // The selected word.
    addLabel(control::ChangedEnglishLabel, foreignLabel, QRect(380, 230, 75, 20), 20);
    changedEnglish_ = addEdit(control::ChangedEnglish, QRect(455, 230, 100, 20));
    addLabel(control::ChangedCzechLabel, "Česky:", QRect(380, 255, 55, 20), 20);
    changedCzech_ = addEdit(control::ChangedCzech, QRect(455, 255, 100, 20));
    addLabel(control::ChangedExampleLabel, "Použití ve větě:", QRect(380, 280, 105, 20), 20, 487);
    changedExample_ = addEdit(control::ChangedExample, QRect(487, 280, 175, 20));
    change_ = addButton(control::Change, "Změnit", QRect(565, 227, 100, 50));
    change_->setProhibited([this] { return !editing_.changeAllowed(shownFields(), knowledge_->currentIndex()); });
    connect(change_, &QPushButton::clicked, this, &PackageEditor::change);
    addLabel(control::KnowledgeLabel, "Znalost:", QRect(400, 314, 105, 20), 17);
    knowledge_ = addDropDown(control::Knowledge, units.rect(262, 205, 48, 100), qtList(kKnowledgeLabels), 480);
    connect(addButton(control::Delete, "Smazat", QRect(485, 320, 100, 35)), &QPushButton::clicked, this,
            &PackageEditor::deleteWord);
    for (QLineEdit* field : {changedEnglish_, changedCzech_, changedExample_}) {
        connect(field, &QLineEdit::textChanged, change_, qOverload<>(&QWidget::update));
    }
    connect(knowledge_, &QComboBox::currentIndexChanged, change_, qOverload<>(&QWidget::update));

    auto* noWord = addStatic(this, control::NoWordSelected, "Není vybráno žádné slovíčko", QRect(400, 225, 250, 120),
                             cellFont(kTahoma, 20));
    noWord->setAlignment(Qt::AlignCenter);
    noWord->setWordWrap(true);
    connect(addButton(control::DeleteSelected, "Smazat všechna vybraná", QRect(393, 275, 270, 50)),
            &QPushButton::clicked, this, &PackageEditor::deleteSelectedWords);
    selectedCount_ = addStatic(this, control::SelectedCount, QString(), QRect(400, 220, 250, 50), cellFont(kTahoma, 20));
    selectedCount_->setAlignment(Qt::AlignCenter);

    addLabel(control::SortLabel, "Řadit podle:", QRect(50, 427, 90, 25), 20, units.x(92));
    sortOrder_ = addDropDown(control::SortOrder, units.rect(92, 264, 75, 177),
                             qtList(wordOrderLabels(program_.language.sortOrder.toStdString())), 285);
    connect(addButton(control::Ok, "OK", QRect(290, 420, 120, 50)), &QPushButton::clicked, this, &QDialog::accept);
    print_ = addButton(control::Print, "Tisk", QRect(445, 430, 115, 25));
    connect(print_, &QPushButton::clicked, this, &PackageEditor::print);

    connect(package_, &QComboBox::currentIndexChanged, this, [this](int index) { choosePackage(index); });
    connect(sortOrder_, &QComboBox::currentIndexChanged, this,
            [this](int index) { chooseOrder(static_cast<WordOrder>(index)); });
    connect(wordList_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &PackageEditor::selectionChanged);
}

void PackageEditor::run()
{
    reportUnreadablePackage();
    if (start_ == EditorStart::Print) {
        print();
        return;
    }
    exec();
}

int PackageEditor::chosenPackage() const { return package_->currentIndex(); }

void PackageEditor::choosePackage(int index)
{
    if (package_->currentIndex() != index) {
        const QSignalBlocker quiet(package_);
        package_->setCurrentIndex(index);
    }
    editing_.showPackage(package_->currentText().toStdString());
    showLines();
    reportUnreadablePackage();
}

// An empty list must not pass for a package without words when its file could not be read.
void PackageEditor::reportUnreadablePackage()
{
    if (const auto& failure = editing_.readFailure()) {
        program_.dialogs.showMessage(isVisible() ? this : parentWidget(), *failure);
    }
}

void PackageEditor::chooseOrder(WordOrder order)
{
    if (sortOrder_->currentIndex() != static_cast<int>(order)) {
        const QSignalBlocker quiet(sortOrder_);
        sortOrder_->setCurrentIndex(static_cast<int>(order));
    }
    editing_.showOrder(order);
    showLines();
}

void PackageEditor::showLines()
{
    filling_ = true;
    model_->setLines(editing_.lines());
    filling_ = false;
    editing_.clearSelection();
    showPanel(SelectionPanel::NoWord);
    print_->setVisible(editing_.canExport());
    update(kCountArea);
}

void PackageEditor::selectLine(std::size_t line)
{
    const QModelIndex index = model_->index(static_cast<int>(line));
    wordList_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    wordList_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    wordList_->scrollTo(index);
}

std::vector<std::size_t> PackageEditor::selectedLines() const
{
    std::vector<std::size_t> lines;
    for (const QModelIndex& index : wordList_->selectionModel()->selectedRows()) {
        lines.push_back(static_cast<std::size_t>(index.row()));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

void PackageEditor::selectionChanged()
{
    if (filling_) {
        return;
    }
    const std::vector<std::size_t> lines = selectedLines();
    const SelectionPanel panel = selectionPanelFor(lines.size());
    if (panel != SelectionPanel::OneWord) {
        editing_.clearSelection();
        selectedCount_->setText(qt(selectedCountText(lines.size())));
        showPanel(panel);
        return;
    }
    const QModelIndex index = model_->index(static_cast<int>(lines.front()));
    wordList_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    const Result<SelectedWord> selected = editing_.select(lines.front());
    if (!selected) {
        program_.dialogs.showMessage(this, selected.message());
        editing_.refill();
        showLines();
        return;
    }
    showSelectedWord(selected.value());
    showPanel(panel);
}

void PackageEditor::showPanel(SelectionPanel panel)
{
    for (int id : kOneWordControls) {
        findControl(this, id)->setVisible(panel == SelectionPanel::OneWord);
    }
    findControl(this, control::NoWordSelected)->setVisible(panel == SelectionPanel::NoWord);
    findControl(this, control::DeleteSelected)->setVisible(panel == SelectionPanel::ManyWords);
    selectedCount_->setVisible(panel == SelectionPanel::ManyWords);
    change_->update();
}

void PackageEditor::showSelectedWord(const SelectedWord& word)
{
    filling_ = true;
    changedEnglish_->setText(qt(word.fields.foreign));
    changedCzech_->setText(qt(word.fields.czech));
    changedExample_->setText(qt(word.fields.example));
    knowledge_->setCurrentIndex(word.initialLevel);
    filling_ = false;
}

void PackageEditor::restoreSelectedTexts()
{
    if (const auto& selected = editing_.selection()) {
        changedCzech_->setText(qt(selected->fields.czech));
        changedEnglish_->setText(qt(selected->fields.foreign));
    }
    wordList_->setFocus();
}

WordFields PackageEditor::newFields() const
{
    return {newEnglish_->text().toStdString(), newCzech_->text().toStdString(), newExample_->text().toStdString()};
}

WordFields PackageEditor::shownFields() const
{
    return {changedEnglish_->text().toStdString(), changedCzech_->text().toStdString(),
            changedExample_->text().toStdString()};
}

void PackageEditor::focusField(EditorField field)
{
    QWidget* widget = wordList_;
    switch (field) {
    case EditorField::NewForeign: widget = newEnglish_; break;
    case EditorField::NewCzech: widget = newCzech_; break;
    case EditorField::NewExample: widget = newExample_; break;
    case EditorField::SelectedForeign: widget = changedEnglish_; break;
    case EditorField::SelectedCzech: widget = changedCzech_; break;
    case EditorField::SelectedExample: widget = changedExample_; break;
    case EditorField::WordList: break;
    }
    if (!widget->isVisibleTo(this)) {
        widget = wordList_;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->selectAll();
    }
    widget->setFocus();
}

void PackageEditor::showOutcome(const EditOutcome& outcome, std::size_t fillsBefore)
{
    if (outcome.message) {
        program_.dialogs.showMessage(this, *outcome.message);
    }
    if (editing_.fillCount() != fillsBefore) {
        showLines();
        if (outcome.lineToSelect) {
            selectLine(*outcome.lineToSelect);
        }
    }
    focusField(outcome.focus);
}

void PackageEditor::add()
{
    const std::size_t fills = editing_.fillCount();
    const EditOutcome outcome = editing_.addWord(newFields());
    if (outcome.written) {
        for (QLineEdit* field : {newEnglish_, newCzech_, newExample_}) {
            field->clear();
        }
    }
    showOutcome(outcome, fills);
}

void PackageEditor::change()
{
    const std::size_t fills = editing_.fillCount();
    const EditOutcome outcome = editing_.changeSelectedWord(shownFields(), knowledge_->currentIndex());
    if (outcome.written || outcome.message) {
        showOutcome(outcome, fills);
    }
}

void PackageEditor::deleteWord()
{
    const std::vector<std::size_t> lines = selectedLines();
    if (lines.size() != 1 || !program_.dialogs.askYesNo(this, PackageEditing::deleteWordQuestion())) {
        return;
    }
    const std::size_t fills = editing_.fillCount();
    showOutcome(editing_.deleteSelectedWord(lines.front()), fills);
}

void PackageEditor::deleteSelectedWords()
{
    if (!program_.dialogs.askYesNo(this, PackageEditing::deleteWordsQuestion())) {
        return;
    }
    const std::size_t fills = editing_.fillCount();
    showOutcome(editing_.deleteWords(selectedLines()), fills);
}

void PackageEditor::print()
{
    ExportDialog exporting(program_, session_, *this);
    exporting.exec();
    if (!isVisible()) {
        accept();  // opened for printing only: done as with "OK"
    }
}

void PackageEditor::keyPressEvent(QKeyEvent* event)
{
    // Esc in the selected word's expressions puts back what the file holds.
    QWidget* focus = focusWidget();
    if (event->key() == Qt::Key_Escape && (focus == changedEnglish_ || focus == changedCzech_)) {
        restoreSelectedTexts();
        return;
    }
    FramedDialog::keyPressEvent(event);
}

void PackageEditor::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor dialogColour = toQColor(program_.scheme().dialogColour);
    painter.setFont(cellFont(kTahoma, kPaintedTextHeight));
    painter.setBackground(dialogColour);
    const struct {
        QRect frame;
        const char* title;
    } frames[] = {{kNewWordFrame, "  Nové slovíčko  "}, {kSelectedWordFrame, "  Vybrané slovíčko  "}};
    for (const auto& [frame, frameTitle] : frames) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(dialogColour);
        painter.drawRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
        // The title cuts the frame's top line.
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.drawText(QRect(frame.left() + 20, frame.top() - 7, 300, kPaintedTextHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QString::fromUtf8(frameTitle));
        painter.setBackgroundMode(Qt::TransparentMode);
    }
    painter.drawText(QRect(kCountText, kCountArea.bottomRight()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     qt(editing_.wordCountText()));
}

}  // namespace lexivo
