#pragma once
// What every window shares while the program runs: the data tree and the collection, the
// configuration, the random generator, the colour scheme, the screen's design grid, the words
// that name the foreign language, and the seams to the desktop. The program entry creates one
// and hands it to the main window; tests create their own. A subsystem keeps its own state in
// its own folder (the test's in test/test_session.h).

#include <QColor>
#include <QString>

#include "store/collection.h"
#include "store/data_tree.h"
#include "store/program_config.h"
#include "store/random_generator.h"
#include "ui/colour_scheme.h"
#include "ui/design_grid.h"
#include "ui/program_events.h"
#include "ui/seams.h"

namespace lexivo {

// The foreign language, as other windows insert it into their texts.
struct LanguageWords {
    QString fieldLabel = "Anglicky:";              // a field label: "in English:"
    QString sortOrder = "anglických výrazů";       // a sort order: "of English expressions"
    QString genitive = "angličtiny";               // "of English"
    QString adjective = "anglické";                // "English"
};

struct Program {
    Program(DataTree dataTree, Dialogs& dialogs, Shell& shell, Voice& voice);

    const ColourScheme& scheme() const { return colourScheme(schemeNumber); }

    DataTree tree;
    Collection collection;
    ProgramConfig config;
    RandomGenerator random;
    int schemeNumber = kSchemeCream;
    DesignGrid grid;
    LanguageWords language;
    Dialogs& dialogs;
    Shell& shell;
    Voice& voice;
    ProgramEvents events;
};

inline QColor toQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

}  // namespace lexivo
