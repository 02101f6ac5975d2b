#pragma once
// What open windows hear from the settings: a new colour scheme, or a changed test option.
// The settings dialog announces; the main window and the test panels listen, so the dialog
// knows none of them.

#include <QObject>

#include "ui/settings_options.h"

namespace lexivo {

class ProgramEvents : public QObject {
    Q_OBJECT
signals:
    // The scheme number and its colours are new: every open window repaints with them.
    void schemeChanged();
    // An option of `config` that an open test window shows has changed.
    void testOptionChanged(lexivo::TestWindowPart part);
};

}  // namespace lexivo
