// The display language: the command line, the kept choice, the catalogue and the windows' translation.
#include "app/display_language.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

#include "plot/fonts.h"

namespace tessaroven {

namespace {

constexpr const char* kLanguageKey = "display/language";
constexpr const char* kLanguageOption = "--lang";
constexpr const char* kEnglishTranslation = ":/tessaroven/i18n/tessaroven_en.qm";
// Qt's own texts (file and print dialogs, standard buttons) in Japanese, from the system's Qt translations.
constexpr const char* kQtJapaneseTranslation = "qtbase_ja";

QString LanguageRefusal(const QString& value) {
    return QString::fromStdString(Message(Reason::LanguageOptionInvalid, {value.toStdString()}));
}

}  // namespace

StartArguments ReadStartArguments(const QStringList& arguments) {
    StartArguments start;
    const QString option = QString::fromLatin1(kLanguageOption);
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        std::optional<QString> value;
        if (!optionsEnded && argument == QStringLiteral("--")) {
            optionsEnded = true;  // a file whose name starts with "--" follows
            continue;
        }
        if (!optionsEnded && argument == option) {
            if (i + 1 == arguments.size()) {
                start.refusal = QString::fromStdString(Message(Reason::OptionNeedsValue, {kLanguageOption}));
                return start;
            }
            value = arguments.at(++i);
        } else if (!optionsEnded && argument.startsWith(option + QLatin1Char('='))) {
            value = argument.mid(option.size() + 1);
        } else {
            // A file manager may hand over several files; the first one opens.
            if (start.measurementFile.isEmpty()) {
                start.measurementFile = argument;
            }
            continue;
        }
        if (start.language) {
            start.refusal = QString::fromStdString(Message(Reason::RepeatedOption, {kLanguageOption}));
            return start;
        }
        start.language = LanguageNamed(value->toStdString());
        if (!start.language) {
            start.refusal = LanguageRefusal(*value);
            return start;
        }
    }
    return start;
}

Language SavedLanguage() {
    const QString code = QSettings().value(QString::fromLatin1(kLanguageKey)).toString();
    return LanguageNamed(code.toStdString()).value_or(Language::Japanese);
}

void SaveLanguage(Language language) {
    QSettings().setValue(QString::fromLatin1(kLanguageKey), QString::fromLatin1(LanguageCode(language)));
}

void InstallWindowTranslation() {
    // One translator at a time, owned by the application object: the windows' own texts in English, or Qt's
    // texts in Japanese (the windows' sources are Japanese already).
    static QPointer<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed.data();
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    const bool loaded = MessageLanguage() == Language::Japanese
                            ? translator->load(QString::fromLatin1(kQtJapaneseTranslation),
                                               QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                            : translator->load(QString::fromLatin1(kEnglishTranslation));
    if (loaded) {
        QCoreApplication::installTranslator(translator);
        installed = translator;
    } else {
        delete translator;  // without it the texts stay in the sources' language
    }
}

void InstallInterfaceFont() {
    // Menus and dialogs are windows of their own and take the application's font, not the main window's; with
    // the system's Western default their Japanese glyphs came from a fallback face at a visibly smaller size.
    // One Japanese face at the system's size keeps them alike.
    const double points = QApplication::font().pointSizeF();
    QApplication::setFont(LayoutFont(FontFace::Meiryo, points > 0 ? points : 9));
}

}  // namespace tessaroven
