#pragma once

class QApplication;
class QTranslator;

namespace tolvi {

// Environment that must be set before QApplication exists (WebEngine as root,
// without a GPU).
void prepareProcessEnvironment();

// Creates the windows and the data module in the start-up order, shows the
// main window and runs the message loop. A database that cannot be opened
// ends the program with its error before any window shows.
int runProgram(QApplication& app);

// Application-wide settings that every run and every window test shares:
// title, fonts (宋体 resolved to an installed CJK font), hint behaviour.
void initialiseApplication(QApplication& app);

// Qt's own dialogs (file, print, colour choosers) and standard buttons in
// Simplified Chinese like the program's windows. Returns the installed
// translator, or nullptr when Qt's translations are not installed.
QTranslator* installQtTranslation(QApplication& app);

} // namespace tolvi

namespace tolvi {
class TMainForm;
class Tdmfm;
// Creates the feature windows of start-up and plugs their commands into the
// main window's toolbar and menus.
void installFeatureWindows(TMainForm& main, Tdmfm& dm);
} // namespace tolvi
