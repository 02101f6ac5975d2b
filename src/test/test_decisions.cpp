#include "test/test_decisions.h"

#include "store/package_selection.h"
#include "test/test_files.h"

namespace lexivo {
namespace {

Message tooFewWordsMessage(int poolSize, int count)
{
    return errorMessage("Vámi vybrané balíčky dohromady obsahují " + std::to_string(poolSize) +
                        " slovíček. Počet slovíček v tomto testu jste nastavili na pevnou hodnotu, a to " +
                        std::to_string(count) +
                        ". Račte si povšimnout, že toto číslo je větší, než počet slovíček, která máte k dispozici. "
                        "Protože zároveň požadujete, aby program zabránil opakování slovíček, není toto nastavení "
                        "přípustné. Hodnota v kolonce POČET SLOVÍČEK bude nyní nastavena na nejvyšší přípustnou "
                        "úroveň.");
}

// Deleting a saved test can fail (a directory in its place, a file system gone read-only);
// the user must hear of it, or a finished test would be offered for resuming again.
Status forgetSavedTestChecked(const DataTree& tree, std::string_view group)
{
    forgetSavedTest(tree, group);
    if (hasSavedTest(tree, group)) {
        return errorMessage("Záznam o nedokončeném testu se nepodařilo smazat.");
    }
    return Status::success();
}

}  // namespace

StartOutcome startChosenTest(TestSession& tests, std::string_view group, const ChosenPackages& chosen,
                             const TestSettings& settings)
{
    if (chosen.names.empty()) {
        return {StartVerdict::Refused, errorMessage("Musíte vybrat alespoň jeden balíček."), std::nullopt};
    }
    if (settings.fixedCount && settings.questionCount == 0) {
        return {StartVerdict::Refused, errorMessage("Počet slovíček v testu nemůže být nula."), std::nullopt};
    }
    const auto pool = tests.engine.startTest(group, chosen.names, settings);
    if (!pool) {
        return {StartVerdict::Refused, pool.message(), std::nullopt};
    }
    if (settings.fixedCount && settings.noRepeat && settings.questionCount > pool.value()) {
        return {StartVerdict::Refused, tooFewWordsMessage(pool.value(), settings.questionCount), pool.value()};
    }
    StartOutcome started{StartVerdict::Started, std::nullopt, std::nullopt};
    if (Status written = writePackageSelection(tests.tree, group, chosen.positions); !written) {
        started.message = written.message();
    }
    return started;
}

SavedTestCheck takeUpSavedTest(TestSession& tests, std::string_view group)
{
    if (!hasSavedTest(tests.tree, group)) {
        return {};
    }
    auto finished = tests.engine.finishPendingAnswer(group);
    if (!finished) {
        Message reason = finished.message();
        reason.text += " Nedokončený test zůstává uložen, pokračovat v něm můžete později.";
        return {SavedTestOffer::Kept, reason};
    }
    if (Status resumed = tests.engine.resumeSavedTest(group); !resumed) {
        Message reason = resumed.message();
        if (Status forgotten = forgetSavedTestChecked(tests.tree, group); !forgotten) {
            reason.text += " " + forgotten.message().text;
        }
        return {SavedTestOffer::Forgotten, reason};
    }
    return {SavedTestOffer::Resumable, finished.value()};
}

Status forgetTakenUpTest(TestSession& tests)
{
    const std::string group = tests.engine.group();
    tests.engine.forgetTest();
    return forgetSavedTestChecked(tests.tree, group);
}

Status recordTestEnd(TestSession& tests, TestEnd end)
{
    if (end == TestEnd::Interrupted) {
        return tests.engine.saveInterruptedTest();
    }
    const std::string& group = tests.engine.group();
    return hasSavedTest(tests.tree, group) ? forgetSavedTestChecked(tests.tree, group) : Status::success();
}

}  // namespace lexivo
