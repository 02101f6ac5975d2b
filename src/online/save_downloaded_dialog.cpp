#include "online/save_downloaded_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>

#include "online/download_files.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/save_downloaded_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"
#include "ui/window_requests.h"

namespace lexivo {
namespace {

namespace control = save_downloaded_dialog_control;

DialogUnits templateUnits() { return DialogUnits(templateFont(kTahoma, 8)); }

QSize windowSize() { return templateUnits().size(398, 245); }

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

void paintWrapped(QPainter& painter, const QRect& area, int height, const QString& text,
                  TextStyle style = TextStyle::Plain)
{
    painter.setFont(fittedWrappedFont(cellFont(kArial, height, style), text, area.size()));
    painter.drawText(area, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
}

}  // namespace

SaveDownloadedDialog::SaveDownloadedDialog(Program& program, WindowRequests& requests, QWidget* mainWindow,
                                           FollowFiling follow)
    : FramedDialog(program, mainWindow, centredCorner(program, windowSize().width(), windowSize().height() / 2),
                   windowSize()),
      requests_(requests),
      follow_(std::move(follow)),
      filing_(FilingSession::fromDownload(program.collection))
{
    createControls();
    attachControlBehaviour(this, WindowKind::SaveDownloaded);
    recommended_->setFocus();
}

void SaveDownloadedDialog::createControls()
{
    const DialogUnits units = templateUnits();
    const QFont radioFont = cellFont(kArial, 16, TextStyle::Bold);
    const auto addRadio = [&](int id, const QString& text, QRect place) {
        auto* radio = new QRadioButton(text, this);
        setControlId(radio, id);
        radio->setFont(radioFont);
        radio->setGeometry(place.adjusted(0, -3, std::max(0, radio->sizeHint().width() - place.width()), 3));
        return radio;
    };
    recommended_ = addRadio(control::Recommended, "Použít doporučené umístění", units.rect(24, 81, 153, 10));
    recommended_->setChecked(true);
    manual_ = addRadio(control::Manual, "Nastavit umístění ručně", units.rect(24, 153, 129, 10));

    const ColourScheme& scheme = program_.scheme();
    const auto addField = [&](int id, QRect place) {
        auto* field = new QLineEdit(this);
        setControlId(field, id);
        field->setGeometry(place);
        field->setFont(cellFont(kArial, 15));
        QPalette colours = field->palette();
        colours.setColor(QPalette::Base, toQColor(scheme.editColour));
        colours.setColor(QPalette::Text, toQColor(fixed_colour::kControlText));
        field->setPalette(colours);
        field->hide();
        return field;
    };
    group_ = addField(control::Group, units.rect(141, 125, 112, 12));
    group_->setReadOnly(true);
    group_->setFocusPolicy(Qt::NoFocus);  // it only shows the group
    packageName_ = addField(control::PackageName, units.rect(141, 152, 169, 12));

    auto* change = new OwnerDrawnButton(program_, WindowKind::SaveDownloaded, control::ChangeGroup, "Změnit", this);
    change->setGeometry(units.rect(259, 124, 51, 14));
    change->hide();
    connect(change, &QPushButton::clicked, this, &SaveDownloadedDialog::changeGroup);
    auto* proceed = new OwnerDrawnButton(program_, WindowKind::SaveDownloaded, control::Continue, "Pokračovat", this);
    proceed->setGeometry(units.rect(141, 197, 116, 28));
    connect(proceed, &QPushButton::clicked, this, &SaveDownloadedDialog::proceed);
    auto* cancel = new OwnerDrawnButton(program_, WindowKind::SaveDownloaded, control::Cancel, "Storno", this);
    cancel->setGeometry(units.rect(36, 204, 64, 16));
    connect(cancel, &QPushButton::clicked, this, &SaveDownloadedDialog::reject);
}

void SaveDownloadedDialog::proceed()
{
    if (step_ == Step::ChooseLocation) {
        startFiling();
        return;
    }
    const FilingMode mode = manual_->isChecked() ? FilingMode::Manual : FilingMode::Automatic;
    showOutcome(filing_.proceed(mode, packageName_->text().toStdString(), GroupStep::SkipForFirstPackage));
}

// The first "Pokračovat": the location fields replace the choice, and with the recommended
// location every package is filed at once.
void SaveDownloadedDialog::startFiling()
{
    step_ = Step::FilePackages;
    recommended_->hide();
    manual_->hide();
    for (int id : {control::Group, control::PackageName, control::ChangeGroup}) {
        findControl(this, id)->show();
    }
    showGroup();
    packageName_->setText(fromUtf8(filing_.suggestedName()));
    header_ = filing_.finished() ? QString() : fromUtf8(displayedHeader(filing_.current().header));
    update();
    if (recommended_->isChecked()) {
        showOutcome(filing_.proceed(FilingMode::Automatic, filing_.suggestedName(), GroupStep::Run));
    } else {
        packageName_->setFocus();
        packageName_->selectAll();
    }
}

void SaveDownloadedDialog::showGroup()
{
    // A long group name is made smaller rather than cut, and shown from its start.
    const QString group = fromUtf8(program_.collection.currentGroup());
    group_->setFont(fittedFont(cellFont(kArial, 15), group, group_->width() - 8));
    group_->setText(group);
    group_->setCursorPosition(0);
    group_->setToolTip(group);
}

void SaveDownloadedDialog::showOutcome(const FilingOutcome& outcome)
{
    packageName_->setText(fromUtf8(outcome.packageNameField));
    showGroup();
    header_ = filing_.finished() ? QString() : fromUtf8(displayedHeader(filing_.current().header));
    update();
    follow_(outcome.lastFiledPackage);
    if (!outcome.shortenedPackages.empty()) {
        program_.dialogs.showMessage(this, shortenedPackagesMessage(outcome.shortenedPackages));
    }
    for (const Message& warning : outcome.warnings) {
        program_.dialogs.showMessage(this, warning);
    }
    if (outcome.message) {
        program_.dialogs.showMessage(this, *outcome.message);
    }
    switch (outcome.kind) {
    case FilingOutcome::Kind::Closed:
    case FilingOutcome::Kind::Finished:
        done(Accepted);
        return;
    case FilingOutcome::Kind::Stopped:
    case FilingOutcome::Kind::Waiting:
        break;
    }
    if (outcome.kind == FilingOutcome::Kind::Waiting || outcome.focusPackageName) {
        packageName_->setFocus();
        packageName_->selectAll();
    }
}

void SaveDownloadedDialog::changeGroup()
{
    requests_.openGroupDialog();
    showGroup();
    follow_(std::string());
}

void SaveDownloadedDialog::reject()
{
    if (program_.dialogs.askYesNo(this, filingCancelQuestion())) {
        done(Rejected);
    }
}

void SaveDownloadedDialog::done(int result)
{
    discardDownload(program_.tree);
    FramedDialog::done(result);
}

void SaveDownloadedDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
    } else if (isCloseKey(event->key())) {
        auto* button = qobject_cast<QPushButton*>(focusWidget());
        (button != nullptr ? button : findControlAs<QPushButton>(this, control::Continue))->click();
    } else {
        FramedDialog::keyPressEvent(event);
    }
}

void SaveDownloadedDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setFont(cellFont(kArial, 35));
    painter.drawText(QRect(QPoint(0, 0), QPoint(width(), 50)), Qt::AlignCenter, "Stahování online balíčků");
    if (step_ == Step::ChooseLocation) {
        paintChoice(painter);
    } else {
        paintPackage(painter);
    }
}

void SaveDownloadedDialog::paintChoice(QPainter& painter)
{
    paintWrapped(painter, QRect(QPoint(15, 55), QPoint(585, 120)), 17,
                 "        Vybrané balíčky nyní budou nakopírovány do Vaší databáze slovíček. Je pouze potřeba, abyste "
                 "nastavili požadované umístění jednotlivých balíčků.");
    const int underFirst = recommended_->geometry().bottom() + 4;
    paintWrapped(painter, QRect(QPoint(70, underFirst), QPoint(width() - 15, manual_->geometry().top() - 4)), 15,
                 "        Balíčky budou ukládány vždy do skupiny pojmenované podle tematického celku na internetu. "
                 "Samotný název balíčku bude složen ze jména podkupiny a jména balíčku.\nTedy například balíček "
                 "ALKOHOLICKÉ NÁPOJE, který na internetu spadá pod celek FOOD a podskupinu NÁPOJE bude uložen do "
                 "skupiny FOOD a pojmenován \"NÁPOJE - ALKOHOLICKÉ NÁPOJE\"");
    const int underSecond = manual_->geometry().bottom() + 4;
    paintWrapped(painter, QRect(QPoint(70, underSecond), QPoint(560, underSecond + 40)), 15,
                 "        U každého balíčku zvlášť budete přímo vybírat požadované umístění.");
}

void SaveDownloadedDialog::paintPackage(QPainter& painter)
{
    painter.setFont(cellFont(kArial, 17));
    painter.drawText(QPoint(30, 55 + painter.fontMetrics().ascent()), "Vyberte prosím požadované umístění balíčku.");
    painter.drawText(QPoint(30, 85 + painter.fontMetrics().ascent()), "Online balíček");
    const QRect headerArea(QPoint(51, 105), QPoint(width() - 10, 160));
    const QFont bold = fittedWrappedFont(cellFont(kArial, 17, TextStyle::Bold), header_, headerArea.size());
    painter.setFont(bold);
    const QRect used = painter.boundingRect(headerArea, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, header_);
    painter.drawText(headerArea, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, header_);
    const bool moreLines = used.height() > QFontMetrics(bold).lineSpacing() + 1;
    const int below = 125 + (moreLines ? 16 : 0);
    paintWrapped(painter, QRect(QPoint(16, below), QPoint(width() - 15, group_->geometry().top() - 4)), 17,
                 "        bude zkopírován do Vaší databáze. Vyberte skupinu, do které si ho přejete uložit a zvolte jeho "
                 "jméno.");
    painter.setFont(cellFont(kArial, 15));
    const auto label = [&](QLineEdit* field, const QString& text) {
        painter.drawText(QRect(153, field->geometry().top(), field->geometry().left() - 158, field->height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    };
    label(group_, "Skupina:");
    label(packageName_, "Jméno:");
}

}  // namespace lexivo
