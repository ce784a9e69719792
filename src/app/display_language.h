// The display language of the desktop program: --lang on the command line, else the choice kept by
// ヘルプ → 表示言語, else Japanese whatever the system's locale. The message catalogue and the windows' own
// texts (through the translation built from translations/tessaroven_en.ts) follow it; the files the program
// writes do not.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "messages/catalogue.h"

namespace tessaroven {

// What the desktop program's command line asks for.
struct StartArguments {
    std::optional<Language> language;  // --lang ja|en (also --lang=en)
    QString measurementFile;           // the first other argument: a file manager's "open with"
    QString refusal;                   // what was wrong with the line, in the catalogue's language; or empty
};

// Reads the arguments after the program's name.
StartArguments ReadStartArguments(const QStringList& arguments);

// The language kept in the settings by the help menu; Japanese when none or an unknown one is kept.
Language SavedLanguage();
void SaveLanguage(Language language);

// Installs the windows' translation for the catalogue's language, MessageLanguage(): English from the
// program's own translation; for Japanese, the sources' language, Qt's own Japanese texts.
// Needs the QApplication; call before the first window is created.
void InstallWindowTranslation();

// Sets one Japanese face for every menu and dialog, at the system's size.
void InstallInterfaceFont();

}  // namespace tessaroven
