#pragma once
// Every window tells the shared painting, control habits and quick help which window it is.
// The numbers are those of the design tables.

namespace lexivo {

enum class WindowKind {
    TestRun = 0,
    Group = 1,
    Main = 2,
    TestConfiguration = 3,
    About = 4,
    PackageEditor = 5,
    Rename = 6,
    UnfinishedTest = 7,
    Evaluation = 8,
    TestInformation = 9,
    Export = 10,
    AddPackage = 11,
    WordTransfer = 12,
    Settings = 13,
    Tips = 14,
    RightFeedback = 15,
    WrongFeedback = 16,
    OnlineCatalogue = 20,
    OnlineChoice = 21,
    SaveDownloaded = 22,
    Voice = 23,  // our own: the voice chooser opened from the settings
    ImportPreview = 24,  // our own: the words of a file to import, before they are written
};

}  // namespace lexivo
