#include "editing/import_preview_dialog.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTableView>
#include <QTableWidget>

#include "store/cp1250.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/import_preview_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {

namespace control = import_preview_dialog_control;

namespace {

// The window's template: the small dialogs' font; its places are dialog units of that font.
constexpr QSize kTemplateSize(420, 380);
constexpr int kLabelHeight = 16;
constexpr int kNameFieldLength = 255;
constexpr int kIndicatorRoom = 22;  // a check box's box and the gap after it
const QString kNoColumn = QStringLiteral("—");

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QSize windowSize()
{
    const DialogUnits units(templateFont());
    return units.size(kTemplateSize.width(), kTemplateSize.height());
}

// What a column holds, as the table's heading names it.
QString columnRoles(const ImportColumns& columns, int column)
{
    QStringList roles;
    if (columns.english == column) {
        roles << "Anglicky";
    }
    if (columns.czech == column) {
        roles << "Česky";
    }
    if (columns.example == column) {
        roles << "Příklad";
    }
    if (columns.level == column) {
        roles << "Znalost";
    }
    return roles.isEmpty() ? QString("Sloupec %1").arg(column + 1) : roles.join(", ");
}

}  // namespace

// Makes the window's controls in its fonts and the scheme's colours.
class ControlMaker {
public:
    ControlMaker(QWidget* window, const ColourScheme& scheme)
        : window_(window), editColour_(toQColor(scheme.editColour)), dialogColour_(toQColor(scheme.dialogColour))
    {
    }

    const QFont labelFont = cellFont(kArial, kLabelHeight);
    const QFont fieldFont = cellFont(kArial, 15);

    QLabel* label(int id, const QString& text, QRect place) const
    {
        return addStatic(window_, id, text, place, fittedFont(labelFont, text, place.width()));
    }
    void colour(QWidget* field) const
    {
        setFieldColours(field, editColour_, toQColor(fixed_colour::kControlText), dialogColour_, QColor(80, 80, 80));
    }
    QComboBox* dropDown(int id, QRect place) const
    {
        auto* box = new QComboBox(window_);
        setControlId(box, id);
        box->setFont(fieldFont);
        place.setHeight(box->sizeHint().height());
        box->setGeometry(place);
        colour(box);
        return box;
    }
    QCheckBox* checkBox(int id, const QString& text, QRect place) const
    {
        auto* box = new QCheckBox(text, window_);
        setControlId(box, id);
        box->setGeometry(place);
        box->setFont(fittedFont(labelFont, text, place.width() - kIndicatorRoom));
        return box;
    }
    // A read-only table.
    template <typename View>
    View* table(View* view, int id, QRect place) const
    {
        setControlId(view, id);
        view->setGeometry(place);
        view->setFont(fieldFont);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::NoSelection);
        view->horizontalHeader()->setFont(fieldFont);
        view->verticalHeader()->setFont(fieldFont);
        view->verticalHeader()->setDefaultSectionSize(QFontMetrics(fieldFont).height() + 6);
        colour(view);
        return view;
    }

private:
    QWidget* window_;
    QColor editColour_;
    QColor dialogColour_;
};

// The lines an import leaves out or changes: a model, since a large file may have many.
class ImportProblemModel final : public QAbstractTableModel {
public:
    explicit ImportProblemModel(QObject* parent) : QAbstractTableModel(parent) {}

    void show(std::vector<ImportProblem> problems)
    {
        beginResetModel();
        problems_ = std::move(problems);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(problems_.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 3; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        const ImportProblem& problem = problems_[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
        case 0: return problem.line;
        case 1: return qt(problem.reason);
        default: return problem.skipped ? QString("vynechán") : QString("upraven");
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
            return {};
        }
        static const QStringList headings = {"Řádek", "Důvod", "Řádek bude"};
        return headings.value(section);
    }

private:
    std::vector<ImportProblem> problems_;
};

ImportPreviewDialog::ImportPreviewDialog(Program& program, QWidget* mainWindow, ImportPreview preview,
                                         const QString& fileName)
    : FramedDialog(program, mainWindow, centredCorner(program, windowSize().width(), windowSize().height() / 2),
                   windowSize()),
      preview_(std::move(preview))
{
    setCloseKeys(CloseKeys::Swallow);
    createControls(fileName);
    showPreview();
    attachControlBehaviour(this, WindowKind::ImportPreview);
    packageName_->setFocus();
    packageName_->selectAll();
}

ImportPreviewDialog::~ImportPreviewDialog() = default;

void ImportPreviewDialog::createControls(const QString& fileName)
{
    const DialogUnits units(templateFont());
    const ControlMaker make(this, program_.scheme());
    createSettings(make, units, fileName);
    createLists(make, units);

    auto* ok = new OwnerDrawnButton(program_, WindowKind::ImportPreview, control::Ok, "OK", this);
    ok->setGeometry(units.rect(130, 344, 70, 28));
    connect(ok, &QPushButton::clicked, this, &ImportPreviewDialog::confirm);
    auto* cancel = new OwnerDrawnButton(program_, WindowKind::ImportPreview, control::Cancel, "Storno", this);
    cancel->setGeometry(units.rect(220, 350, 58, 16));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    connectControls();
    // Tab goes through the controls from the top.
    QWidget* order[] = {packageName_, encoding_, separator_, header_,        english_,        czech_, example_,
                        level_,       rows_,     problems_,  cutLongFields_, keepDuplicates_, ok,     cancel};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void ImportPreviewDialog::createSettings(const ControlMaker& make, const DialogUnits& units, const QString& fileName)
{
    const QRect fileNamePlace = units.rect(72, 30, 338, 10);
    make.label(control::FileLabel, "Soubor:", units.rect(10, 30, 60, 10));
    // A long name loses its middle rather than its end, which tells the files apart.
    const QString shownName = QFontMetrics(make.labelFont).elidedText(fileName, Qt::ElideMiddle, fileNamePlace.width() - 2);
    make.label(control::FileName, shownName, fileNamePlace)->setToolTip(fileName);

    make.label(control::PackageNameLabel, "Jméno balíčku:", units.rect(10, 45, 60, 10));
    packageName_ = new QLineEdit(qt(preview_.targetName()), this);
    setControlId(packageName_, control::PackageName);
    packageName_->setGeometry(units.rect(72, 44, 200, 12));
    packageName_->setFont(make.fieldFont);
    packageName_->setMaxLength(kNameFieldLength);
    make.colour(packageName_);
    targetNote_ = make.label(control::TargetNote, QString(), units.rect(72, 58, 338, 10));
    targetNote_->setFont(cellFont(kArial, 15, TextStyle::Bold));

    make.label(control::EncodingLabel, "Kódování:", units.rect(10, 74, 60, 10));
    encoding_ = make.dropDown(control::Encoding, units.rect(72, 72, 80, 13));
    for (ImportEncoding encoding : {ImportEncoding::Utf8, ImportEncoding::Windows1250}) {
        encoding_->addItem(qt(encodingLabel(encoding)));
    }
    make.label(control::SeparatorLabel, "Oddělovač:", units.rect(162, 74, 46, 10));
    separator_ = make.dropDown(control::Separator, units.rect(210, 72, 70, 13));
    for (ImportSeparator separator : {ImportSeparator::Comma, ImportSeparator::Semicolon, ImportSeparator::Tab}) {
        separator_->addItem(qt(separatorLabel(separator)));
    }
    header_ = make.checkBox(control::FirstRowIsHeader, "První řádek je záhlaví", units.rect(290, 73, 120, 11));
    const ImportSettings& settings = preview_.settings();
    encoding_->setCurrentIndex(static_cast<int>(settings.encoding));
    separator_->setCurrentIndex(static_cast<int>(settings.separator));
    header_->setChecked(settings.firstRowIsHeader);
    // A KDE document has no encoding, separator or header to choose.
    for (QWidget* choice : std::initializer_list<QWidget*>{encoding_, separator_, header_}) {
        choice->setEnabled(preview_.readsDelimitedText());
    }

    const std::pair<int, QString> columnLabels[] = {{control::EnglishLabel, "Anglicky:"},
                                                    {control::CzechLabel, "Česky:"},
                                                    {control::ExampleLabel, "Příklad:"},
                                                    {control::LevelLabel, "Znalost:"}};
    const int columnBoxes[] = {control::EnglishColumn, control::CzechColumn, control::ExampleColumn,
                               control::LevelColumn};
    QComboBox** boxes[] = {&english_, &czech_, &example_, &level_};
    for (int i = 0; i < 4; ++i) {
        const int x = 10 + 100 * i;
        make.label(columnLabels[i].first, columnLabels[i].second, units.rect(x, 92, 40, 10));
        *boxes[i] = make.dropDown(columnBoxes[i], units.rect(x + 41, 90, 56, 13));
    }
}

void ImportPreviewDialog::createLists(const ControlMaker& make, const DialogUnits& units)
{
    rows_ = make.table(new QTableWidget(this), control::PreviewTable, units.rect(10, 108, 400, 118));
    rows_->horizontalHeader()->setStretchLastSection(true);
    make.label(control::ProblemsLabel, "Vynechané a upravené řádky:", units.rect(10, 230, 200, 10));
    problems_ = make.table(new QTableView(this), control::ProblemList, units.rect(10, 241, 400, 56));
    problemModel_ = new ImportProblemModel(problems_);
    problems_->setModel(problemModel_);
    problems_->verticalHeader()->hide();
    // Fixed widths: measuring a long list's every row would slow each change down.
    QHeaderView* headings = problems_->horizontalHeader();
    const QFontMetrics metrics(make.fieldFont);
    headings->setSectionResizeMode(QHeaderView::Fixed);
    headings->setSectionResizeMode(1, QHeaderView::Stretch);
    headings->resizeSection(0, std::max(metrics.horizontalAdvance("Řádek"), metrics.horizontalAdvance("9999999")) + 16);
    headings->resizeSection(2, metrics.horizontalAdvance("Řádek bude") + 16);

    cutLongFields_ = make.checkBox(control::CutLongFields, "Zkrátit příliš dlouhá pole", units.rect(10, 301, 400, 11));
    keepDuplicates_ = make.checkBox(control::KeepDuplicates, "Přidat i slovíčka, která už balíček obsahuje",
                                    units.rect(10, 313, 400, 11));
    summary_ = make.label(control::Summary, QString(), units.rect(10, 327, 400, 12));
    summary_->setWordWrap(true);
}

void ImportPreviewDialog::connectControls()
{
    connect(packageName_, &QLineEdit::textEdited, this, [this](const QString& name) {
        if (preview_.setTargetName(name.toStdString())) {
            showPreview();  // another package's words: duplicates and room differ
        }
        targetNote_->setText(qt(preview_.targetNote()));
    });
    connect(encoding_, &QComboBox::currentIndexChanged, this, [this](int index) {
        preview_.setEncoding(static_cast<ImportEncoding>(index));
        showPreview();
    });
    connect(separator_, &QComboBox::currentIndexChanged, this, [this](int index) {
        preview_.setSeparator(static_cast<ImportSeparator>(index));
        showPreview();
    });
    connect(header_, &QCheckBox::toggled, this, [this](bool header) {
        preview_.setFirstRowIsHeader(header);
        showPreview();
    });
    for (QComboBox* box : {english_, czech_, example_, level_}) {
        connect(box, &QComboBox::activated, this, &ImportPreviewDialog::columnsChosen);
    }
    for (QCheckBox* box : {cutLongFields_, keepDuplicates_}) {
        connect(box, &QCheckBox::toggled, this, &ImportPreviewDialog::choicesChanged);
    }
}

void ImportPreviewDialog::showPreview()
{
    fillColumnBoxes();
    fillRows();
    problemModel_->show(preview_.plan().problems);
    targetNote_->setText(qt(preview_.targetNote()));
    summary_->setText(qt(preview_.summary()));
}

void ImportPreviewDialog::fillColumnBoxes()
{
    const ImportColumns& columns = preview_.settings().columns;
    const std::vector<ImportRow>& fileRows = preview_.table().rows;
    const bool named = preview_.settings().firstRowIsHeader && !fileRows.empty();
    QStringList names;
    for (int column = 0; column < preview_.columnChoices(); ++column) {
        QString name = QString("Sloupec %1").arg(column + 1);
        if (named && column < static_cast<int>(fileRows.front().cells.size())) {
            // A heading is a word or two; a hostile file's megabyte of text is cut.
            constexpr std::size_t kLongestHeading = 40;
            name += " (" + qt(firstCharacters(fileRows.front().cells[static_cast<std::size_t>(column)], kLongestHeading)) + ")";
        }
        names << name;
    }
    auto fill = [&](QComboBox* box, std::optional<int> chosen, bool optional) {
        const QSignalBlocker quiet(box);
        box->clear();
        if (optional) {
            box->addItem(kNoColumn);
        }
        box->addItems(optional ? names.mid(0, preview_.table().columnCount) : names);
        box->setCurrentIndex(chosen ? *chosen + (optional ? 1 : 0) : 0);
        widenListToEntries(box);
    };
    fill(english_, columns.english, false);
    fill(czech_, columns.czech, false);
    fill(example_, columns.example, true);
    fill(level_, columns.level, true);
}

void ImportPreviewDialog::fillRows()
{
    const ImportColumns& columns = preview_.settings().columns;
    const std::vector<ImportRow> shown = preview_.previewRows();
    const int columnCount = preview_.table().columnCount;
    rows_->clear();
    rows_->setColumnCount(columnCount);
    rows_->setRowCount(static_cast<int>(shown.size()));
    QStringList headings;
    for (int column = 0; column < columnCount; ++column) {
        headings << columnRoles(columns, column);
    }
    rows_->setHorizontalHeaderLabels(headings);
    QStringList lines;
    for (std::size_t row = 0; row < shown.size(); ++row) {
        lines << QString::number(shown[row].line);
        const std::vector<std::string>& cells = shown[row].cells;
        for (std::size_t column = 0; column < cells.size(); ++column) {
            rows_->setItem(static_cast<int>(row), static_cast<int>(column), new QTableWidgetItem(qt(cells[column])));
        }
    }
    rows_->setVerticalHeaderLabels(lines);
    rows_->resizeColumnsToContents();
}

void ImportPreviewDialog::columnsChosen()
{
    auto optionalColumn = [](const QComboBox* box) {
        return box->currentIndex() > 0 ? std::optional<int>(box->currentIndex() - 1) : std::nullopt;
    };
    ImportColumns columns;
    columns.english = std::max(english_->currentIndex(), 0);
    columns.czech = std::max(czech_->currentIndex(), 0);
    columns.example = optionalColumn(example_);
    columns.level = optionalColumn(level_);
    preview_.setColumns(columns);
    showPreview();
}

void ImportPreviewDialog::choicesChanged()
{
    preview_.setChoices({cutLongFields_->isChecked(), keepDuplicates_->isChecked()});
    showPreview();
}

void ImportPreviewDialog::confirm()
{
    const ImportConfirmOutcome outcome = preview_.confirm(program_.collection);
    if (outcome.message) {
        program_.dialogs.showMessage(this, *outcome.message);
    }
    if (outcome.focus == ImportPreviewField::PackageName) {
        packageName_->selectAll();
        packageName_->setFocus();
    }
    if (outcome.written()) {
        writtenPackage_ = outcome.package;
        accept();
    }
}

void ImportPreviewDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();  // as "Storno"
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter presses the focused button, and elsewhere "OK".
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget()); button && !qobject_cast<QCheckBox*>(button)) {
            button->click();
        } else {
            confirm();
        }
    } else {
        FramedDialog::keyPressEvent(event);
    }
}

void ImportPreviewDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setFont(cellFont(kArial, 30));
    painter.drawText(QRect(0, 10, width(), 34), Qt::AlignCenter | Qt::TextSingleLine, "Import slovíček ze souboru");
}

}  // namespace lexivo
